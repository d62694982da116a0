#pragma once
#include "property_grid/drop_down_list.h"

#include <QAbstractScrollArea>
#include <QStringList>

// The drop-down list laid under a value cell, one row per option. The pointer or the
// arrow keys move the highlight; a click or Enter chooses, Escape or a click outside
// closes without a choice.
class CPropertyGridCombo : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit CPropertyGridCombo(QWidget* parent);

    // `cell` in global coordinates; the list opens below it, or above when the
    // screen has no room below.
    void Open(const QRect& cell, const QStringList& options, int current, int rowHeight);
    // Without a choice.
    void Close();
    bool IsOpen() const { return open_; }
    int Highlight() const { return list_.Highlight(); }
    // The option at `pos` of the viewport, -1 for none.
    int OptionAt(const QPoint& pos) const;

signals:
    void optionChosen(int index);
    void closedWithoutChoice();

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    void Choose(int index);
    void Sync();

    QStringList options_;
    DropDownList list_;
    int rowHeight_ = 18;
    bool open_ = false;
};
