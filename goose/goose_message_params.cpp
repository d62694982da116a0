#include "goose/goose_message_params.h"

#include "goose/gse_address.h"
#include "goose/number_text.h"
#include "project_tree/item_access.h"
#include "project_tree/scl_lookups.h"

namespace {

std::string LNReference(const xmlNode* element)
{
    return std::string(GetAttribute(element, "prefix")) + GetAttribute(element, "lnClass") +
           GetAttribute(element, "lnInst");
}

// The position among the FCDAs of the first one that names the ExtRef's data.
int MemberIndex(const CVarnholtView& view, const TreeItem* dataset, const xmlNode* extRef)
{
    std::string ln = LNReference(extRef);
    std::string_view ldInst = GetAttribute(extRef, "ldInst");
    std::string_view doName = GetAttribute(extRef, "doName");
    std::string_view daName = GetAttribute(extRef, "daName");
    int index = 0;
    for (const TreeItem* item = dataset->FirstChild(); item; item = item->NextSibling()) {
        if (!IsItemOfKind(view, item, kKindFCDA)) continue;
        const xmlNode* fcda = ItemElement(view, item);
        if (GetAttribute(fcda, "ldInst") == ldInst && LNReference(fcda) == ln &&
            GetAttribute(fcda, "doName") == doName && GetAttribute(fcda, "daName") == daName)
            return index;
        ++index;
    }
    return -1;
}

}  // namespace

// The control block stands in GSEControl, LN, LDevice, Server, AccessPoint, IED.
GooseMessageParams ComputeGooseMessageParams(const CVarnholtView& view, const TreeItem* extRef,
                                             const TreeItem* gseControl)
{
    GooseMessageParams params;
    params.confRev = ParseDecimal(std::string(ItemAttribute(view, gseControl, "confRev")), 0);
    params.gooseId = ItemAttribute(view, gseControl, "appID");
    const TreeItem* ln = gseControl ? gseControl->Parent() : nullptr;
    const TreeItem* dataset = FindDataSetItem(view, ln, ItemAttribute(view, gseControl, "datSet"));
    if (!dataset) return params;
    const TreeItem* connectedAP = FindConnectedAPItem(view, ItemName(view, AncestorOf(gseControl, 5)),
                                                      ItemName(view, AncestorOf(gseControl, 4)));
    const TreeItem* address = FindGSEAddressItem(view, connectedAP, ItemAttribute(view, AncestorOf(gseControl, 2), "inst"),
                                                 ItemName(view, gseControl));
    if (!address) return params;
    params.index = MemberIndex(view, dataset, ItemElement(view, extRef));
    if (params.index < 0) return params;
    GseAddressTexts texts = ReadGseAddressElement(ItemElement(view, address));
    params.mac = ParseMacAddress(texts.macAddress);
    params.appId = ParseHex(texts.appId, -1);
    params.valid = params.mac != 0 && params.appId != -1;
    return params;
}
