#include "property_view/property_rows.h"

#include "datasets/dataset_choice.h"
#include "document/varnholt_doc.h"
#include "document/xml_access.h"
#include "property_grid/property_grid_model.h"
#include "property_grid/value_text.h"
#include "property_view/property_values.h"

namespace {

class RowFiller {
public:
    RowFiller(PropertyGridModel& grid, EditTable& edits) : grid_(grid), edits_(edits) {}

    // Substation, VoltageLevel, Bay and SubNetwork: the name is edited as text.
    void NamedElement(xmlNode* element)
    {
        const int section = Section(element);
        for (xmlAttr* attribute = element->properties; attribute; attribute = attribute->next) {
            if (!attribute->ns && xmlStrEqual(attribute->name, Xml("name")))
                Editable(grid_.AddStringItem(section, "name", AttributeText(attribute), true), element, "name",
                         ValueKind::Text);
            else
                ReadOnly(section, attribute);
        }
        ValueRow(section, element);
    }

    // An Address: one row per P type, the first P wins. Those of a connected access
    // point are edited; those of a GOOSE address only shown.
    void Address(xmlNode* address, bool editable)
    {
        const int section = grid_.AddSection("Address", false);
        for (xmlNode* p : ElementChildren(address)) {
            if (!IsElementNamed(p, "P")) continue;
            const xmlNode* text = FirstNonBlankText(p);
            if (!text) continue;
            if (editable)
                Editable(grid_.AddStringItem(section, GetAttribute(p, "type"), NodeText(text), true), p, "",
                         ValueKind::Text);
            else
                grid_.AddTextItem(section, GetAttribute(p, "type"), NodeText(text), false);
        }
    }

    void ReportControl(xmlNode* report, const CVarnholtDoc& doc)
    {
        const int section = Section(report);
        AttributeRows(section, report);
        std::vector<std::string> choices = DatasetChoices(report);
        const int selected = ChoiceIndex(choices, GetAttribute(report, "datSet"));
        Editable(grid_.AddComboItem(section, "datSet", std::move(choices), selected, true), report, "datSet",
                 ValueKind::DatasetChoice);
        for (xmlNode* child : ElementChildren(report)) {
            if (doc.IsHiddenElement(ElementName(child))) continue;
            AttributeRows(Section(child), child);
        }
    }

    void OtherElement(xmlNode* element)
    {
        const int section = Section(element);
        AttributeRows(section, element);
        ValueRow(section, element);
    }

private:
    int Section(const xmlNode* element) { return grid_.AddSection(std::string(ElementName(element)), false); }

    // Each attribute present, editable when the table of editable attributes names it.
    // The dataset choice of a ReportControl is added by the caller.
    void AttributeRows(int section, xmlNode* element)
    {
        for (xmlAttr* attribute = element->properties; attribute; attribute = attribute->next) {
            const std::optional<ValueKind> kind =
                attribute->ns ? std::nullopt
                              : EditableAttributeKind(ElementName(element), reinterpret_cast<const char*>(attribute->name));
            if (kind == ValueKind::DatasetChoice) continue;
            if (!kind) {
                ReadOnly(section, attribute);
                continue;
            }
            const std::string name = reinterpret_cast<const char*>(attribute->name);
            const std::string text = AttributeText(attribute);
            switch (*kind) {
            case ValueKind::YesNo:
                Editable(grid_.AddBoolItem(section, name, ReadYesNo(text), true), element, name, *kind);
                break;
            case ValueKind::WholeNumber:
                Editable(grid_.AddIntegerItem(section, name, ReadLeadingInteger(text), "", true), element, name,
                         *kind);
                break;
            default:
                Editable(grid_.AddStringItem(section, name, text, true), element, name, *kind);
                break;
            }
        }
    }

    void ReadOnly(int section, const xmlAttr* attribute)
    {
        grid_.AddTextItem(section, AttributeLabel(attribute), AttributeText(attribute), false);
    }

    void ValueRow(int section, const xmlNode* element)
    {
        if (const xmlNode* text = FirstNonBlankText(element)) grid_.AddTextItem(section, "value", NodeText(text), false);
    }

    void Editable(int item, xmlNode* element, std::string attribute, ValueKind kind)
    {
        if (item >= 0) edits_[item] = EditEntry{element, std::move(attribute), kind};
    }

    PropertyGridModel& grid_;
    EditTable& edits_;
};

}  // namespace

void FillPropertyRows(PropertyGridModel& grid, const CVarnholtDoc& doc, const TreeItemRecord& record,
                      EditTable& edits)
{
    xmlNode* element = record.node;
    if (!IsElement(element)) return;
    RowFiller rows(grid, edits);
    switch (record.kind) {
    case kKindSubstation:
    case kKindVoltageLevel:
    case kKindBay:
    case kKindSubNetwork:
        rows.NamedElement(element);
        break;
    case kKindAddress:
    case kKindGSEAddress:
        rows.Address(element, record.kind == kKindAddress);
        break;
    case kKindReportControl:
        if (!xmlHasNsProp(element, Xml("rptID"), nullptr)) xmlSetProp(element, Xml("rptID"), Xml(""));
        rows.ReportControl(element, doc);
        break;
    default:
        rows.OtherElement(element);
        break;
    }
}
