#include "property_grid/qt/property_grid.h"

#include <QPainter>

namespace {

QRect TextArea(const QRect& cell) { return cell.adjusted(3, 0, -2, 0); }

void DrawCellText(QPainter& painter, const QRect& cell, const QString& text)
{
    const QRect inner = TextArea(cell);
    painter.drawText(inner, Qt::AlignLeft | Qt::AlignVCenter,
                     painter.fontMetrics().elidedText(text, Qt::ElideRight, inner.width()));
}

bool IsCutShort(const QFontMetrics& metrics, const QRect& cell, const QString& text)
{
    return metrics.horizontalAdvance(text) > TextArea(cell).width();
}

}  // namespace

QRect CPropertyGrid::TitleCell(int row) const
{
    const QRect line = ToQRect(model_.RowRect(row));
    return line.adjusted(model_.Margin(), 0, 0, 0);
}

// The value cell less the "..." button or the drop-down mark drawn in it.
QRect CPropertyGrid::ValueTextCell(int row, const PropertyItem& item) const
{
    QRect value = ToQRect(model_.ValueRect(row));
    const QRect button = ToQRect(model_.ButtonRect(row));
    const bool listed = item.kind == PropertyKind::Choice || item.kind == PropertyKind::Bool;
    if (!button.isEmpty())
        value.setRight(button.left() - 1);
    else if (model_.Focus() == GridFocus::Item(item.id) && item.editable && listed)
        value.setRight(value.right() - model_.RowHeight());
    return value;
}

QString CPropertyGrid::ToolTipAt(const QPoint& pos) const
{
    const GridHit hit = model_.HitTest(pos.x(), pos.y());
    if (hit.row < 0) return {};
    const GridRow& row = model_.Row(hit.row);
    if (row.item < 0) {
        QFont bold = font();
        bold.setBold(true);
        const QString title = QString::fromStdString(model_.FindSection(row.section)->title);
        return IsCutShort(QFontMetrics(bold), TitleCell(hit.row), title) ? title : QString();
    }
    const PropertyItem& item = *model_.FindItem(row.item);
    if (hit.part == GridPart::Label) {
        const QString label = QString::fromStdString(item.label);
        return IsCutShort(fontMetrics(), ToQRect(model_.LabelRect(hit.row)), label) ? label : QString();
    }
    if (hit.part != GridPart::Value) return {};
    const QString shown = QString::fromStdString(ShownValue(item));
    if (!IsCutShort(fontMetrics(), ValueTextCell(hit.row, item), shown)) return {};
    return QString::fromStdString(item.kind == PropertyKind::Text ? item.text : ShownValue(item));
}

void CPropertyGrid::paintEvent(QPaintEvent*)
{
    QPainter painter(viewport());
    const QPalette& colours = palette();
    painter.fillRect(viewport()->rect(), colours.color(QPalette::Base));
    const int rowsBottom = model_.RowCount() * model_.RowHeight() - model_.ScrollTop();
    painter.fillRect(QRect(0, 0, model_.Margin(), rowsBottom), colours.color(QPalette::Button));
    const int first = model_.ScrollTop() / model_.RowHeight();
    for (int row = first; row < model_.RowCount() && model_.RowRect(row).y < model_.Height(); ++row) {
        const GridRow& shown = model_.Row(row);
        if (shown.item < 0)
            PaintHeader(painter, row, *model_.FindSection(shown.section));
        else
            PaintItem(painter, row, *model_.FindItem(shown.item));
    }
}

void CPropertyGrid::PaintHeader(QPainter& painter, int row, const PropertySection& section) const
{
    const QPalette& colours = palette();
    const QRect line = ToQRect(model_.RowRect(row));
    painter.fillRect(line, colours.color(QPalette::Button));

    const QRect cell = ToQRect(model_.BoxRect(row));
    const int side = std::min(9, cell.height() - 2) | 1;
    QRect box(0, 0, side - 1, side - 1);
    box.moveCenter(cell.center());
    painter.setPen(colours.color(QPalette::Text));
    painter.fillRect(box, colours.color(QPalette::Base));
    painter.drawRect(box);
    const QPoint mid = box.center();
    painter.drawLine(box.left() + 2, mid.y(), box.right() - 2, mid.y());
    if (section.collapsed) painter.drawLine(mid.x(), box.top() + 2, mid.x(), box.bottom() - 2);

    const QRect title = TitleCell(row);
    const bool focused = model_.Focus() == GridFocus::Section(section.id);
    if (focused) painter.fillRect(title, colours.color(QPalette::Highlight));
    QFont bold = font();
    bold.setBold(true);
    painter.setFont(bold);
    painter.setPen(colours.color(focused ? QPalette::HighlightedText : QPalette::Text));
    DrawCellText(painter, title, QString::fromStdString(section.title));
    painter.setFont(font());
}

void CPropertyGrid::PaintItem(QPainter& painter, int row, const PropertyItem& item) const
{
    const QPalette& colours = palette();
    const QRect line = ToQRect(model_.RowRect(row));
    const QRect label = ToQRect(model_.LabelRect(row));
    const QRect value = ValueTextCell(row, item);
    const bool focused = model_.Focus() == GridFocus::Item(item.id);

    if (focused) painter.fillRect(label, colours.color(QPalette::Highlight));
    painter.setPen(colours.color(focused ? QPalette::HighlightedText : QPalette::Text));
    DrawCellText(painter, label, QString::fromStdString(item.label));

    const QRect button = ToQRect(model_.ButtonRect(row));
    const bool listed = item.kind == PropertyKind::Choice || item.kind == PropertyKind::Bool;
    if (!button.isEmpty()) {
        painter.fillRect(button.adjusted(1, 1, -1, -1), colours.color(QPalette::Button));
        painter.setPen(colours.color(QPalette::ButtonText));
        painter.drawText(button, Qt::AlignCenter, QStringLiteral("..."));
    } else if (focused && item.editable && listed) {
        // A drop-down mark: the list opens from anywhere in the cell.
        const QRect mark(value.right() + 1, line.top(), line.height(), line.height());
        const QPoint c = mark.center();
        painter.setPen(Qt::NoPen);
        painter.setBrush(colours.color(QPalette::Text));
        painter.drawPolygon(QPolygon({QPoint(c.x() - 3, c.y() - 1), QPoint(c.x() + 3, c.y() - 1), QPoint(c.x(), c.y() + 2)}));
        painter.setBrush(Qt::NoBrush);
    }
    painter.setPen(item.editable ? colours.color(QPalette::Text) : colours.color(QPalette::Disabled, QPalette::Text));
    DrawCellText(painter, value, QString::fromStdString(ShownValue(item)));

    painter.setPen(colours.color(QPalette::Button));
    painter.drawLine(line.left() + model_.Margin(), line.bottom(), line.right(), line.bottom());
    painter.drawLine(model_.Divider(), line.top(), model_.Divider(), line.bottom());
}
