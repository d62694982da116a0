#include "app/windows/add_ied_window.h"

#include "app/windows/form_dialog_layout.h"
#include "import/add_ied_dialog.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>

#include <string>
#include <vector>

namespace {

QComboBox* DropDownList(const std::vector<std::string>& choices, int index)
{
    auto* list = new QComboBox;
    list->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    list->setMinimumContentsLength(24);
    list->setMaxVisibleItems(20);
    for (const std::string& choice : choices) list->addItem(QString::fromStdString(choice));
    list->setCurrentIndex(index >= 0 && index < list->count() ? index : -1);
    return list;
}

}  // namespace

CAddIEDWindow::CAddIEDWindow(CAddIEDDialog& model, UserInterface& ui, QWidget* parent)
    : QDialog(parent), model_(model), ui_(ui)
{
    setWindowTitle(QString::fromUtf8(CAddIEDDialog::Title()));
    name_ = new QLineEdit(QString::fromStdString(model.iedName));
    subNetwork_ = DropDownList(model.SubNetworks(), model.SubNetworkIndex());

    auto* fields = new QFormLayout;
    // The file's IED comes first: choosing it replaces the name below.
    if (model.OffersFileIEDs()) {
        fileIED_ = DropDownList(model.FileIEDs(), model.FileIEDIndex());
        connect(fileIED_, &QComboBox::currentIndexChanged, this, [this](int index) {
            model_.SelectFileIED(index);
            name_->setText(QString::fromStdString(model_.iedName));
        });
        fields->addRow(tr("IED in &file"), fileIED_);
    }
    fields->addRow(tr("IED &name"), name_);
    fields->addRow(tr("Place in &subnetwork"), subNetwork_);

    LayOutFormWithOkCancel(this, fields);
    setMinimumWidth(380);
    name_->setFocus();
    name_->selectAll();
}

void CAddIEDWindow::accept()
{
    model_.iedName = name_->text().toStdString();
    model_.SelectSubNetwork(subNetwork_->currentIndex());
    std::string refusal = model_.Accept();
    if (!refusal.empty()) {
        ui_.ShowMessage(CAddIEDDialog::Title(), refusal, MessageIcon::Error, MessageButtons::Ok);
        name_->setFocus();
        name_->selectAll();
        return;
    }
    QDialog::accept();
}
