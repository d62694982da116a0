#pragma once
#include <QDialog>

class CExportDialog;
class QComboBox;

// "Select IED for exporting": the project's IEDs in a drop-down list.
class CExportWindow : public QDialog {
public:
    explicit CExportWindow(CExportDialog& model, QWidget* parent = nullptr);

    QComboBox* List() const { return list_; }
    void accept() override;

private:
    CExportDialog& model_;
    QComboBox* list_;
};
