#pragma once
#include <QDialog>

#include <array>
#include <functional>

class CInputsDialog;
class QComboBox;
class QLineEdit;
class QTreeWidget;
class UserInterface;

// "Edit inputs for ...": the inputs of a logical node and, for the selected one, the
// remote IED, data reference, bit and control block it is wired to. Every change of a
// widget goes to the model and the window is redrawn from it.
class CInputsWindow : public QDialog {
public:
    CInputsWindow(CInputsDialog& model, UserInterface& ui, QWidget* parent = nullptr);

    QTreeWidget* InputList() const { return inputs_; }
    QComboBox* RemoteIedList() const { return remoteIed_; }
    QComboBox* DataReferenceList() const { return dataReference_; }
    QComboBox* BitIndexList() const { return bitIndex_; }
    QComboBox* ControlBlockList() const { return controlBlock_; }
    QLineEdit* AddressField(int index) const { return address_[static_cast<size_t>(index)]; }

    void accept() override;

private:
    // A choice in `list` goes to the model's `select`.
    void Follow(QComboBox* list, std::function<void(int)> select);
    void Redraw();

    CInputsDialog& model_;
    UserInterface& ui_;
    QTreeWidget* inputs_;
    QComboBox* remoteIed_;
    QComboBox* dataReference_;
    QComboBox* bitIndex_;
    QComboBox* controlBlock_;
    std::array<QLineEdit*, 6> address_{};
};
