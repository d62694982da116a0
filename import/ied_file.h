#pragma once
#include <libxml/tree.h>

#include "document/xml_parse.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

// The XML work of bringing an IED from a maker's ICD, IID or CID file into the
// project. The file is read into a tree of its own, changed there (names, a created
// connected access point, type references) and copied into the project.

// The root's IED children, in document order.
std::vector<xmlNode*> FileIEDs(xmlDoc* tree);
// The IED a file was made for: the first that has a Server (the others are often the
// clients of its reports); the first IED when none has; -1 when there is none.
int PreferredFileIED(const std::vector<xmlNode*>& ieds);

// The first ConnectedAP of the first SubNetwork of the first Communication; null when
// any of them is missing.
xmlNode* FindFirstConnectedAP(xmlDoc* tree);
// A ConnectedAP with the name of the SubNetwork that holds it.
struct ConnectedAPAt {
    xmlNode* element;
    std::string subNetwork;
};
// Every ConnectedAP whose iedName is `iedName`, in the SubNetworks of the root's first
// Communication, in document order.
std::vector<ConnectedAPAt> ConnectedAPsOfIED(xmlNode* root, std::string_view iedName);
// The imported IED's ConnectedAPs: ConnectedAPsOfIED, or when there is none the file's
// first ConnectedAP, provided its iedName names no IED of the file (a ConnectedAP left
// with a template's name); else none.
std::vector<ConnectedAPAt> FindConnectedAPsOfIED(xmlDoc* tree, std::string_view iedName);
// Finds or appends Communication and its first SubNetwork, and appends to it a new
// ConnectedAP holding an Address with IP, IP-SUBNET and IP-GATEWAY all "0.0.0.0".
// Every new element takes its parent's namespace.
xmlNode* CreateConnectedAP(xmlDoc* tree);
// The name of the IED's first AccessPoint; "" when it has none.
std::string FirstAccessPointName(const xmlNode* ied);

// Points the IED's own inputs that name `oldName` as their source to `newName`.
void RenameIEDInputs(xmlNode* ied, std::string_view oldName, const std::string& newName);

// Gives the project root the imported file's SCL version, revision and release when
// the file declares a later edition (version, then revision, then release); one the
// file lacks is removed, not written. A file without version changes nothing.
void RaiseSclVersion(xmlNode* projectRoot, const xmlNode* importedRoot);

// Copies of the imported IED and ConnectedAP in the project; each returns the copy,
// or null when nothing was placed.
// After the last IED; without one after Communication; without either, before the
// DataTypeTemplates (or last), where the schema places IEDs.
xmlNode* InsertIEDCopy(xmlNode* projectRoot, const xmlNode* ied);
// Appended to every SubNetwork of the project's first Communication named `subNetwork`.
std::vector<xmlNode*> AppendConnectedAPCopies(xmlNode* projectRoot, const xmlNode* connectedAP,
                                              std::string_view subNetwork);

// The name of the project's subnetwork that takes a copy of an imported ConnectedAP:
// the one named `fileSubNetwork` when the project has it, else `chosen`; a subnetwork
// that already holds a ConnectedAP of the same iedName and apName takes none. "" when
// none takes it.
std::string SubNetworkForConnectedAP(xmlNode* projectRoot, const xmlNode* connectedAP,
                                     std::string_view fileSubNetwork, std::string_view chosen);
// The first root child IED named `name`.
xmlNode* FindIEDElement(xmlNode* root, std::string_view name);

// Reads an IED file as Open reads a project: no network, no DTD, bounded entities.
XmlDocPtr ReadIEDFile(const std::string& path, std::string& error);
