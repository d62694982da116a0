#include "app/windows/inputs_window.h"

#include "app/panes/elided_text_delegate.h"
#include "goose/inputs_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <functional>

namespace {

QString Text(const std::string& text)
{
    return QString::fromStdString(text);
}

QComboBox* DropDownList()
{
    auto* list = new QComboBox;
    list->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    list->setMinimumContentsLength(24);
    list->setMaxVisibleItems(20);
    return list;
}

// Shows `choices` with `index` selected (none when it lies outside), refilling the
// list only when its entries differ.
void Show(QComboBox* list, const std::vector<std::string>& choices, int index, bool enabled)
{
    QSignalBlocker quiet(list);
    bool same = list->count() == static_cast<int>(choices.size());
    for (int i = 0; same && i < list->count(); ++i) same = list->itemText(i) == Text(choices[static_cast<size_t>(i)]);
    if (!same) {
        list->clear();
        for (const std::string& choice : choices) list->addItem(Text(choice));
    }
    list->setCurrentIndex(index >= 0 && index < list->count() ? index : -1);
    list->setEnabled(enabled);
}

}  // namespace

CInputsWindow::CInputsWindow(CInputsDialog& model, UserInterface& ui, QWidget* parent)
    : QDialog(parent), model_(model), ui_(ui)
{
    setWindowTitle(Text(model.Title()));
    setSizeGripEnabled(true);

    inputs_ = new QTreeWidget;
    inputs_->setColumnCount(2);
    inputs_->setHeaderLabels({CInputsDialog::kInternalAddressColumn, CInputsDialog::kExternalReferenceColumn});
    inputs_->header()->setSectionResizeMode(QHeaderView::Stretch);
    inputs_->header()->setSectionsMovable(false);
    inputs_->setRootIsDecorated(false);
    inputs_->setUniformRowHeights(true);
    inputs_->setAllColumnsShowFocus(true);
    inputs_->setSelectionMode(QAbstractItemView::SingleSelection);
    inputs_->setSelectionBehavior(QAbstractItemView::SelectRows);
    inputs_->setItemDelegate(new ElidedTextDelegate(inputs_));
    for (int row = 0; row < model.RowCount(); ++row)
        inputs_->addTopLevelItem(new QTreeWidgetItem({Text(model.InternalAddressText(row)), QString()}));

    remoteIed_ = DropDownList();
    dataReference_ = DropDownList();
    bitIndex_ = DropDownList();
    bitIndex_->setMinimumContentsLength(4);
    controlBlock_ = DropDownList();
    auto* choices = new QFormLayout;
    choices->addRow(CInputsDialog::kRemoteIedLabel, remoteIed_);
    choices->addRow(CInputsDialog::kDataReferenceLabel, dataReference_);
    auto* bit = new QHBoxLayout;
    bit->addWidget(bitIndex_);
    bit->addStretch();
    choices->addRow(CInputsDialog::kBitIndexLabel, bit);

    auto* group = new QGroupBox(CInputsDialog::kAddressGroupLabel);
    auto* fields = new QGridLayout(group);
    fields->addWidget(new QLabel(CInputsDialog::kControlBlockLabel), 0, 0);
    fields->addWidget(controlBlock_, 0, 1, 1, 3);
    for (size_t i = 0; i < address_.size(); ++i) {
        address_[i] = new QLineEdit;
        address_[i]->setReadOnly(true);
        int row = 1 + static_cast<int>(i) / 2;
        int column = static_cast<int>(i) % 2 * 2;
        fields->addWidget(new QLabel(CInputsDialog::kAddressFieldLabels[i]), row, column);
        fields->addWidget(address_[i], row, column + 1);
    }
    fields->setColumnStretch(1, 1);
    fields->setColumnStretch(3, 1);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(CInputsDialog::kInputListLabel));
    layout->addWidget(inputs_, 1);
    layout->addLayout(choices);
    layout->addWidget(group);
    layout->addWidget(buttons);
    resize(640, 560);

    Follow(remoteIed_, std::bind_front(&CInputsDialog::SelectRemoteIed, &model_));
    Follow(dataReference_, std::bind_front(&CInputsDialog::SelectDataReference, &model_));
    Follow(bitIndex_, std::bind_front(&CInputsDialog::SelectBitIndex, &model_));
    Follow(controlBlock_, std::bind_front(&CInputsDialog::SelectControlBlock, &model_));
    connect(inputs_, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* current) {
        if (current) model_.SelectRow(inputs_->indexOfTopLevelItem(current));
        Redraw();
    });
    Redraw();
}

void CInputsWindow::Follow(QComboBox* list, std::function<void(int)> select)
{
    connect(list, &QComboBox::currentIndexChanged, this, [this, select = std::move(select)](int index) {
        select(index);
        Redraw();
    });
}

void CInputsWindow::Redraw()
{
    {
        QSignalBlocker quiet(inputs_);
        for (int row = 0; row < inputs_->topLevelItemCount(); ++row)
            inputs_->topLevelItem(row)->setText(1, Text(model_.ExternalReferenceText(row)));
        inputs_->setCurrentItem(inputs_->topLevelItem(model_.CurrentRow()));
    }
    Show(remoteIed_, model_.RemoteIedChoices(), model_.RemoteIedIndex(), true);
    Show(dataReference_, model_.DataReferenceChoices(), model_.DataReferenceIndex(), true);
    Show(bitIndex_, model_.BitIndexChoices(), model_.BitIndex(), model_.IsBitIndexEnabled());
    Show(controlBlock_, model_.ControlBlockChoices(), model_.ControlBlockIndex(), model_.IsControlBlockEnabled());
    for (size_t i = 0; i < address_.size(); ++i) address_[i]->setText(Text(model_.AddressFields()[i]));
}

void CInputsWindow::accept()
{
    std::string refusal = model_.Accept();
    if (!refusal.empty()) {
        ui_.ShowMessage(model_.Title(), refusal, MessageIcon::Warning, MessageButtons::Ok);
        return;
    }
    QDialog::accept();
}
