#include "property_grid/qt/property_grid_combo.h"

#include <QKeyEvent>
#include <QPainter>
#include <QScreen>
#include <QScrollBar>

CPropertyGridCombo::CPropertyGridCombo(QWidget* parent) : QAbstractScrollArea(parent)
{
    setWindowFlags(Qt::Popup);
    setFrameShape(QFrame::Box);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    viewport()->setMouseTracking(true);
}

void CPropertyGridCombo::Open(const QRect& cell, const QStringList& options, int current, int rowHeight)
{
    options_ = options;
    list_ = DropDownList(static_cast<int>(options.size()), current);
    rowHeight_ = std::max(rowHeight, 1);
    const int frame = 2 * frameWidth();
    QRect area(cell.left(), cell.bottom() + 1, std::max(cell.width(), 40), list_.VisibleRows() * rowHeight_ + frame);
    if (list_.MaxTop() > 0) area.setWidth(area.width() + verticalScrollBar()->sizeHint().width());
    if (const QScreen* screen = parentWidget() ? parentWidget()->screen() : nullptr) {
        const QRect room = screen->availableGeometry();
        if (area.bottom() > room.bottom() && cell.top() - area.height() >= room.top())
            area.moveBottom(cell.top() - 1);
        if (area.right() > room.right()) area.moveRight(room.right());
    }
    setGeometry(area);
    open_ = true;
    Sync();
    show();
    setFocus(Qt::PopupFocusReason);
}

void CPropertyGridCombo::Close()
{
    if (open_) hide();  // hideEvent tells
}

int CPropertyGridCombo::OptionAt(const QPoint& pos) const
{
    const int index = list_.Top() + pos.y() / rowHeight_;
    return pos.y() >= 0 && viewport()->rect().contains(pos) && index < list_.Count() ? index : -1;
}

void CPropertyGridCombo::Choose(int index)
{
    open_ = false;
    hide();
    emit optionChosen(index);
}

void CPropertyGridCombo::hideEvent(QHideEvent* event)
{
    QAbstractScrollArea::hideEvent(event);
    if (!open_) return;
    open_ = false;
    emit closedWithoutChoice();
}

void CPropertyGridCombo::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Up:
    case Qt::Key_Left: list_.MoveUp(); break;
    case Qt::Key_Down:
    case Qt::Key_Right: list_.MoveDown(); break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (list_.Highlight() >= 0)
            Choose(list_.Highlight());
        else
            Close();
        return;
    case Qt::Key_Escape: Close(); return;
    default: QAbstractScrollArea::keyPressEvent(event); return;
    }
    Sync();
}

void CPropertyGridCombo::mouseMoveEvent(QMouseEvent* event)
{
    // The open list holds the pointer: moves outside it arrive here too.
    const QPoint at = event->position().toPoint();
    if (!viewport()->rect().contains(at)) return;
    list_.Hover(at.y() / rowHeight_);
    viewport()->update();
}

void CPropertyGridCombo::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) return;
    const int index = OptionAt(event->position().toPoint());
    if (index >= 0) Choose(index);
}

void CPropertyGridCombo::scrollContentsBy(int, int)
{
    list_.ScrollTo(verticalScrollBar()->value());
    viewport()->update();
}

void CPropertyGridCombo::Sync()
{
    QScrollBar* bar = verticalScrollBar();
    bar->setRange(0, list_.MaxTop());
    bar->setPageStep(list_.VisibleRows());
    bar->setValue(list_.Top());
    viewport()->update();
}

void CPropertyGridCombo::paintEvent(QPaintEvent*)
{
    QPainter painter(viewport());
    const QPalette& colours = palette();
    painter.fillRect(viewport()->rect(), colours.color(QPalette::Base));
    for (int row = 0; row < list_.VisibleRows(); ++row) {
        const int index = list_.Top() + row;
        if (index >= list_.Count()) break;
        const QRect cell(0, row * rowHeight_, viewport()->width(), rowHeight_);
        const bool lit = index == list_.Highlight();
        if (lit) painter.fillRect(cell, colours.color(QPalette::Highlight));
        painter.setPen(colours.color(lit ? QPalette::HighlightedText : QPalette::Text));
        const QRect text = cell.adjusted(3, 0, -3, 0);
        painter.drawText(text, Qt::AlignLeft | Qt::AlignVCenter,
                         fontMetrics().elidedText(options_[index], Qt::ElideRight, text.width()));
    }
}
