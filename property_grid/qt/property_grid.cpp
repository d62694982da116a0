#include "property_grid/qt/property_grid.h"

#include "property_grid/qt/property_grid_combo.h"
#include "property_grid/qt/property_grid_in_place_edit.h"
#include "property_grid/qt/property_grid_text_dialog.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTextDocument>
#include <QToolTip>

CPropertyGrid::CPropertyGrid(QWidget* parent) : QAbstractScrollArea(parent), model_(this)
{
    if (!parent) {
        QFont tahoma(QStringLiteral("Tahoma"));
        tahoma.setPointSizeF(8.5);
        setFont(tahoma);
    }
    setFocusPolicy(Qt::WheelFocus);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    viewport()->setMouseTracking(true);
    UpdateRowHeight();
    model_.SetViewSize(viewport()->width(), viewport()->height());
}

// The pop-up editors outlive the model by a moment (children go last); whatever they
// say while going must not reach it.
CPropertyGrid::~CPropertyGrid()
{
    if (edit_) edit_->disconnect(this);
    if (combo_) combo_->disconnect(this);
    model_.SetHost(nullptr);
}

void CPropertyGrid::UpdateRowHeight() { model_.SetRowHeight(fontMetrics().height() + 4); }

void CPropertyGrid::changeEvent(QEvent* event)
{
    QAbstractScrollArea::changeEvent(event);
    if (event->type() == QEvent::FontChange) UpdateRowHeight();
}

void CPropertyGrid::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    model_.SetViewSize(viewport()->width(), viewport()->height());
}

void CPropertyGrid::scrollContentsBy(int, int) { model_.ScrollTo(verticalScrollBar()->value()); }

void CPropertyGrid::Repaint() { viewport()->update(); }

void CPropertyGrid::LayoutChanged()
{
    QScrollBar* bar = verticalScrollBar();
    bar->setSingleStep(model_.RowHeight());
    bar->setPageStep(std::max(model_.Height(), 1));
    bar->setRange(0, model_.MaxScrollTop());
    bar->setValue(model_.ScrollTop());
    if (edit_ && edit_->IsOpen() && model_.OpenEditor() == GridEditor::InPlace)
        edit_->setGeometry(CellOf(model_.EditorItem()));
    viewport()->update();
}

QRect CPropertyGrid::CellOf(int itemId) const { return ToQRect(model_.ValueCellOf(itemId)); }

void CPropertyGrid::OpenInPlaceEdit(int itemId, const std::string& text)
{
    if (!edit_) {
        edit_ = new CPropertyGridInPlaceEdit(viewport(), this);
        connect(edit_, &CPropertyGridInPlaceEdit::editClosed, this,
                [this](const QString& edited) { model_.EndInPlaceEdit(edited.toStdString()); });
    }
    edit_->Open(CellOf(itemId), QString::fromStdString(text));
}

void CPropertyGrid::OpenDropDown(int itemId, const std::vector<std::string>& options, int current)
{
    if (!combo_) {
        combo_ = new CPropertyGridCombo(this);
        connect(combo_, &CPropertyGridCombo::optionChosen, this, [this](int index) { model_.EndDropDown(index); });
        connect(combo_, &CPropertyGridCombo::closedWithoutChoice, this, [this] { model_.EndDropDown(-1); });
    }
    QStringList texts;
    for (const std::string& option : options) texts.append(QString::fromStdString(option));
    const QRect cell = CellOf(itemId);
    combo_->Open(QRect(viewport()->mapToGlobal(cell.topLeft()), cell.size()), texts, current, model_.RowHeight());
}

void CPropertyGrid::CloseEditor()
{
    if (edit_) edit_->Close();
    if (combo_) combo_->Close();
}

bool CPropertyGrid::EditText(const std::string& title, std::string& text)
{
    QString edited = QString::fromStdString(text);
    if (!RunTextDialog(QString::fromStdString(title), edited)) return false;
    text = edited.toStdString();
    return true;
}

bool CPropertyGrid::RunTextDialog(const QString& title, QString& text)
{
    CPropertyGridTextDialog dialog(this, title, text);
    if (dialog.exec() != QDialog::Accepted) return false;
    text = dialog.Text();
    return true;
}

void CPropertyGrid::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) return;
    const QPoint at = event->position().toPoint();
    model_.MousePress(at.x(), at.y());
}

void CPropertyGrid::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint at = event->position().toPoint();
    if (event->buttons() & Qt::LeftButton) model_.MouseMove(at.x(), at.y());
    if (model_.IsResizeCursorAt(at.x(), at.y()))
        viewport()->setCursor(Qt::SizeHorCursor);
    else
        viewport()->unsetCursor();
}

void CPropertyGrid::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) model_.MouseRelease();
}

void CPropertyGrid::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) return;
    const QPoint at = event->position().toPoint();
    model_.DoubleClick(at.x(), at.y());
}

bool CPropertyGrid::viewportEvent(QEvent* event)
{
    if (event->type() != QEvent::ToolTip) return QAbstractScrollArea::viewportEvent(event);
    auto* help = static_cast<QHelpEvent*>(event);
    const QString text = ToolTipAt(help->pos());
    if (text.isEmpty())
        QToolTip::hideText();
    else
        QToolTip::showText(help->globalPos(), Qt::mightBeRichText(text) ? Qt::convertFromPlainText(text) : text,
                           viewport());
    return true;
}

void CPropertyGrid::keyPressEvent(QKeyEvent* event)
{
    static const std::pair<int, GridKey> keys[] = {
        {Qt::Key_Down, GridKey::Down},        {Qt::Key_Up, GridKey::Up},
        {Qt::Key_Left, GridKey::Left},        {Qt::Key_Right, GridKey::Right},
        {Qt::Key_Plus, GridKey::Expand},      {Qt::Key_Minus, GridKey::Collapse},
        {Qt::Key_Asterisk, GridKey::ExpandAll}, {Qt::Key_Slash, GridKey::CollapseAll},
        {Qt::Key_Return, GridKey::Edit},      {Qt::Key_Enter, GridKey::Edit},
        {Qt::Key_F2, GridKey::Edit},          {Qt::Key_Space, GridKey::Toggle},
    };
    if (event->matches(QKeySequence::Copy)) {
        if (const std::optional<std::string> value = model_.FocusedValue()) {
            QGuiApplication::clipboard()->setText(QString::fromStdString(*value));
            event->accept();
            return;
        }
    }
    for (const auto& [key, gridKey] : keys) {
        if (event->key() == key && model_.KeyPress(gridKey)) {
            event->accept();
            return;
        }
    }
    QAbstractScrollArea::keyPressEvent(event);
}
