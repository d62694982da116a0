#pragma once
#include "document/xml_parse.h"

#include <string_view>

class CVarnholtDoc;

// The IID/CID file of one IED (or time server) of the project, built as a document of
// its own: the root SCL in the SCL namespace, a new Header, the IED's connected access
// points on every subnetwork they are connected to, a copy of the IED and the data type
// templates it uses (their closure through the type index, LNodeTypes first, then
// DOTypes, DATypes and EnumTypes, each in order of first use). Null when the project
// has no IED element of that name.
XmlDocPtr BuildIEDExport(const CVarnholtDoc& doc, std::string_view iedName);
