#pragma once
#include <QDialog>

class CFCSelDialog;
class QComboBox;

// "Select functional constraint": the candidates in a drop-down list, the first
// preselected.
class CFCSelWindow : public QDialog {
public:
    explicit CFCSelWindow(CFCSelDialog& model, QWidget* parent = nullptr);

    QComboBox* List() const { return list_; }
    void accept() override;

private:
    CFCSelDialog& model_;
    QComboBox* list_;
};
