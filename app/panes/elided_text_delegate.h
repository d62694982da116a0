#pragma once
#include <QStyledItemDelegate>

// Draws items as usual and gives an item that has no tooltip of its own its whole text
// as tooltip while the view shows that text cut short.
class ElidedTextDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    bool helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                   const QModelIndex& index) override;
    // Whether `view` (not null) shows the text of `index`, in the cell `option`
    // describes, cut short.
    bool IsCutShort(const QAbstractItemView* view, const QStyleOptionViewItem& option,
                    const QModelIndex& index) const;
};

// `text` for a tooltip, shown as written even where Qt would take it for markup.
QString PlainToolTip(const QString& text);
