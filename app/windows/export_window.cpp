#include "app/windows/export_window.h"

#include "app/windows/form_dialog_layout.h"
#include "exports/export_dialog.h"

#include <QComboBox>
#include <QFormLayout>

CExportWindow::CExportWindow(CExportDialog& model, QWidget* parent) : QDialog(parent), model_(model)
{
    setWindowTitle(QString::fromUtf8(CExportDialog::Title()));
    list_ = new QComboBox;
    for (const std::string& name : model.IEDNames()) list_->addItem(QString::fromStdString(name));
    list_->setCurrentIndex(model.SelectedIndex());
    auto* fields = new QFormLayout;
    fields->addRow(tr("&IED to export"), list_);
    LayOutFormWithOkCancel(this, fields);
    setMinimumWidth(320);
}

void CExportWindow::accept()
{
    model_.SetSelectedIndex(list_->currentIndex());
    QDialog::accept();
}
