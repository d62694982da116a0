#include "app/export_window.h"

#include "datasets/export_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QVBoxLayout>

CExportWindow::CExportWindow(CExportDialog& model, QWidget* parent) : QDialog(parent), model_(model)
{
    setWindowTitle(QString::fromUtf8(CExportDialog::Title()));
    list_ = new QComboBox;
    for (const std::string& name : model.IEDNames()) list_->addItem(QString::fromStdString(name));
    list_->setCurrentIndex(model.SelectedIndex());
    auto* fields = new QFormLayout;
    fields->addRow(tr("&IED to export"), list_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(buttons);
    setMinimumWidth(320);
}

void CExportWindow::accept()
{
    model_.SetSelectedIndex(list_->currentIndex());
    QDialog::accept();
}
