#pragma once
#include <QWidget>

#include <memory>

class CPropertyGrid;
class CVarnholtDoc;
class CVarnholtView;
class PropertyViewLogic;
class QToolButton;
class UserInterface;

// The pane right of the tree: the two display mode buttons above the property grid
// of the selected element. Edits go to PropertyViewLogic; one that is written makes
// the document's other views update, so that the main window shows the change.
class CPropertyView : public QWidget {
public:
    CPropertyView(CVarnholtView& view, UserInterface& ui, QWidget* parent = nullptr);
    ~CPropertyView() override;

    CPropertyGrid* Grid() const { return grid_; }
    QToolButton* GroupedButton() const { return grouped_; }
    QToolButton* ListButton() const { return list_; }
    PropertyViewLogic& Logic() const { return *logic_; }

private:
    void OnItemChanged(int itemId);
    void ShowDisplayMode(int mode);

    CVarnholtDoc& doc_;
    CPropertyGrid* grid_;
    QToolButton* grouped_;
    QToolButton* list_;
    std::unique_ptr<PropertyViewLogic> logic_;
};
