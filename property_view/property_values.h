#pragma once
#include "document/xml_text.h"

#include <libxml/tree.h>

#include <string>
#include <string_view>

// Reading and checking the values that the property view shows and writes.

// An xs:boolean as the yes/no row shows it: false for "false" and "0", true otherwise.
bool ReadYesNo(std::string_view text);
inline const char* YesNoText(bool value) { return value ? "true" : "false"; }

// The attribute's name as a row label: prefix:name for an attribute in a namespace.
std::string AttributeLabel(const xmlAttr* attribute);
std::string AttributeText(const xmlAttr* attribute);

// The first text child of `element` that is not blank; null when there is none.
xmlNode* FirstNonBlankText(const xmlNode* element);
inline std::string NodeText(const xmlNode* text)
{
    return text && text->content ? reinterpret_cast<const char*>(text->content) : "";
}
