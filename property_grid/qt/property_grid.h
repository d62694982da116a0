#pragma once
#include "property_grid/property_grid_model.h"

#include <QAbstractScrollArea>

class CPropertyGridCombo;
class CPropertyGridInPlaceEdit;

// Named values in two columns, grouped in sections, edited in place. The contents are
// filled, read and changed through Model(); the grid draws them and turns the mouse
// and the keyboard into the model's rules. It takes its parent's font, or Tahoma at
// 8.5 points without a parent.
class CPropertyGrid : public QAbstractScrollArea, private PropertyGridHost {
    Q_OBJECT
public:
    explicit CPropertyGrid(QWidget* parent = nullptr);
    ~CPropertyGrid() override;

    PropertyGridModel& Model() { return model_; }
    const PropertyGridModel& Model() const { return model_; }

    // The pop-up editors, made when first needed (null until then).
    CPropertyGridInPlaceEdit* InPlaceEdit() const { return edit_; }
    CPropertyGridCombo* DropDown() const { return combo_; }

    // The whole text of the label, value or section title at `pos` of the viewport
    // when the grid shows it cut short; empty otherwise.
    QString ToolTipAt(const QPoint& pos) const;

signals:
    // The user changed the item; read its new value from Model(). Emitted while the
    // change is handled, so a receiver may refill the grid.
    void itemChanged(int itemId);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    // Enter and F2 edit the focused item, Space flips a yes/no item, Ctrl+C copies
    // the focused value.
    void keyPressEvent(QKeyEvent* event) override;
    bool viewportEvent(QEvent* event) override;
    // Runs the modal text dialog; true on OK with `text` replaced.
    virtual bool RunTextDialog(const QString& title, QString& text);

private:
    // --- PropertyGridHost ---
    void Repaint() override;
    void LayoutChanged() override;
    void ItemChanged(int itemId) override { emit itemChanged(itemId); }
    void OpenInPlaceEdit(int itemId, const std::string& text) override;
    void OpenDropDown(int itemId, const std::vector<std::string>& options, int current) override;
    void CloseEditor() override;
    bool EditText(const std::string& title, std::string& text) override;

    static QRect ToQRect(const GridRect& r) { return QRect(r.x, r.y, r.width, r.height); }
    void UpdateRowHeight();
    QRect CellOf(int itemId) const;
    QRect TitleCell(int row) const;
    QRect ValueTextCell(int row, const PropertyItem& item) const;
    void PaintHeader(QPainter& painter, int row, const PropertySection& section) const;
    void PaintItem(QPainter& painter, int row, const PropertyItem& item) const;

    PropertyGridModel model_;
    CPropertyGridInPlaceEdit* edit_ = nullptr;
    CPropertyGridCombo* combo_ = nullptr;
};
