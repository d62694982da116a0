#pragma once
#include <QDialog>

class CAddTimeserverDialog;
class QComboBox;
class QLineEdit;
class UserInterface;

// "Add Time Server": name, subnetwork and IP address. OK stays open with the model's
// message while it refuses the fields.
class CAddTimeserverWindow : public QDialog {
public:
    CAddTimeserverWindow(CAddTimeserverDialog& model, UserInterface& ui, QWidget* parent = nullptr);

    QLineEdit* NameField() const { return name_; }
    QComboBox* SubNetworkList() const { return subNetwork_; }
    QLineEdit* AddressField() const { return address_; }
    void accept() override;

private:
    CAddTimeserverDialog& model_;
    UserInterface& ui_;
    QLineEdit* name_;
    QComboBox* subNetwork_;
    QLineEdit* address_;
};
