#pragma once
#include "goose/goose_model.h"
#include "project_tree/scl_lookups.h"

#include <libxml/tree.h>

#include <optional>
#include <vector>

class CVarnholtView;
class TreeItem;

// An ExtRef without serviceType, or with "GOOSE", is a GOOSE input; SMV, Report and
// Poll name other services, and the GOOSE commands leave such inputs alone.
bool IsGooseInput(const xmlNode* extRef);

// The control block that the ExtRef names with srcCBName in the IED iedName; none
// without srcCBName. An absent srcLDInst stands for ldInst, an absent srcLNClass for
// LLN0.
std::optional<ControlBlockReference> ReadSourceControl(const xmlNode* extRef);

// Gives the ExtRef serviceType "GOOSE" and the srcLDInst, srcPrefix, srcLNClass,
// srcLNInst and srcCBName of `control` (srcPrefix and srcLNInst only when not empty),
// or, without a control block, removes those six. An ExtRef that already names that
// control block (or none) is left as it is. True when an attribute changed.
bool WriteSourceControl(xmlNode* extRef, const std::optional<ControlBlockReference>& control);

// Where a GSEControl item stands: GSEControl, LN, LDevice.
ControlBlockReference ControlBlockReferenceOf(const CVarnholtView& view, const TreeItem* control);

// The control blocks that publish the ExtRef's source (FindExtRefPublishers); of them
// only the one the ExtRef names, when it names one.
std::vector<ExtRefPublisher> FindInputPublishers(const CVarnholtView& view, const TreeItem* extRef);
