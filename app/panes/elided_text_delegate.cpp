#include "app/panes/elided_text_delegate.h"

#include <QAbstractItemView>
#include <QHelpEvent>
#include <QTextDocument>
#include <QToolTip>

bool ElidedTextDelegate::IsCutShort(const QAbstractItemView* view, const QStyleOptionViewItem& option,
                                    const QModelIndex& index) const
{
    QStyleOptionViewItem item = option;
    initStyleOption(&item, index);
    if (item.text.isEmpty()) return false;
    const QStyle* style = view->style();
    // The margins the style keeps on both sides of an item's text.
    const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, view) + 1;
    const QRect text = style->subElementRect(QStyle::SE_ItemViewItemText, &item, view);
    return item.fontMetrics.horizontalAdvance(item.text) > text.width() - 2 * margin;
}

bool ElidedTextDelegate::helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                                   const QModelIndex& index)
{
    if (!view || event->type() != QEvent::ToolTip || index.data(Qt::ToolTipRole).isValid())
        return QStyledItemDelegate::helpEvent(event, view, option, index);
    if (IsCutShort(view, option, index))
        QToolTip::showText(event->globalPos(), PlainToolTip(index.data(Qt::DisplayRole).toString()), view);
    else
        QToolTip::hideText();
    return true;
}

QString PlainToolTip(const QString& text)
{
    return Qt::mightBeRichText(text) ? Qt::convertFromPlainText(text, Qt::WhiteSpaceNormal) : text;
}
