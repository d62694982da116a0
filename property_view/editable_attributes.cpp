#include "property_view/editable_attributes.h"

#include <array>

namespace {

struct EditableAttribute {
    std::string_view element;
    std::string_view attribute;
    ValueKind kind;
};

constexpr std::array kEditableAttributes{
    EditableAttribute{"ReportControl", "intgPd", ValueKind::WholeNumber},
    EditableAttribute{"ReportControl", "rptID", ValueKind::Text},
    EditableAttribute{"ReportControl", "confRev", ValueKind::WholeNumber},
    EditableAttribute{"ReportControl", "bufTime", ValueKind::WholeNumber},
    EditableAttribute{"ReportControl", "datSet", ValueKind::DatasetChoice},
    EditableAttribute{"GSEControl", "appID", ValueKind::Text},
    EditableAttribute{"GSEControl", "confRev", ValueKind::WholeNumber},
    EditableAttribute{"TrgOps", "dchg", ValueKind::YesNo},
    EditableAttribute{"TrgOps", "qchg", ValueKind::YesNo},
    EditableAttribute{"TrgOps", "dupd", ValueKind::YesNo},
    EditableAttribute{"TrgOps", "period", ValueKind::YesNo},
    EditableAttribute{"TrgOps", "gi", ValueKind::YesNo},
    EditableAttribute{"TrgOps", "includeAll", ValueKind::YesNo},
    EditableAttribute{"OptFields", "seqNum", ValueKind::YesNo},
    EditableAttribute{"OptFields", "timeStamp", ValueKind::YesNo},
    EditableAttribute{"OptFields", "dataSet", ValueKind::YesNo},
    EditableAttribute{"OptFields", "reasonCode", ValueKind::YesNo},
    EditableAttribute{"OptFields", "dataRef", ValueKind::YesNo},
    EditableAttribute{"OptFields", "entryID", ValueKind::YesNo},
    EditableAttribute{"OptFields", "configRef", ValueKind::YesNo},
    EditableAttribute{"OptFields", "bufOvfl", ValueKind::YesNo},
};

}  // namespace

std::optional<ValueKind> EditableAttributeKind(std::string_view element, std::string_view attribute)
{
    for (const EditableAttribute& entry : kEditableAttributes)
        if (entry.element == element && entry.attribute == attribute) return entry.kind;
    return std::nullopt;
}
