#pragma once
#include <string>
#include <vector>

// The window side of a property grid: draws it, shows its pop-up editors and tells
// the grid's owner about changes made by the user. Every call is synchronous.
class PropertyGridHost {
public:
    virtual ~PropertyGridHost() = default;

    // Values or focus changed; the rows stay where they are.
    virtual void Repaint() {}
    // Rows, scroll position, row height or divider changed.
    virtual void LayoutChanged() {}
    // The user changed the item; read the new value with the grid's getters.
    virtual void ItemChanged(int /*itemId*/) {}

    // Shows the in-place editor over the item's value cell. It answers, when it
    // closes, with PropertyGridModel::EndInPlaceEdit.
    virtual void OpenInPlaceEdit(int /*itemId*/, const std::string& /*text*/) {}
    // Shows the drop-down list under the item's value cell with `current` highlighted.
    // It answers with PropertyGridModel::EndDropDown.
    virtual void OpenDropDown(int /*itemId*/, const std::vector<std::string>& /*options*/, int /*current*/) {}
    // Closes the open in-place editor or drop-down list, which answers as above.
    virtual void CloseEditor() {}
    // Runs the modal text dialog; true on OK with `text` replaced by the edited text.
    virtual bool EditText(const std::string& /*title*/, std::string& /*text*/) { return false; }
};
