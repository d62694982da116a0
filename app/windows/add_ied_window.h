#pragma once
#include <QDialog>

class CAddIEDDialog;
class QComboBox;
class QLineEdit;
class UserInterface;

// "Add IED": the IED's name in the project, its subnetwork and, for a file with several
// IEDs, which one to import. OK stays open, with the model's message, while the model
// refuses the name.
class CAddIEDWindow : public QDialog {
public:
    CAddIEDWindow(CAddIEDDialog& model, UserInterface& ui, QWidget* parent = nullptr);

    QLineEdit* NameField() const { return name_; }
    QComboBox* SubNetworkList() const { return subNetwork_; }
    QComboBox* FileIEDList() const { return fileIED_; }  // null unless the file holds several IEDs

    void accept() override;

private:
    CAddIEDDialog& model_;
    UserInterface& ui_;
    QLineEdit* name_;
    QComboBox* subNetwork_;
    QComboBox* fileIED_ = nullptr;
};
