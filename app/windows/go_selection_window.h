#pragma once
#include <QDialog>

class CGoSelectionDialog;
class QListWidget;

// "Select destination": the choices of a Go to command in a list; the prompt is the
// title. OK hands the selected line (or -1) to the model.
class CGoSelectionWindow : public QDialog {
public:
    explicit CGoSelectionWindow(CGoSelectionDialog& model, QWidget* parent = nullptr);

    QListWidget* List() const { return list_; }
    void accept() override;

private:
    CGoSelectionDialog& model_;
    QListWidget* list_;
};
