#include "property_grid/qt/property_grid_in_place_edit.h"

#include <QKeyEvent>

CPropertyGridInPlaceEdit::CPropertyGridInPlaceEdit(QWidget* parent, QWidget* owner)
    : QLineEdit(parent), owner_(owner)
{
    setFrame(false);
    hide();
}

void CPropertyGridInPlaceEdit::Open(const QRect& cell, const QString& text)
{
    initial_ = text;
    setText(text);
    setGeometry(cell);
    selectAll();
    open_ = true;
    show();
    setFocus(Qt::OtherFocusReason);
}

void CPropertyGridInPlaceEdit::Close()
{
    if (!open_) return;
    open_ = false;
    if (hasFocus() && owner_) owner_->setFocus(Qt::OtherFocusReason);
    hide();
    emit editClosed(text());
}

bool CPropertyGridInPlaceEdit::event(QEvent* event)
{
    if (event->type() == QEvent::KeyPress || event->type() == QEvent::ShortcutOverride) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Tab || key == Qt::Key_Backtab || key == Qt::Key_Escape || key == Qt::Key_Return ||
            key == Qt::Key_Enter) {
            // Ours before any shortcut of the window or the focus chain takes them.
            if (event->type() == QEvent::ShortcutOverride)
                event->accept();
            else
                keyPressEvent(static_cast<QKeyEvent*>(event));
            return true;
        }
    }
    return QLineEdit::event(event);
}

void CPropertyGridInPlaceEdit::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Escape: setText(initial_); [[fallthrough]];
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Tab:
    case Qt::Key_Backtab: Close(); return;
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        if (event->modifiers() & Qt::ControlModifier) {
            Close();
            return;
        }
        break;
    default: break;
    }
    QLineEdit::keyPressEvent(event);
}

void CPropertyGridInPlaceEdit::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    // A focus that moves to a pop-up menu (the context menu of the field) comes back.
    if (event->reason() != Qt::PopupFocusReason) Close();
}
