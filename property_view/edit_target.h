#pragma once
#include "property_view/editable_attributes.h"

#include <libxml/tree.h>

class ChangeChannel;

#include <optional>
#include <string>

// An editable row of the property view: an attribute without namespace of the shown
// element or of one of its element children, or the first non-blank text of such a
// child (the value of a P).
struct EditEntry {
    xmlNode* element = nullptr;
    std::string attribute;  // empty: the element's text
    ValueKind kind = ValueKind::Text;
};

// The value behind an EditEntry, looked up afresh in the document each time the row
// changes, so that a stale entry never reaches a freed node.
class EditTarget {
public:
    // Null when the entry no longer belongs to `shown` or its value has gone (only the
    // dataset choice stands for an attribute that may be absent).
    static std::optional<EditTarget> Resolve(xmlNode* shown, const EditEntry& entry);

    // Nothing when the attribute is absent.
    std::optional<std::string> Read() const;
    // Nothing removes the attribute. A value the user gave makes an attribute that
    // validation filled in theirs; putting back the value it had keeps it filled in.
    void Write(ChangeChannel& changes, const std::optional<std::string>& value) const;
    // After a written value was taken back: the attribute is marked as it was.
    void MarkAsRead() const;

private:
    EditTarget(xmlNode* element, const std::string& attribute, xmlNode* text)
        : element_(element), attribute_(attribute), text_(text) {}

    xmlNode* element_;
    std::string attribute_;
    xmlNode* text_;  // set for an element's text
    std::optional<std::string> filledIn_;  // the value validation filled in, if it did
};
