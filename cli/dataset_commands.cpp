// datasets, create-dataset and modify-dataset: the dataset dialog driven by a member list.
#include "cli/cli_ui.h"
#include "cli/commands.h"
#include "cli/dataset_members.h"
#include "cli/project_change.h"
#include "cli/project_paths.h"
#include "cli/project_session.h"
#include "cli/text_lines.h"
#include "datasets/dataset_commands.h"
#include "datasets/fc_select_dialog.h"
#include "document/command_ids.h"
#include "document/varnholt_doc.h"
#include "document/xml_access.h"
#include "document/xml_text.h"
#include "project_tree/item_access.h"
#include "project_tree/scl_lookups.h"
#include "project_tree/varnholt_view.h"

#include <algorithm>
#include <unordered_map>

namespace {

bool ReadMemberLines(const std::string& source, std::vector<MemberLine>& members, std::ostream& err)
{
    std::string text;
    if (!ReadTextFile(source, text, err)) return false;
    members = ParseMemberLines(text);
    // An empty list goes to the dialog, whose OK refuses an empty dataset.
    return true;
}

// The data path of every data node of the dialog, as a member line names it.
std::unordered_map<std::string, int> DataPaths(const CDynDatasetDialog& dialog)
{
    std::unordered_map<std::string, int> paths;
    const std::vector<DataNode>& nodes = dialog.DataNodes();
    for (size_t i = 0; i < nodes.size(); ++i) {
        if (nodes[i].kind == kKindLDevice || nodes[i].kind == kKindLN) continue;
        std::string names, ln, ld;
        for (int up = static_cast<int>(i); up >= 0; up = nodes[static_cast<size_t>(up)].parent) {
            const DataNode& node = nodes[static_cast<size_t>(up)];
            if (node.kind == kKindLDevice) ld = GetAttribute(node.element, "inst");
            else if (node.kind == kKindLN) ln = LogicalNodeName(node.element);
            else names = names.empty() ? GetAttribute(node.element, "name") : GetAttribute(node.element, "name") + ("." + names);
        }
        paths.emplace(ld + "/" + ln + "." + names, static_cast<int>(i));
    }
    return paths;
}

// Adds the members through the dialog's Add; the FC dialog is answered from the line.
bool AddMembers(CDynDatasetDialog& dialog, CliUi& ui, const std::vector<const MemberLine*>& members,
                std::ostream& err)
{
    const std::unordered_map<std::string, int> paths = DataPaths(dialog);
    for (const MemberLine* member : members) {
        auto found = paths.find(member->path);
        if (found == paths.end()) {
            err << "member " << QuotedText(member->text) << ": the IED has no such data\n";
            return false;
        }
        dialog.SelectDataNode(found->second);
        bool answered = true;
        ui.fillDialog = [&](DialogModel& model) {
            auto* choice = dynamic_cast<CFCSelDialog*>(&model);
            const std::vector<std::string>& candidates = choice ? choice->Candidates() : std::vector<std::string>{};
            auto chosen = std::find(candidates.begin(), candidates.end(), member->fc);
            if (chosen == candidates.end()) {
                err << "member " << QuotedText(member->text) << ": give one of the functional constraints";
                for (const std::string& fc : candidates) err << " [" << fc << "]";
                err << "\n";
                answered = false;
                return false;
            }
            choice->selection = static_cast<int>(chosen - candidates.begin());
            return true;
        };
        bool added = dialog.AddSelected(ui);
        ui.fillDialog = nullptr;
        if (!added) {
            if (answered) err << "member " << QuotedText(member->text) << " was not added\n";
            return false;
        }
        if (!member->fc.empty() && dialog.Elements().back().fc != member->fc) {
            err << "member " << QuotedText(member->text) << ": its functional constraint is "
                << dialog.Elements().back().fc << "\n";
            return false;
        }
    }
    return true;
}

// The members named by the lines, in their order: a listed member that a line names
// stays as it is, the others leave, the lines not listed are added.
bool ArrangeMembers(CDynDatasetDialog& dialog, CliUi& ui, const std::vector<MemberLine>& lines, std::ostream& err)
{
    const std::vector<std::string> texts = dialog.ElementTexts();
    std::vector<int> lineOfElement(texts.size(), -1);
    std::vector<const MemberLine*> added;
    std::vector<int> lineOfAdded;
    for (size_t line = 0; line < lines.size(); ++line) {
        const MemberLine& member = lines[line];
        int match = -1;
        for (size_t i = 0; i < texts.size() && match < 0; ++i) {
            bool same = member.fc.empty() ? SameElementText(texts[i].substr(0, texts[i].rfind(" [")), member.path)
                                          : SameElementText(texts[i], member.text);
            if (same && lineOfElement[i] < 0) match = static_cast<int>(i);
        }
        if (match >= 0) {
            lineOfElement[static_cast<size_t>(match)] = static_cast<int>(line);
        } else {
            added.push_back(&member);
            lineOfAdded.push_back(static_cast<int>(line));
        }
    }
    for (int i = static_cast<int>(texts.size()) - 1; i >= 0; --i) {
        if (lineOfElement[static_cast<size_t>(i)] >= 0) continue;
        dialog.SelectElement(i);
        dialog.DeleteSelected();
    }
    if (!AddMembers(dialog, ui, added, err)) return false;
    // Every member now stands for one line; bring them into the order of the lines.
    std::vector<int> order;
    for (int line : lineOfElement)
        if (line >= 0) order.push_back(line);
    order.insert(order.end(), lineOfAdded.begin(), lineOfAdded.end());
    for (size_t target = 0; target < order.size(); ++target) {
        size_t from = static_cast<size_t>(std::min_element(order.begin() + static_cast<long>(target), order.end()) - order.begin());
        dialog.SelectElement(static_cast<int>(from));
        for (; from > target; --from) {
            dialog.MoveUp();
            std::swap(order[from], order[from - 1]);
        }
    }
    return true;
}

}  // namespace

