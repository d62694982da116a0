#include "goose/input_match.h"

#include "goose/gse_address.h"
#include "goose/number_text.h"
#include "goose/source_control.h"
#include "project_tree/item_access.h"
#include "project_tree/scl_lookups.h"

namespace {

bool HasGoose(const CVarnholtView& view, const TreeItem* item, int32_t kind)
{
    const TreeItemRecord* record = view.Record(item);
    return record && record->kind == kind && (record->markers & kMarkerGoose);
}

// The control block stands in GSEControl, LN, LDevice, Server, AccessPoint, IED.
void AddCandidate(const CVarnholtView& view, TreeItem* control, std::vector<MatchCandidate>& candidates)
{
    MatchCandidate candidate;
    candidate.iedName = ItemName(view, AncestorOf(control, 5));
    candidate.control = ControlBlockReferenceOf(view, control);
    const TreeItem* connectedAP = FindConnectedAPItem(view, candidate.iedName, ItemName(view, AncestorOf(control, 4)));
    const TreeItem* address = FindGSEAddressItem(view, connectedAP, ItemAttribute(view, AncestorOf(control, 2), "inst"),
                                                 ItemName(view, control));
    GseAddressTexts texts = ReadGseAddressElement(ItemElement(view, address));
    candidate.appId = ParseHex(texts.appId, -1);
    candidate.mac = ParseMacAddress(texts.macAddress);
    if (!ScanDecimal(std::string(ItemAttribute(view, control, "confRev")), candidate.confRev)) return;
    candidate.dataset = FindDataSetItem(view, control->Parent(), ItemAttribute(view, control, "datSet"));
    if (!candidate.dataset) return;
    candidate.fcdaCount = CountFCDAItems(view, candidate.dataset);
    candidates.push_back(std::move(candidate));
}

void AddCandidatesOfAccessPoint(const CVarnholtView& view, const TreeItem* accessPoint,
                                std::vector<MatchCandidate>& candidates)
{
    const TreeItem* server = accessPoint->FirstChild();
    while (server && !IsElementNamed(ItemElement(view, server), "Server")) server = server->NextSibling();
    for (const TreeItem* ld = server ? server->FirstChild() : nullptr; ld; ld = ld->NextSibling()) {
        if (!HasGoose(view, ld, kKindLDevice)) continue;
        for (const TreeItem* ln = ld->FirstChild(); ln; ln = ln->NextSibling()) {
            if (!HasGoose(view, ln, kKindLN)) continue;
            for (TreeItem* item = ln->FirstChild(); item; item = item->NextSibling())
                if (IsItemOfKind(view, item, kKindGSEControl)) AddCandidate(view, item, candidates);
        }
    }
}

ExternalReference ReferenceOf(const xmlNode* fcda, const std::string& iedName)
{
    ExternalReference reference;
    reference.iedName = iedName;
    reference.ldInst = GetAttribute(fcda, "ldInst");
    reference.prefix = GetAttribute(fcda, "prefix");
    reference.lnClass = GetAttribute(fcda, "lnClass");
    reference.lnInst = GetAttribute(fcda, "lnInst");
    reference.doName = GetAttribute(fcda, "doName");
    reference.daName = GetAttribute(fcda, "daName");
    return reference;
}

}  // namespace

std::vector<MatchCandidate> CollectMatchCandidates(const CVarnholtView& view, const std::string& ownIedName,
                                                   const TreeItem* subNetwork)
{
    std::vector<MatchCandidate> candidates;
    if (!subNetwork) return candidates;
    for (const TreeItem* ied = view.FirstRootItem(); ied; ied = ied->NextSibling()) {
        if (!HasGoose(view, ied, kKindIED)) continue;
        std::string_view name = ItemName(view, ied);
        if (name == ownIedName) continue;
        for (const TreeItem* ap = ied->FirstChild(); ap; ap = ap->NextSibling()) {
            if (!IsItemOfKind(view, ap, kKindAccessPoint)) continue;
            if (FindSubNetworkOfConnectedAP(view, name, ItemName(view, ap)) != subNetwork) continue;
            AddCandidatesOfAccessPoint(view, ap, candidates);
            break;
        }
    }
    return candidates;
}

MatchResult MatchConnectedAddress(const CVarnholtView& view, const std::vector<MatchCandidate>& candidates,
                                  const ConnectedAddress& address)
{
    MatchResult result;
    const MatchCandidate* first = nullptr;
    for (const MatchCandidate& candidate : candidates) {
        if (candidate.confRev != address.confRev || candidate.appId != address.appId || candidate.mac != address.mac ||
            address.index >= candidate.fcdaCount)
            continue;
        if (++result.matches == 1) first = &candidate;
    }
    if (result.matches != 1) return result;
    if (const TreeItem* fcda = FCDAItemAt(view, first->dataset, address.index)) {
        result.found = true;
        result.reference = ReferenceOf(ItemElement(view, fcda), first->iedName);
        result.control = first->control;
    }
    return result;
}
