#include "app/windows/dyn_dataset_window.h"

#include "app/panes/tree_pictures.h"
#include "app/shell/shell_pictures.h"
#include "datasets/dyn_dataset_dialog.h"
#include "document/user_interface.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QListWidget>
#include <QSignalBlocker>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

QString Text(const std::string& text)
{
    return QString::fromStdString(text);
}

// A data tree item knows the model's node it shows.
class DataTreeItem : public QTreeWidgetItem {
public:
    explicit DataTreeItem(int node) : QTreeWidgetItem(UserType), node_(node) {}
    int Node() const { return node_; }

private:
    int node_;
};

int NodeOf(const QTreeWidgetItem* item)
{
    return static_cast<const DataTreeItem*>(item)->Node();
}

QToolButton* IconButton(ShellPicture picture, const char* tooltip)
{
    auto* button = new QToolButton;
    button->setIcon(ShellIcon(picture));
    button->setIconSize(QSize(16, 16));
    button->setToolTip(QString::fromUtf8(tooltip));
    return button;
}

}  // namespace

CDynDatasetWindow::CDynDatasetWindow(CDynDatasetDialog& model, UserInterface& ui, QWidget* parent)
    : QDialog(parent), model_(model), ui_(ui)
{
    setWindowTitle(QString::fromUtf8(CDynDatasetDialog::Title()));
    setSizeGripEnabled(true);

    name_ = new QLineEdit(Text(model.name));
    fullName_ = new QLineEdit;
    fullName_->setReadOnly(true);
    auto* names = new QFormLayout;
    names->addRow(tr("Dataset &name"), name_);
    names->addRow(tr("&Full name"), fullName_);

    tree_ = new QTreeWidget;
    tree_->setHeaderHidden(true);
    tree_->setUniformRowHeights(true);
    tree_->setSelectionMode(QAbstractItemView::SingleSelection);
    tree_->setAnimated(false);
    tree_->setIconSize(QSize(16, 16));
    tree_->header()->setStretchLastSection(false);
    tree_->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    BuildDataTree();

    list_ = new QListWidget;
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setUniformItemSizes(true);
    list_->setSortingEnabled(false);

    add_ = IconButton(ShellPicture::AddToList, CDynDatasetDialog::AddTooltip());
    moveUp_ = IconButton(ShellPicture::MoveUp, CDynDatasetDialog::MoveUpTooltip());
    moveDown_ = IconButton(ShellPicture::MoveDown, CDynDatasetDialog::MoveDownTooltip());
    delete_ = IconButton(ShellPicture::Delete, CDynDatasetDialog::DeleteTooltip());
    auto* tools = new QVBoxLayout;
    tools->addWidget(moveUp_);
    tools->addWidget(moveDown_);
    tools->addWidget(delete_);
    tools->addStretch();

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QGridLayout(this);
    layout->addLayout(names, 0, 0, 1, 4);
    layout->addWidget(tree_, 1, 0);
    layout->addWidget(add_, 1, 1, Qt::AlignVCenter);
    layout->addWidget(list_, 1, 2);
    layout->addLayout(tools, 1, 3);
    layout->addWidget(buttons, 2, 0, 1, 4);
    layout->setRowStretch(1, 1);
    layout->setColumnStretch(0, 1);
    layout->setColumnStretch(2, 1);
    resize(760, 520);

    connect(name_, &QLineEdit::textChanged, this, [this](const QString& text) {
        model_.name = text.toStdString();
        fullName_->setText(Text(model_.FullName()));
    });
    connect(tree_, &QTreeWidget::itemSelectionChanged, this, [this] {
        QList<QTreeWidgetItem*> selected = tree_->selectedItems();
        model_.SelectDataNode(selected.isEmpty() ? -1 : NodeOf(selected.first()));
        Redraw();
    });
    connect(list_, &QListWidget::itemSelectionChanged, this, [this] {
        QList<QListWidgetItem*> selected = list_->selectedItems();
        model_.SelectElement(selected.isEmpty() ? -1 : list_->row(selected.first()));
        Redraw();
    });
    Follow(add_, [this] { model_.AddSelected(ui_); });
    Follow(moveUp_, [this] { model_.MoveUp(); });
    Follow(moveDown_, [this] { model_.MoveDown(); });
    Follow(delete_, [this] { model_.DeleteSelected(); });
    Redraw();
    name_->setFocus();
}

// One item per node, linked below its parent before the tree widget sees any of
// them: a large IED opens without the cost of an insertion into a live view.
void CDynDatasetWindow::BuildDataTree()
{
    const std::vector<DataNode>& nodes = model_.DataNodes();
    std::vector<QTreeWidgetItem*> items;
    items.reserve(nodes.size());
    for (size_t i = 0; i < nodes.size(); ++i) {
        auto* item = new DataTreeItem(static_cast<int>(i));
        item->setText(0, Text(nodes[i].label));
        item->setIcon(0, TreeKindIcon(nodes[i].kind));
        items.push_back(item);
    }
    auto itemsOf = [&items](const std::vector<int>& indices) {
        QList<QTreeWidgetItem*> list;
        list.reserve(static_cast<qsizetype>(indices.size()));
        for (int index : indices) list.append(items[static_cast<size_t>(index)]);
        return list;
    };
    for (size_t i = 0; i < nodes.size(); ++i)
        if (!nodes[i].children.empty()) items[i]->addChildren(itemsOf(nodes[i].children));
    tree_->addTopLevelItems(itemsOf(model_.DataRoots()));
    if (model_.SelectedDataNode() < 0) return;
    QTreeWidgetItem* selected = items[static_cast<size_t>(model_.SelectedDataNode())];
    QSignalBlocker quiet(tree_);
    tree_->setCurrentItem(selected);
    for (QTreeWidgetItem* item = selected; item; item = item->parent()) item->setExpanded(true);
    // Once the window has its size, the selected node and its data are shown from the top.
    QTimer::singleShot(0, this, [this, selected] { tree_->scrollToItem(selected, QAbstractItemView::PositionAtTop); });
}

void CDynDatasetWindow::Follow(QToolButton* button, std::function<void()> gesture)
{
    connect(button, &QToolButton::clicked, this, [this, gesture = std::move(gesture)] {
        gesture();
        Redraw();
    });
}

void CDynDatasetWindow::Redraw()
{
    {
        QSignalBlocker quiet(list_);
        std::vector<std::string> texts = model_.ElementTexts();
        bool same = list_->count() == static_cast<int>(texts.size());
        for (int row = 0; same && row < list_->count(); ++row)
            same = list_->item(row)->text() == Text(texts[static_cast<size_t>(row)]);
        if (!same) {
            list_->clear();
            for (const std::string& text : texts) list_->addItem(Text(text));
        }
        list_->setCurrentRow(model_.SelectedElement());
        if (model_.SelectedElement() >= 0) list_->scrollToItem(list_->currentItem());
    }
    fullName_->setText(Text(model_.FullName()));
    add_->setEnabled(model_.CanAdd());
    moveUp_->setEnabled(model_.CanMoveUp());
    moveDown_->setEnabled(model_.CanMoveDown());
    delete_->setEnabled(model_.CanDelete());
}

void CDynDatasetWindow::accept()
{
    model_.name = name_->text().toStdString();
    std::string refusal = model_.Accept();
    if (!refusal.empty()) {
        ui_.ShowMessage(CDynDatasetDialog::Title(), refusal, MessageIcon::Warning, MessageButtons::Ok);
        return;
    }
    QDialog::accept();
}
