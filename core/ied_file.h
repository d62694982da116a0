#pragma once
#include <libxml/tree.h>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

// The XML work of bringing an IED from a maker's ICD, IID or CID file into the
// project. The file is read into a tree of its own, changed there (names, a created
// connected access point, type references) and copied into the project.

struct XmlDocFree {
    void operator()(xmlDoc* tree) const { xmlFreeDoc(tree); }
};
using XmlDocPtr = std::unique_ptr<xmlDoc, XmlDocFree>;

// The root's IED children, in document order.
std::vector<xmlNode*> FileIEDs(xmlDoc* tree);
// The IED a file was made for: the first that has a Server (the others are often the
// clients of its reports); the first IED when none has; -1 when there is none.
int PreferredFileIED(const std::vector<xmlNode*>& ieds);

// The first ConnectedAP of the first SubNetwork of the first Communication; null when
// any of them is missing.
xmlNode* FindFirstConnectedAP(xmlDoc* tree);
// The first ConnectedAP, in any SubNetwork of the first Communication, whose iedName
// is `iedName`; FindFirstConnectedAP when there is none.
xmlNode* FindConnectedAPOfIED(xmlDoc* tree, std::string_view iedName);
// Finds or appends Communication, its first SubNetwork and in it the first
// ConnectedAP; a new ConnectedAP holds an Address with IP, IP-SUBNET and IP-GATEWAY
// all "0.0.0.0". Every new element takes its parent's namespace.
xmlNode* CreateConnectedAP(xmlDoc* tree);
// The name of the IED's first AccessPoint; "" when it has none.
std::string FirstAccessPointName(const xmlNode* ied);

// Points the IED's own inputs that name `oldName` as their source to `newName`.
void RenameIEDInputs(xmlNode* ied, std::string_view oldName, const std::string& newName);

// Raises the project root's SCL version and revision to the imported file's when the
// file's are later (compared as texts); an empty revision is removed, not written.
void RaiseSclVersion(xmlNode* projectRoot, const xmlNode* importedRoot);

// Copies of the imported IED and ConnectedAP in the project; each returns the copy,
// or null when nothing was placed.
// After the last IED; without one after Communication; without either, before the
// DataTypeTemplates (or last), where the schema places IEDs.
xmlNode* InsertIEDCopy(xmlNode* projectRoot, const xmlNode* ied);
// Appended to every SubNetwork of the project's first Communication named `subNetwork`.
std::vector<xmlNode*> AppendConnectedAPCopies(xmlNode* projectRoot, const xmlNode* connectedAP,
                                              std::string_view subNetwork);

// The ConnectedAP of the project that an update replaces: the one of `iedName` with
// the same `apName` in any subnetwork, else the first of `iedName` in `subNetwork`.
// `foundIn` gets the name of its subnetwork.
xmlNode* FindConnectedAPToReplace(xmlNode* projectRoot, std::string_view iedName, std::string_view apName,
                                  std::string_view subNetwork, std::string& foundIn);
// The first root child IED named `name`.
xmlNode* FindIEDElement(xmlNode* root, std::string_view name);

// Reads an IED file as Open reads a project: no network, no DTD, bounded entities.
XmlDocPtr ReadIEDFile(const std::string& path, std::string& error);
