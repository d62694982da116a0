#include "app/windows/address_table_window.h"

#include "document/user_interface.h"
#include "document/varnholt_doc.h"
#include "project_tree/scl_lookups.h"
#include "project_tree/varnholt_view.h"

#include <QBrush>
#include <QColor>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QSortFilterProxyModel>
#include <QTableView>
#include <QVBoxLayout>

namespace {

// Sorted by this role: hex values in any case sort as one.
constexpr int kSortRole = Qt::UserRole;

bool HasError(const AddressRow& row)
{
    for (const Finding& finding : row.findings)
        if (finding.level == FindingLevel::Error) return true;
    return false;
}

}  // namespace

AddressTableModel::AddressTableModel(CVarnholtView& view, UserInterface& ui, QObject* parent)
    : QAbstractTableModel(parent), view_(view), ui_(ui), rows_(BuildAddressTable(view.Document().Root()))
{
}

int AddressTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int AddressTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : kAddressColumnCount;
}

QVariant AddressTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid()) return {};
    const AddressRow& row = Row(index.row());
    const QString cell = QString::fromStdString(row.cells[static_cast<size_t>(index.column())]);
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole: return cell;
    case kSortRole: return cell.toUpper();
    case Qt::ToolTipRole: {
        QStringList lines;
        for (const Finding& finding : row.findings) lines << QString::fromStdString(FindingLine(finding));
        return lines.isEmpty() ? QVariant() : QVariant(lines.join('\n'));
    }
    case Qt::BackgroundRole:
        if (row.findings.empty()) return {};
        return QBrush(HasError(row) ? QColor(255, 205, 205) : QColor(255, 240, 180));
    default: return {};
    }
}

QVariant AddressTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    return QString::fromUtf8(AddressColumnTitle(section));
}

Qt::ItemFlags AddressTableModel::flags(const QModelIndex& index) const
{
    Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    if (index.isValid() && IsEditableAddressCell(Row(index.row()), index.column())) flags |= Qt::ItemIsEditable;
    return flags;
}

bool AddressTableModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!index.isValid() || role != Qt::EditRole) return false;
    const std::string text = value.toString().toStdString();
    const AddressRow row = Row(index.row());
    switch (EditAddressCell(view_, row, index.column(), text)) {
    case CellEdit::Written:
        Reload();  // the findings of other rows may change too
        return true;
    case CellEdit::Unchanged: return false;
    case CellEdit::Refused:
        ui_.ShowMessage("Edit address", "Illegal value " + text, MessageIcon::Error, MessageButtons::Ok);
        return false;
    }
    return false;
}

void AddressTableModel::Reload()
{
    beginResetModel();
    rows_ = BuildAddressTable(view_.Document().Root());
    endResetModel();
}

AddressTableWindow::AddressTableWindow(CVarnholtView& view, UserInterface& ui, QWidget* parent) : QDialog(parent)
{
    setWindowTitle(tr("Address Table"));
    setSizeGripEnabled(true);
    model_ = new AddressTableModel(view, ui, this);
    sorted_ = new QSortFilterProxyModel(this);
    sorted_->setSourceModel(model_);
    sorted_->setSortRole(kSortRole);
    sorted_->setFilterKeyColumn(-1);
    sorted_->setFilterCaseSensitivity(Qt::CaseInsensitive);

    filter_ = new QLineEdit;
    filter_->setPlaceholderText(tr("Show the rows that hold this text"));
    filter_->setClearButtonEnabled(true);
    connect(filter_, &QLineEdit::textChanged, sorted_, &QSortFilterProxyModel::setFilterFixedString);
    auto* filterLabel = new QLabel(tr("&Filter:"));
    filterLabel->setBuddy(filter_);

    table_ = new QTableView;
    table_->setModel(sorted_);
    table_->setSortingEnabled(true);
    table_->sortByColumn(-1, Qt::AscendingOrder);  // document order until a header is clicked
    table_->setSelectionBehavior(QAbstractItemView::SelectItems);
    table_->setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::SelectedClicked);
    table_->verticalHeader()->setVisible(false);
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    connect(table_, &QTableView::doubleClicked, this, [this, &view](const QModelIndex& index) {
        const QModelIndex source = sorted_->mapToSource(index);
        if (!source.isValid()) return;
        if (TreeItem* item = FindItemOfElement(view, model_->Row(source.row()).element)) view.Select(item);
    });

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* filterRow = new QHBoxLayout;
    filterRow->addWidget(filterLabel);
    filterRow->addWidget(filter_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(filterRow);
    layout->addWidget(table_);
    layout->addWidget(buttons);
    resize(1100, 500);
}
