#include "app/windows/compare_window.h"

#include "compare/compare_dialog.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <map>

namespace {

constexpr int kDifferenceRole = Qt::UserRole;
// Up to this many differences the tree opens whole.
constexpr size_t kExpandedDifferences = 2000;

QColor ColourOf(Difference::Kind kind)
{
    switch (kind) {
    case Difference::Kind::Added: return QColor(0, 128, 0);
    case Difference::Kind::Removed: return QColor(190, 0, 0);
    case Difference::Kind::Changed: break;
    }
    return QColor(190, 100, 0);
}

QIcon IconOf(Difference::Kind kind)
{
    QPixmap picture(16, 16);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(ColourOf(kind));
    painter.setPen(Qt::NoPen);
    painter.drawEllipse(1, 1, 14, 14);
    painter.setPen(QPen(Qt::white, 2));
    painter.drawLine(4, 8, 12, 8);
    if (kind == Difference::Kind::Added) painter.drawLine(8, 4, 8, 12);
    if (kind == Difference::Kind::Changed) painter.drawLine(4, 5, 12, 5);
    return QIcon(picture);
}

}  // namespace

CCompareWindow::CCompareWindow(const CCompareDialog& model, QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QString::fromStdString(model.Title()));
    setSizeGripEnabled(true);
    auto* heading = new QLabel(QString::fromStdString(model.Heading()));
    heading->setWordWrap(true);

    tree_ = new QTreeWidget;
    tree_->setHeaderLabels({tr("Element"), tr("Change")});
    tree_->header()->setSectionResizeMode(0, QHeaderView::Interactive);
    std::map<std::vector<std::string>, QTreeWidgetItem*> items;  // by the path's first steps
    const std::vector<Difference>& differences = model.Differences();
    for (size_t index = 0; index < differences.size(); ++index) {
        const Difference& difference = differences[index];
        QTreeWidgetItem* parent = nullptr;
        std::vector<std::string> steps;
        for (const std::string& step : difference.steps) {
            steps.push_back(step);
            QTreeWidgetItem*& item = items[steps];
            if (!item) {
                item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(tree_);
                item->setText(0, QString::fromStdString(step));
                item->setData(0, kDifferenceRole, -1);
            }
            parent = item;
        }
        if (!parent) continue;  // every difference has a path
        // An added or removed element is its own item; a changed value goes below it.
        QTreeWidgetItem* shown = difference.kind == Difference::Kind::Changed ? new QTreeWidgetItem(parent) : parent;
        shown->setText(1, QString::fromStdString(CCompareDialog::ChangeText(difference)));
        shown->setIcon(difference.kind == Difference::Kind::Changed ? 1 : 0, IconOf(difference.kind));
        for (int column = 0; column < 2; ++column) shown->setForeground(column, ColourOf(difference.kind));
        shown->setData(0, kDifferenceRole, static_cast<int>(index));
    }
    if (differences.empty()) new QTreeWidgetItem(tree_, {tr("No differences")});
    if (differences.size() <= kExpandedDifferences) tree_->expandAll();
    tree_->resizeColumnToContents(0);
    connect(tree_, &QTreeWidget::itemDoubleClicked, this, [&model](QTreeWidgetItem* item) {
        const int index = item->data(0, kDifferenceRole).toInt();
        if (index >= 0) model.Activate(static_cast<size_t>(index));
    });

    auto* buttons = new QDialogButtonBox(model.AsksToGoOn() ? QDialogButtonBox::Ok | QDialogButtonBox::Cancel
                                                            : QDialogButtonBox::Close);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    layout->addWidget(tree_);
    layout->addWidget(buttons);
    resize(800, 500);
}
