#include "app/windows/fc_select_window.h"

#include "app/windows/form_dialog_layout.h"
#include "datasets/fc_select_dialog.h"

#include <QComboBox>
#include <QFormLayout>

CFCSelWindow::CFCSelWindow(CFCSelDialog& model, QWidget* parent) : QDialog(parent), model_(model)
{
    setWindowTitle(QString::fromUtf8(CFCSelDialog::Title()));
    list_ = new QComboBox;
    list_->setEditable(false);
    for (const std::string& fc : model.Candidates()) list_->addItem(QString::fromStdString(fc));
    list_->setCurrentIndex(model.selection >= 0 && model.selection < list_->count() ? model.selection : 0);
    auto* fields = new QFormLayout;
    fields->addRow(tr("&FC"), list_);
    LayOutFormWithOkCancel(this, fields);
    setMinimumWidth(280);
}

void CFCSelWindow::accept()
{
    model_.selection = list_->currentIndex();
    QDialog::accept();
}
