#pragma once
#include "document/type_index.h"

#include <string>

// A view of the document (the project tree, the property view, the caption).
class DocumentView {
public:
    virtual ~DocumentView() = default;
    // The document has a new XML tree (New or Open): rebuild from it.
    virtual void OnInitialUpdate() {}
    // The tree is about to go back or forth in its history (undo, redo), and has gone:
    // rebuild from it.
    virtual void OnHistoryMoving() {}
    virtual void OnHistoryMoved() { OnInitialUpdate(); }
    // Something changed; `sender` is the view that asked for the update, or null.
    virtual void OnUpdate(DocumentView* /*sender*/) {}
    // The document was read from or written to `path`, by whichever command.
    virtual void OnFileUsed(const std::string& /*path*/) {}
    // The view that shows the project tree answers with the template ids its IED
    // items reach; other views return false.
    virtual bool CollectUsedTypeIds(UsedTypeIds& /*ids*/) { return false; }
};
