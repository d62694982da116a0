#pragma once
#include <libxml/tree.h>

#include <initializer_list>
#include <string_view>

// Deep copies of elements of another tree (an imported file) placed into the
// document of `where`. The copy takes the namespaces in scope at its new place, so
// it carries no declarations of its own that only repeat its parent's.
enum class CopyPlace { After, Before, LastChildOf };

// Null when libxml2 cannot allocate the copy; nothing is changed then. Without `deep`
// the copy is the element with its attributes only. In the project the copy goes in
// through its change channel.
xmlNode* PlaceCopy(const xmlNode* source, xmlNode* where, CopyPlace place, bool deep = true);

// Inserts the unlinked `element` as a child of `parent` after the run of leading
// children named one of `leading` (after the last of them; first when there is none).
xmlNode* InsertAfterLeading(xmlNode* parent, xmlNode* element, std::initializer_list<std::string_view> leading);
