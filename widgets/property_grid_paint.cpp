#include "widgets/property_grid.h"

#include <QPainter>

namespace {

void DrawCellText(QPainter& painter, const QRect& cell, const QString& text)
{
    const QRect inner = cell.adjusted(3, 0, -2, 0);
    painter.drawText(inner, Qt::AlignLeft | Qt::AlignVCenter,
                     painter.fontMetrics().elidedText(text, Qt::ElideRight, inner.width()));
}

}  // namespace

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

    const QRect title(cell.right() + 1, line.top(), line.width() - cell.width(), line.height());
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
    QRect value = ToQRect(model_.ValueRect(row));
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
        value.setRight(button.left() - 1);
    } else if (focused && item.editable && listed) {
        // A drop-down mark: the list opens from anywhere in the cell.
        const QRect mark(value.right() - line.height() + 1, line.top(), line.height(), line.height());
        const QPoint c = mark.center();
        painter.setPen(Qt::NoPen);
        painter.setBrush(colours.color(QPalette::Text));
        painter.drawPolygon(QPolygon({QPoint(c.x() - 3, c.y() - 1), QPoint(c.x() + 3, c.y() - 1), QPoint(c.x(), c.y() + 2)}));
        painter.setBrush(Qt::NoBrush);
        value.setRight(mark.left() - 1);
    }
    painter.setPen(item.editable ? colours.color(QPalette::Text) : colours.color(QPalette::Disabled, QPalette::Text));
    DrawCellText(painter, value, QString::fromStdString(ShownValue(item)));

    painter.setPen(colours.color(QPalette::Button));
    painter.drawLine(line.left() + model_.Margin(), line.bottom(), line.right(), line.bottom());
    painter.drawLine(model_.Divider(), line.top(), model_.Divider(), line.bottom());
}
