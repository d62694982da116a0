#pragma once
#include "document/scl_edition.h"
#include "goose/goose_model.h"

#include <libxml/tree.h>

#include <string>

// The seven attributes of an ExtRef that name its source, always written or removed
// together by the update of inputs.
struct ExternalReference {
    std::string iedName, ldInst, prefix, lnClass, lnInst, doName, daName;
};

// Each attribute set, also when empty; true when any value or presence changed.
bool WriteExternalReference(xmlNode* extRef, const ExternalReference& reference);
// True when any of the seven was there.
bool RemoveExternalReference(xmlNode* extRef);
bool HasExternalReference(const xmlNode* extRef);

// Writes the record's attributes to its ExtRef element: an attribute is touched only
// when its text differs; daName, doName, lnClass, iedName and desc are removed rather
// than emptied. In a project of edition 2007B or later the source control block
// follows (WriteSourceControl); a 2003 project has none. True when anything changed.
bool WriteExtRef(const CGooseInput& input, xmlNode* extRef, SclEdition edition);
