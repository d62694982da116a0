#pragma once
#include <QMenu>
#include <QPointer>
#include <QTreeView>

// The tree pane: one column, no header, single selection. A right click opens the
// context menu without moving the selection, since the menu acts on the selected item.
class CProjectTreePane : public QTreeView {
public:
    explicit CProjectTreePane(QWidget* parent = nullptr);

    void SetContextMenu(QMenu* menu) { contextMenu_ = menu; }
    QMenu* ContextMenu() const { return contextMenu_; }

    // Makes `index` the current and selected item and scrolls it into view,
    // expanding its ancestors; an invalid index clears the selection.
    void ShowCurrent(const QModelIndex& index);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    QPointer<QMenu> contextMenu_;
};
