#include "app/windows/mapping_tree_view.h"

#include <QDrag>
#include <QDropEvent>
#include <QHeaderView>
#include <QPainter>
#include <QScrollBar>

namespace {

// While the cursor rests this close to an edge, the tree scrolls a line at each tick.
constexpr int kScrollMargin = 10;
constexpr int kScrollIntervalMs = 80;

// The picture under the cursor while a node is dragged: its icon and text.
QPixmap DragPicture(const QModelIndex& index, const QFont& font, const QPalette& palette)
{
    QString text = index.data(Qt::DisplayRole).toString();
    QFontMetrics metrics(font);
    const int iconSize = 16, gap = 4;
    QSize size(iconSize + gap + metrics.horizontalAdvance(text) + 2, qMax(iconSize, metrics.height()) + 2);
    QPixmap picture(size);
    picture.fill(Qt::transparent);
    QPainter p(&picture);
    p.setOpacity(0.75);
    QIcon icon = index.data(Qt::DecorationRole).value<QIcon>();
    icon.paint(&p, QRect(1, (size.height() - iconSize) / 2, iconSize, iconSize));
    p.setFont(font);
    p.setPen(palette.color(QPalette::Text));
    p.drawText(QRect(1 + iconSize + gap, 0, size.width(), size.height()), Qt::AlignLeft | Qt::AlignVCenter, text);
    return picture;
}

}  // namespace

MappingTreeView::MappingTreeView(CMappingDialog& dialog, MappingTree tree, QWidget* parent)
    : QTreeView(parent), model_(new MappingTreeModel(dialog, tree, this))
{
    setModel(model_);
    setHeaderHidden(true);
    header()->setStretchLastSection(false);
    header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    setUniformRowHeights(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    setDragDropMode(QAbstractItemView::DragDrop);
    setDropIndicatorShown(false);  // the target node is highlighted instead

    scrollTimer_.setInterval(kScrollIntervalMs);
    connect(&scrollTimer_, &QTimer::timeout, this, [this] {
        if (!dragged_ || !ScrollTowardsEdge()) {
            scrollTimer_.stop();
            return;
        }
        HighlightTarget();
    });
    connect(this, &QTreeView::expanded, this, [](const QModelIndex& index) {
        if (MappingNode* node = MappingTreeModel::NodeAt(index)) node->expanded = true;
    });
    connect(this, &QTreeView::collapsed, this, [](const QModelIndex& index) {
        if (MappingNode* node = MappingTreeModel::NodeAt(index)) node->expanded = false;
    });
    ShowDialogState();
}

MappingNode* MappingTreeView::CurrentNode() const
{
    return MappingTreeModel::NodeAt(currentIndex());
}

MappingNode* MappingTreeView::NodeAt(QPoint position) const
{
    return MappingTreeModel::NodeAt(indexAt(position));
}

void MappingTreeView::BeginReload()
{
    reloading_ = true;
    scrollPosition_ = {horizontalScrollBar()->value(), verticalScrollBar()->value()};
    model_->SetHighlighted(nullptr);
    model_->BeginChange();
}

void MappingTreeView::EndReload()
{
    model_->EndChange();
    ShowDialogState();
}

void MappingTreeView::ShowDialogState()
{
    reloading_ = true;
    // Expanding before the delayed layout runs only records the node, however many.
    ExpandAsTheDialogHas({}, model_->Dialog().Roots(model_->Tree()));
    executeDelayedItemsLayout();
    horizontalScrollBar()->setValue(scrollPosition_.x());
    verticalScrollBar()->setValue(scrollPosition_.y());
    QModelIndex selected = model_->IndexOf(model_->Dialog().Selected(model_->Tree()));
    if (selected.isValid()) {
        selectionModel()->setCurrentIndex(selected, QItemSelectionModel::ClearAndSelect);
        scrollTo(selected);
    } else
        selectionModel()->clear();
    reloading_ = false;
}

void MappingTreeView::ExpandAsTheDialogHas(const QModelIndex& parent,
                                           const std::vector<std::unique_ptr<MappingNode>>& nodes)
{
    for (size_t row = 0; row < nodes.size(); ++row) {
        const MappingNode& node = *nodes[row];
        if (!node.expanded || node.children.empty()) continue;
        QModelIndex index = model_->index(static_cast<int>(row), 0, parent);
        setExpanded(index, true);
        ExpandAsTheDialogHas(index, node.children);
    }
}

// The selection, not the current node: a tree taking the focus makes its first node
// current without the person choosing it.
void MappingTreeView::selectionChanged(const QItemSelection& selected, const QItemSelection& deselected)
{
    QTreeView::selectionChanged(selected, deselected);
    if (reloading_ || !onSelect) return;
    QModelIndexList chosen = selectionModel()->selectedIndexes();
    onSelect(chosen.isEmpty() ? nullptr : MappingTreeModel::NodeAt(chosen.front()));
}

void MappingTreeView::startDrag(Qt::DropActions)
{
    QModelIndex index = currentIndex();
    MappingNode* node = MappingTreeModel::NodeAt(index);
    if (!node || !model_->Dialog().CanDrag(node)) return;
    auto* drag = new QDrag(this);
    drag->setMimeData(model_->mimeData({index}));
    drag->setPixmap(DragPicture(index, font(), palette()));
    drag->setHotSpot(QPoint(-8, -8));
    drag->exec(Qt::MoveAction, Qt::MoveAction);
}

bool MappingTreeView::Follow(QDropEvent* event)
{
    dragged_ = model_->DraggedNode(event->mimeData());
    if (!dragged_) {
        event->ignore();
        return false;
    }
    dragPosition_ = event->position().toPoint();
    HighlightTarget();
    event->setDropAction(Qt::MoveAction);
    event->accept();
    return true;
}

void MappingTreeView::HighlightTarget()
{
    model_->SetHighlighted(model_->Dialog().DropTarget(dragged_, model_->Tree(), NodeAt(dragPosition_)));
}

void MappingTreeView::dragEnterEvent(QDragEnterEvent* event)
{
    Follow(event);
}

void MappingTreeView::dragMoveEvent(QDragMoveEvent* event)
{
    if (!Follow(event)) return;
    if (!scrollTimer_.isActive() && ScrollTowardsEdge()) {
        HighlightTarget();
        scrollTimer_.start();
    }
}

void MappingTreeView::dragLeaveEvent(QDragLeaveEvent*)
{
    EndDragOver();
}

void MappingTreeView::dropEvent(QDropEvent* event)
{
    MappingNode* dragged = model_->DraggedNode(event->mimeData());
    MappingNode* under = NodeAt(event->position().toPoint());
    EndDragOver();
    if (!dragged) {
        event->ignore();
        return;
    }
    event->setDropAction(Qt::MoveAction);
    event->accept();
    if (onDrop) onDrop(dragged, under);
}

void MappingTreeView::EndDragOver()
{
    scrollTimer_.stop();
    dragged_ = nullptr;
    model_->SetHighlighted(nullptr);
}

bool MappingTreeView::ScrollTowardsEdge()
{
    QRect area = viewport()->rect();
    bool near = false;
    auto step = [&near](QScrollBar* bar, int position, int low, int high) {
        if (position - low < kScrollMargin) {
            bar->triggerAction(QAbstractSlider::SliderSingleStepSub);
            near = true;
        } else if (high - position < kScrollMargin) {
            bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
            near = true;
        }
    };
    step(verticalScrollBar(), dragPosition_.y(), area.top(), area.bottom());
    step(horizontalScrollBar(), dragPosition_.x(), area.left(), area.right());
    return near;
}
