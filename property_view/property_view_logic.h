#pragma once
#include "document/document_view.h"
#include "property_view/property_rows.h"

#include <libxml/tree.h>

class CVarnholtDoc;
class CVarnholtView;
class PropertyGridModel;
class UserInterface;

// The pane beside the project tree: shows the element of the selected tree item in a
// property grid and writes the user's changes of its editable rows into the document,
// each checked against the schema. The window only makes the grid and the two display
// mode buttons and forwards to this class; it registers itself with the document, so
// it refreshes whenever the selection changes or the views are told to update.
class PropertyViewLogic : public DocumentView {
public:
    // Height of the row above the grid that holds the two display mode buttons.
    static constexpr int kButtonRowHeight = 24;

    enum class EditOutcome {
        Ignored,    // no editable row, or one that no longer matches the document
        Unchanged,  // the row holds the value already in the document
        Written,    // stored, the tree item relabelled and the document marked modified
        Refused,    // "Illegal value %s" shown; row and document hold the old value again
    };

    PropertyViewLogic(CVarnholtView& view, PropertyGridModel& grid, UserInterface& ui);
    ~PropertyViewLogic() override;
    PropertyViewLogic(const PropertyViewLogic&) = delete;
    PropertyViewLogic& operator=(const PropertyViewLogic&) = delete;

    // Empties the grid and fills it for the selected tree item.
    void Refresh();
    // The grid's notification that the user changed `itemId`.
    EditOutcome OnItemChanged(int itemId);

    // The first button shows the sections (PropertyGridModel::kGrouped), the second
    // one list of all rows (kList).
    void SetDisplayMode(int mode);
    int DisplayMode() const;

    // --- DocumentView ---
    void OnInitialUpdate() override { Refresh(); }
    void OnUpdate(DocumentView* /*sender*/) override { Refresh(); }

private:
    void PutBackInRow(int itemId, const EditEntry& entry, const std::string& value);
    void ReportIllegalValue(const std::string& value);

    CVarnholtDoc& doc_;
    CVarnholtView& view_;
    PropertyGridModel& grid_;
    UserInterface& ui_;
    xmlNode* shown_ = nullptr;  // compared only: the element the rows were made for
    EditTable edits_;
};
