#include "exports/variables_export.h"

#include "document/tree_item_record.h"
#include "document/varnholt_doc.h"
#include "document/xml_access.h"
#include "project_tree/item_access.h"
#include "project_tree/scl_lookups.h"
#include "project_tree/tree_item.h"
#include "project_tree/varnholt_view.h"

#include <string_view>
#include <unordered_set>

namespace {

constexpr std::string_view kFcPlaceholder = "$FC$";

// A dotted SCL path with every "." as "$".
void AppendPath(std::string& out, std::string_view path)
{
    for (char c : path) out += c == '.' ? '$' : c;
}

bool IsControlAttribute(std::string_view name)
{
    return name == "Oper" || name == "SBOw" || name == "SBO" || name == "Cancel";
}

bool IsBuffered(std::string_view buffered) { return buffered == "true" || buffered == "1"; }

class VariableCollector {
public:
    VariableCollector(const CVarnholtView& view, std::vector<std::string>& lines) : view_(view), lines_(lines) {}

    void CollectIED(const TreeItem* iedItem, std::string_view iedName)
    {
        iedName_ = iedName;
        listed_.clear();
        const Name start{std::string(iedName), std::string::npos};
        for (int row = 0; row < iedItem->ChildCount(); ++row) Walk(iedItem->Child(row), start);
    }

private:
    // The name built so far and where its "$FC$" placeholder starts (npos: none yet).
    struct Name {
        std::string text;
        size_t placeholder;
    };

    void Add(std::string line)
    {
        listed_.insert(line);
        lines_.push_back(std::move(line));
    }

    // `name` with its placeholder replaced by `fill`.
    static std::string Filled(const Name& name, std::string_view fill)
    {
        if (name.placeholder == std::string::npos) return name.text;
        std::string text = name.text;
        text.replace(name.placeholder, kFcPlaceholder.size(), fill);
        return text;
    }

    void WalkChildren(const TreeItem* item, const Name& name)
    {
        for (int row = 0; row < item->ChildCount(); ++row) Walk(item->Child(row), name);
    }

    void Walk(const TreeItem* item, const Name& parent)
    {
        const TreeItemRecord* record = view_.Record(item);
        if (!record) return;
        const xmlNode* element = record->node;
        switch (record->kind) {
        case kKindLDevice: {
            Name name = parent;
            name.text.append(GetAttribute(element, "inst")).append("/");
            WalkChildren(item, name);
            return;
        }
        case kKindLN: {
            Name name = parent;
            name.text.append(GetAttribute(element, "prefix"))
                .append(GetAttribute(element, "lnClass"))
                .append(GetAttribute(element, "inst"));
            name.placeholder = name.text.size();
            name.text.append(kFcPlaceholder);
            WalkChildren(item, name);
            return;
        }
        case kKindDO:
        case kKindSDO: {
            Name name = parent;
            name.text.append(GetAttribute(element, "name")).append("$");
            WalkChildren(item, name);
            return;
        }
        case kKindDA: {
            const std::string_view daName = GetAttribute(element, "name");
            if (!IsControlAttribute(daName)) return;
            std::string fill = "$";
            fill.append(GetAttribute(element, "fc")).append("$");
            Add(Filled(parent, fill).append(daName));
            return;
        }
        case kKindDataSet:
            Add(Filled(parent, "$").append(GetAttribute(element, "name")));
            for (int row = 0; row < item->ChildCount(); ++row) Walk(item->Child(row), parent);
            return;
        case kKindFCDA:
            AddMember(element);
            return;
        case kKindReportControl:
            Add(Filled(parent, IsBuffered(GetAttribute(element, "buffered")) ? "$BR$" : "$RP$")
                    .append(GetAttribute(element, "name")));
            return;
        case kKindBDA:
        case kKindVal:
            return;
        default:
            WalkChildren(item, parent);
            return;
        }
    }

    void AddMember(const xmlNode* fcda)
    {
        std::string line(iedName_);
        line.append(GetAttribute(fcda, "ldInst"))
            .append("/")
            .append(GetAttribute(fcda, "prefix"))
            .append(GetAttribute(fcda, "lnClass"))
            .append(GetAttribute(fcda, "lnInst"))
            .append("$")
            .append(GetAttribute(fcda, "fc"))
            .append("$");
        AppendPath(line, GetAttribute(fcda, "doName"));
        const std::string_view daName = GetAttribute(fcda, "daName");
        if (!daName.empty()) {
            line += '$';
            AppendPath(line, daName);
        }
        if (!listed_.contains(line)) Add(std::move(line));
    }

    const CVarnholtView& view_;
    std::vector<std::string>& lines_;
    std::string_view iedName_;
    std::unordered_set<std::string> listed_;  // the lines of the current IED
};

}  // namespace

std::vector<std::string> CollectVariableLines(const CVarnholtView& view)
{
    std::vector<std::string> lines;
    const xmlNode* root = view.Document().Root();
    if (!root) return lines;
    VariableCollector collector(view, lines);
    for (const xmlNode* child = root->children; child; child = child->next) {
        if (!IsElementNamed(child, "IED")) continue;
        const std::string_view name = GetAttribute(child, "name");
        if (const TreeItem* item = FindIEDItem(view, name)) collector.CollectIED(item, name);
    }
    return lines;
}

std::string VariablesFileText(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines) text.append(line).append("\r\n");
    return text;
}