int RunDatasets(const Arguments& arguments, std::ostream& out, std::ostream& err)
{
    CVarnholtDoc doc;
    CVarnholtView view(doc);
    if (!OpenToRead(doc, arguments, err)) return kExitFailure;
    const std::string ied = arguments.Required("--ied");
    TreeItem* iedItem = FindIEDItem(view, ied);
    if (!iedItem) {
        err << "varnholt-cli datasets: the project has no IED " << ied << "\n";
        return kExitFailure;
    }
    for (TreeItem* item = iedItem; item && iedItem->Contains(item); item = NextItemInPreOrder(item)) {
        if (!IsItemOfKind(view, item, kKindDataSet)) continue;
        const TreeItem* ln = item->Parent();
        out << ItemAttribute(view, ln->Parent(), "inst") << "/" << LogicalNodeName(ItemElement(view, ln)) << "."
            << ItemName(view, item) << "\n";
        for (const TreeItem* member = item->FirstChild(); member; member = member->NextSibling())
            if (IsItemOfKind(view, member, kKindFCDA)) out << "  " << ElementText(ReadFCDA(ItemElement(view, member))) << "\n";
    }
    return kExitOk;
}

int RunCreateDataset(const Arguments& arguments, std::ostream&, std::ostream& err)
{
    std::vector<MemberLine> lines;
    if (!ReadMemberLines(arguments.Required("--members"), lines, err)) return kExitFailure;
    CliUi ui(err);
    ProjectSession session(arguments, ui, err);
    if (!session.IsOpen()) return kExitFailure;
    CVarnholtDoc& doc = session.Doc();
    CVarnholtView& view = session.View();
    TreeItem* ln = FindLNPath(view, arguments.Required("--ied"), arguments.Required("--ln"));
    if (!ln) {
        err << "varnholt-cli create-dataset: the IED has no logical node " << arguments.Required("--ln") << "\n";
        return kExitFailure;
    }
    view.Select(ln);
    ui.fillDialog = [&](DialogModel& model) {
        auto* dialog = dynamic_cast<CDynDatasetDialog*>(&model);
        if (!dialog) return false;
        CliUi inner(err);
        std::vector<const MemberLine*> members;
        for (const MemberLine& line : lines) members.push_back(&line);
        dialog->name = arguments.Required("--name");
        return AddMembers(*dialog, inner, members, err);
    };
    if (!OnCreateDataset(view, ui)) return kExitFailure;
    return SaveChangedProject(doc, ui, arguments, err);
}

int RunModifyDataset(const Arguments& arguments, std::ostream& out, std::ostream& err)
{
    std::vector<MemberLine> lines;
    if (!ReadMemberLines(arguments.Required("--members"), lines, err)) return kExitFailure;
    CliUi ui(err);
    ProjectSession session(arguments, ui, err);
    if (!session.IsOpen()) return kExitFailure;
    CVarnholtDoc& doc = session.Doc();
    CVarnholtView& view = session.View();
    const std::string path = arguments.Required("--dataset");
    TreeItem* dataset = FindDataSetPath(view, arguments.Required("--ied"), path);
    if (!dataset) {
        err << "varnholt-cli modify-dataset: the IED has no dataset " << path << "\n";
        return kExitFailure;
    }
    view.Select(dataset);
    if (!view.IsCommandEnabled(kCmdModifyDataset)) {
        err << "varnholt-cli modify-dataset: " << path << " is a built-in dataset and cannot be modified\n";
        return kExitFailure;
    }
    ui.fillDialog = [&](DialogModel& model) {
        auto* dialog = dynamic_cast<CDynDatasetDialog*>(&model);
        if (!dialog) return false;
        CliUi inner(err);
        if (auto rename = arguments.Value("--rename")) dialog->name = *rename;
        return ArrangeMembers(*dialog, inner, lines, err);
    };
    auto warnings = OnModifyDataset(view, ui);
    if (!warnings) return kExitFailure;
    int saved = SaveChangedProject(doc, ui, arguments, err);
    if (saved != kExitOk) return saved;
    for (const std::string& line : *warnings) out << line << "\n";
    return warnings->empty() ? kExitOk : kExitFindings;
}
