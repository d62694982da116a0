#pragma once
#include "document/change_channel.h"
#include "document/scl_edition.h"
#include "document/scl_schema.h"

#include <libxml/tree.h>

#include <optional>

// The schema's verdict on a project that was valid before a step, from what the step
// touched: each touched element within its nearest globally declared ancestor, the order
// of the root's children, and the document-wide keys and key references (IED names,
// logical node types and their references, and from edition 2 the ConnectedAPs' IEDs).
// Nothing when it cannot tell from those (the root's attributes, a substation, a header
// or an element without a global ancestor changed): the whole project is then checked.
std::optional<bool> CheckStep(SclSchema& schema, SclEdition edition, xmlNode* root,
                              const ChangeChannel::Touched& touched);
