#pragma once
#include "property_grid/property_grid_host.h"
#include "property_grid/property_item.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// A rectangle in the coordinates of the grid's visible area.
struct GridRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;

    bool IsEmpty() const { return width <= 0 || height <= 0; }
    bool Contains(int px, int py) const { return px >= x && px < x + width && py >= y && py < y + height; }
    bool operator==(const GridRect&) const = default;
};

// One visible row: a section header (item -1) or an item.
struct GridRow {
    int section = -1;
    int item = -1;
};

enum class GridPart { None, SectionBox, SectionHeader, Label, Value, Button, Divider };

struct GridHit {
    int row = -1;
    GridPart part = GridPart::None;
};

struct GridFocus {
    enum class Kind { None, Section, Item };
    Kind kind = Kind::None;
    int id = -1;

    static GridFocus Section(int id) { return {Kind::Section, id}; }
    static GridFocus Item(int id) { return {Kind::Item, id}; }
    bool operator==(const GridFocus&) const = default;
};

// Edit opens the editor of the focused item, Toggle flips a focused yes/no item.
enum class GridKey { Down, Up, Left, Right, Expand, Collapse, ExpandAll, CollapseAll, Edit, Toggle };

enum class GridEditor { None, InPlace, DropDown, TextDialog };

// The property grid without its window: named values in sections, the rows they show
// in either display mode, the focus, the geometry of rows and columns, and what the
// mouse, the keyboard and the pop-up editors do to them.
class PropertyGridModel {
public:
    static constexpr int kGrouped = 0;  // section headers shown, sections collapse
    static constexpr int kList = 1;     // the items of all sections in one list

    explicit PropertyGridModel(PropertyGridHost* host = nullptr) : host_(host) {}
    PropertyGridModel(const PropertyGridModel&) = delete;
    PropertyGridModel& operator=(const PropertyGridModel&) = delete;

    void SetHost(PropertyGridHost* host) { host_ = host; }

    // --- contents; the Add operations give -1 for an unknown section or a label
    // already present in the section, and then change nothing ---
    int AddSection(std::string title, bool collapsed);
    int AddStringItem(int section, std::string label, std::string text, bool editable);
    int AddTextItem(int section, std::string label, std::string text, bool editable);
    int AddIntegerItem(int section, std::string label, int32_t value, std::string format, bool editable);
    int AddComboItem(int section, std::string label, std::vector<std::string> options, int selected,
                     bool editable);
    int AddBoolItem(int section, std::string label, bool value, bool editable);
    // Closes any pop-up editor without taking its text and restarts both id counters.
    void ResetContents();

    // False for an unknown id or an item of another kind. Text: string and text items,
    // and the selected option of a choice. Integer: whole-number items, and the index
    // of a choice.
    bool GetItemText(int id, std::string& text) const;
    bool GetItemInteger(int id, int32_t& value) const;
    bool GetItemBool(int id, bool& value) const;
    bool SetItemText(int id, std::string text);
    bool SetItemInteger(int id, int32_t value);
    bool SetItemBool(int id, bool value);

    const std::vector<PropertySection>& Sections() const { return sections_; }
    const PropertySection* FindSection(int id) const;
    const PropertyItem* FindItem(int id) const;

    // --- rows ---
    void SetDisplayMode(int mode);
    int DisplayMode() const { return mode_; }
    int RowCount() const { return static_cast<int>(rows_.size()); }
    const GridRow& Row(int row) const { return rows_[static_cast<size_t>(row)]; }
    void SetSectionCollapsed(int section, bool collapsed);
    void ToggleSection(int section);
    void SetAllCollapsed(bool collapsed);

    // --- focus and keyboard ---
    GridFocus Focus() const { return focus_; }
    // A focus that is not shown (an unknown id, a section in list mode, an item of a
    // collapsed section) is not taken.
    void SetFocus(GridFocus focus);
    int FocusRow() const;
    // False when the key means nothing to the grid.
    bool KeyPress(GridKey key);
    // The focused item's value as shown, but with its line breaks; nothing while a
    // section or nothing has the focus.
    std::optional<std::string> FocusedValue() const;

    // --- geometry, in pixels; y counts from the top of the visible area ---
    void SetViewSize(int width, int height);
    void SetRowHeight(int height);
    int RowHeight() const { return rowHeight_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    // The column at the left of every row, holding the boxes of section headers.
    int Margin() const { return rowHeight_; }
    // Half the width until the user drags it.
    int Divider() const { return divider_; }
    void MoveDivider(int x);
    int ScrollTop() const { return scrollTop_; }
    int MaxScrollTop() const;
    void ScrollTo(int top);
    void EnsureRowVisible(int row);
    GridRect RowRect(int row) const;
    GridRect BoxRect(int row) const;
    GridRect LabelRect(int row) const;
    GridRect ValueRect(int row) const;
    // The "..." button of an editable text item; empty for other rows.
    GridRect ButtonRect(int row) const;
    // The value cell of a shown item, else empty.
    GridRect ValueCellOf(int itemId) const;
    GridHit HitTest(int x, int y) const;
    // Whether the pointer shows the column resize cursor.
    bool IsResizeCursorAt(int x, int y) const;

    // --- mouse ---
    void MousePress(int x, int y);
    void MouseMove(int x, int y);
    void MouseRelease();
    void DoubleClick(int x, int y);

    // --- pop-up editors; at most one is open ---
    GridEditor OpenEditor() const { return editor_; }
    int EditorItem() const { return editorItem_; }
    // Closes the open editor; the in-place editor's text is taken.
    void CloseEditor();
    // The in-place editor closed with `text`: a string item takes it, a whole-number
    // item its leading number unless it is empty.
    void EndInPlaceEdit(const std::string& text);
    // The drop-down list closed with the chosen row, or -1 without a choice.
    void EndDropDown(int index);

private:
    int AddItem(int section, std::unique_ptr<PropertyItem> item);
    PropertyItem* Item(int id);
    void Relayout();
    void RepairFocus();
    bool IsShown(GridFocus focus) const;
    bool MoveFocus(int step);
    bool KeyOnItem(GridKey key);
    int ClampDivider(int x) const;
    bool OpensEditorAt(const PropertyItem& item, GridPart part) const;
    void Open(int itemId);
    void RunTextDialog(PropertyItem& item);
    void Repaint() { if (host_) host_->Repaint(); }
    void LayoutChanged() { if (host_) host_->LayoutChanged(); }
    void Notify(int itemId) { if (host_) host_->ItemChanged(itemId); }

    PropertyGridHost* host_;
    std::vector<PropertySection> sections_;
    std::vector<std::unique_ptr<PropertyItem>> items_;  // by id
    std::vector<GridRow> rows_;
    int mode_ = kGrouped;
    GridFocus focus_;
    int rowHeight_ = 18;
    int width_ = 0;
    int height_ = 0;
    int divider_ = 0;
    bool dividerMoved_ = false;
    bool draggingDivider_ = false;
    int scrollTop_ = 0;
    int armedItem_ = -1;  // its editor opens when the mouse button is released
    GridEditor editor_ = GridEditor::None;
    int editorItem_ = -1;
    uint64_t generation_ = 0;  // grows with every ResetContents
};
