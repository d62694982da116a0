#include "app/windows/mapping_tree_model.h"

#include "app/panes/tree_pictures.h"
#include "app/shell/shell_pictures.h"
#include "document/tree_item_record.h"
#include "goose/signal_types.h"

#include <QApplication>
#include <QDataStream>
#include <QIODevice>
#include <QMimeData>
#include <QPalette>

namespace {

// A drag carries the dialog and the node as addresses, valid only in this process
// and for that dialog: the trees do not change while a drag is under way.
const QString kNodeFormat = QStringLiteral("application/x-varnholt-mapping-node");

enum IconIndex { kIedIcon, kBinaryInputIcon, kAnalogInputIcon, kBinaryOutputIcon, kAnalogOutputIcon };

}  // namespace

MappingTreeModel::MappingTreeModel(CMappingDialog& dialog, MappingTree tree, QObject* parent)
    : QAbstractItemModel(parent), dialog_(dialog), tree_(tree)
{
    icons_[kIedIcon] = TreeKindIcon(kKindIED);
    icons_[kBinaryInputIcon] = ShellIcon(ShellPicture::BinaryInput);
    icons_[kAnalogInputIcon] = ShellIcon(ShellPicture::AnalogInput);
    icons_[kBinaryOutputIcon] = ShellIcon(ShellPicture::BinaryOutput);
    icons_[kAnalogOutputIcon] = ShellIcon(ShellPicture::AnalogOutput);
}

QModelIndex MappingTreeModel::IndexOf(const MappingNode* node) const
{
    if (!node) return {};
    return createIndex(node->Row(), 0, const_cast<MappingNode*>(node));
}

MappingNode* MappingTreeModel::NodeAt(const QModelIndex& index)
{
    return index.isValid() ? static_cast<MappingNode*>(index.internalPointer()) : nullptr;
}

void MappingTreeModel::SetHighlighted(const MappingNode* node)
{
    if (node == highlighted_) return;
    QModelIndex before = IndexOf(highlighted_);
    highlighted_ = node;
    QModelIndex after = IndexOf(highlighted_);
    if (before.isValid()) emit dataChanged(before, before, {Qt::BackgroundRole, Qt::ForegroundRole});
    if (after.isValid()) emit dataChanged(after, after, {Qt::BackgroundRole, Qt::ForegroundRole});
}

MappingNode* MappingTreeModel::DraggedNode(const QMimeData* data) const
{
    if (!data || !data->hasFormat(kNodeFormat)) return nullptr;
    QByteArray bytes = data->data(kNodeFormat);
    QDataStream in(bytes);
    qint64 process = 0;
    quintptr dialog = 0, node = 0;
    in >> process >> dialog >> node;
    if (in.status() != QDataStream::Ok || process != QCoreApplication::applicationPid() ||
        dialog != reinterpret_cast<quintptr>(&dialog_))
        return nullptr;
    return reinterpret_cast<MappingNode*>(node);
}

const std::vector<std::unique_ptr<MappingNode>>& MappingTreeModel::Siblings(const MappingNode* parent) const
{
    return parent ? parent->children : dialog_.Roots(tree_);
}

QModelIndex MappingTreeModel::index(int row, int column, const QModelIndex& parent) const
{
    if (column != 0 || row < 0 || (parent.isValid() && parent.column() != 0)) return {};
    const auto& siblings = Siblings(NodeAt(parent));
    if (row >= static_cast<int>(siblings.size())) return {};
    return createIndex(row, 0, siblings[static_cast<size_t>(row)].get());
}

QModelIndex MappingTreeModel::parent(const QModelIndex& child) const
{
    const MappingNode* node = NodeAt(child);
    return node ? IndexOf(node->parent) : QModelIndex();
}

int MappingTreeModel::rowCount(const QModelIndex& parent) const
{
    if (parent.isValid() && parent.column() != 0) return 0;
    return static_cast<int>(Siblings(NodeAt(parent)).size());
}

int MappingTreeModel::columnCount(const QModelIndex&) const
{
    return 1;
}

bool MappingTreeModel::hasChildren(const QModelIndex& parent) const
{
    return rowCount(parent) > 0;
}

QVariant MappingTreeModel::data(const QModelIndex& index, int role) const
{
    const MappingNode* node = NodeAt(index);
    if (!node) return {};
    switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole: return QString::fromStdString(node->text);
    case Qt::DecorationRole: return Icon(*node);
    case Qt::BackgroundRole:
        if (node == highlighted_) return QApplication::palette().brush(QPalette::Active, QPalette::Highlight);
        return {};
    case Qt::ForegroundRole:
        if (node == highlighted_) return QApplication::palette().brush(QPalette::Active, QPalette::HighlightedText);
        return {};
    default: return {};
    }
}

Qt::ItemFlags MappingTreeModel::flags(const QModelIndex& index) const
{
    const MappingNode* node = NodeAt(index);
    if (!node) return Qt::ItemIsDropEnabled;
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDropEnabled;
    if (dialog_.CanDrag(node)) flags |= Qt::ItemIsDragEnabled;
    return flags;
}

QStringList MappingTreeModel::mimeTypes() const
{
    return {kNodeFormat};
}

QMimeData* MappingTreeModel::mimeData(const QModelIndexList& indexes) const
{
    if (indexes.size() != 1 || !NodeAt(indexes.front())) return nullptr;
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out << qint64(QCoreApplication::applicationPid()) << reinterpret_cast<quintptr>(&dialog_)
        << reinterpret_cast<quintptr>(NodeAt(indexes.front()));
    auto* data = new QMimeData;
    data->setData(kNodeFormat, bytes);
    return data;
}

Qt::DropActions MappingTreeModel::supportedDragActions() const
{
    return Qt::MoveAction;
}

Qt::DropActions MappingTreeModel::supportedDropActions() const
{
    return Qt::MoveAction;
}

const QIcon& MappingTreeModel::Icon(const MappingNode& node) const
{
    switch (node.kind) {
    case MappingNode::kInput:
        return icons_[node.input && IsBinaryInputAddress(node.input->intAddr) ? kBinaryInputIcon : kAnalogInputIcon];
    case MappingNode::kOutput:
        return icons_[node.output && IsAnalogOutputType(node.output->bType) ? kAnalogOutputIcon : kBinaryOutputIcon];
    case MappingNode::kIed: break;
    }
    return icons_[kIedIcon];
}
