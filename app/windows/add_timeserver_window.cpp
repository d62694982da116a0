#include "app/windows/add_timeserver_window.h"

#include "app/windows/form_dialog_layout.h"
#include "document/user_interface.h"
#include "structure/add_timeserver_dialog.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QRegularExpressionValidator>

CAddTimeserverWindow::CAddTimeserverWindow(CAddTimeserverDialog& model, UserInterface& ui, QWidget* parent)
    : QDialog(parent), model_(model), ui_(ui)
{
    setWindowTitle(QString::fromUtf8(CAddTimeserverDialog::Title()));
    name_ = new QLineEdit(QString::fromStdString(model.name));
    subNetwork_ = new QComboBox;
    for (const std::string& network : model.SubNetworks()) subNetwork_->addItem(QString::fromStdString(network));
    subNetwork_->setCurrentIndex(model.subNetworkIndex);
    address_ = new QLineEdit(QString::fromStdString(model.AddressText()));
    address_->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("^\\d{1,3}\\.\\d{1,3}\\.\\d{1,3}\\.\\d{1,3}$")), address_));
    auto* fields = new QFormLayout;
    fields->addRow(tr("IED &name"), name_);
    fields->addRow(tr("Place in &subnetwork"), subNetwork_);
    fields->addRow(tr("IP &address"), address_);
    LayOutFormWithOkCancel(this, fields);
    setMinimumWidth(340);
}

void CAddTimeserverWindow::accept()
{
    if (!model_.SetAddressText(address_->text().toStdString())) {
        ui_.ShowMessage(CAddTimeserverDialog::Title(), "Please enter an IP address of four numbers from 0 to 255.",
                        MessageIcon::Error, MessageButtons::Ok);
        return;
    }
    model_.name = name_->text().toStdString();
    model_.subNetworkIndex = subNetwork_->currentIndex() < 0 ? 0 : subNetwork_->currentIndex();
    std::string refusal = model_.Accept();
    if (!refusal.empty()) {
        ui_.ShowMessage(CAddTimeserverDialog::Title(), refusal, MessageIcon::Error, MessageButtons::Ok);
        return;
    }
    QDialog::accept();
}
