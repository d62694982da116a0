#include "app/windows/mapping_window.h"

#include "app/windows/mapping_tree_view.h"
#include "document/user_interface.h"

#include <QAction>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QSignalBlocker>
#include <QTimer>
#include <QVBoxLayout>

CMappingWindow::CMappingWindow(CMappingDialog& model, UserInterface& ui, QWidget* parent)
    : QDialog(parent), model_(model), ui_(ui)
{
    setWindowTitle(QString::fromUtf8(CMappingDialog::Title()));
    setSizeGripEnabled(true);

    auto* trees = new QGridLayout;
    trees->addWidget(new QLabel(tr("Outputs")), 0, 0);
    trees->addWidget(new QLabel(tr("Inputs")), 0, 1);
    trees->addWidget(AddTree(MappingTree::Outputs), 1, 0);
    trees->addWidget(AddTree(MappingTree::Inputs), 1, 1);

    bitIndexLabel_ = new QLabel(tr("Bit index"));
    bitIndex_ = new QComboBox;
    bitIndex_->setMinimumContentsLength(4);
    bitIndex_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    bitIndex_->setMaxVisibleItems(16);
    bitIndexLabel_->setBuddy(bitIndex_);
    connect(bitIndex_, &QComboBox::currentIndexChanged, this, [this](int index) {
        model_.SelectBitIndex(index);
        ShowBitIndex();
        TreeView(MappingTree::Mapping)->viewport()->update();
    });

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(bitIndexLabel_);
    bottom->addWidget(bitIndex_);
    bottom->addStretch();
    bottom->addWidget(buttons);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(trees, 1);
    layout->addWidget(new QLabel(tr("Drag and drop desired signals to modify mapping configuration.")));
    layout->addWidget(new QLabel(tr("Mapping")));
    layout->addWidget(AddTree(MappingTree::Mapping), 1);
    layout->addLayout(bottom);
    for (MappingTree tree : {MappingTree::Inputs, MappingTree::Mapping}) {
        connect_[static_cast<size_t>(tree)] =
            AddTreeAction(tree, tr("&Connect to the selected output"), Qt::Key_Insert);
        connect(ConnectAction(tree), &QAction::triggered, this, [this, tree] { ConnectSelected(tree); });
    }
    remove_ = AddTreeAction(MappingTree::Mapping, tr("&Remove from the mapping"), Qt::Key_Delete);
    connect(remove_, &QAction::triggered, this, [this] { Change([this] { model_.DeleteSelectedMapping(); }); });
    resize(960, 720);
    ShowBitIndex();
    EnableActions();
}

// An entry of the tree's context menu, whose key works while the tree has the focus.
QAction* CMappingWindow::AddTreeAction(MappingTree tree, const QString& text, QKeySequence key)
{
    auto* action = new QAction(text, TreeView(tree));
    action->setShortcut(key);
    action->setShortcutContext(Qt::WidgetShortcut);
    TreeView(tree)->addAction(action);
    TreeView(tree)->setContextMenuPolicy(Qt::ActionsContextMenu);
    return action;
}

void CMappingWindow::EnableActions()
{
    if (!remove_) return;  // still being built
    for (MappingTree tree : {MappingTree::Inputs, MappingTree::Mapping})
        ConnectAction(tree)->setEnabled(model_.CanConnectSelected(tree));
    remove_->setEnabled(model_.Selected(MappingTree::Mapping) != nullptr);
}

MappingTreeView* CMappingWindow::AddTree(MappingTree tree)
{
    auto* view = new MappingTreeView(model_, tree);
    views_[static_cast<size_t>(tree)] = view;
    view->onSelect = [this, tree](MappingNode* node) {
        model_.Select(tree, node);
        ShowBitIndex();
        EnableActions();
    };
    view->onDrop = [this, tree](MappingNode* dragged, MappingNode* under) { Drop(tree, dragged, under); };
    return view;
}

void CMappingWindow::Drop(MappingTree tree, MappingNode* dragged, MappingNode* under)
{
    std::string refusal;
    Change([&] { refusal = model_.Drop(dragged, tree, under); });
    TreeView(tree)->setFocus();
    // The drag is still winding down here; the message waits until it has ended.
    if (!refusal.empty())
        QTimer::singleShot(0, this, [this, refusal] {
            ui_.ShowMessage(CMappingDialog::MessageTitle(), refusal, MessageIcon::Warning, MessageButtons::Ok);
        });
}

void CMappingWindow::ConnectSelected(MappingTree tree)
{
    std::string refusal;
    Change([&] { refusal = model_.ConnectSelected(tree); });
    if (!refusal.empty())
        ui_.ShowMessage(CMappingDialog::MessageTitle(), refusal, MessageIcon::Warning, MessageButtons::Ok);
}

void CMappingWindow::Change(const std::function<void()>& gesture)
{
    for (MappingTreeView* view : views_) view->BeginReload();
    gesture();
    for (MappingTreeView* view : views_) view->EndReload();
    ShowBitIndex();
    EnableActions();
}

void CMappingWindow::ShowBitIndex()
{
    QSignalBlocker quiet(bitIndex_);
    const std::vector<std::string>& choices = model_.BitIndexChoices();
    bool same = bitIndex_->count() == static_cast<int>(choices.size());
    for (int i = 0; same && i < bitIndex_->count(); ++i)
        same = bitIndex_->itemText(i) == QString::fromStdString(choices[static_cast<size_t>(i)]);
    if (!same) {
        bitIndex_->clear();
        for (const std::string& choice : choices) bitIndex_->addItem(QString::fromStdString(choice));
    }
    int index = model_.BitIndex();
    bitIndex_->setCurrentIndex(index >= 0 && index < bitIndex_->count() ? index : -1);
    bitIndex_->setEnabled(model_.IsBitIndexEnabled());
    bitIndexLabel_->setEnabled(model_.IsBitIndexEnabled());
}
