#include "datasets/dataset_commands.h"
#include "document/version_history_dialog.h"
#include "document/xml_access.h"
#include "exports/ied_export.h"
#include "project_tree/item_access.h"
#include "project_tree/tree_fixture.h"
#include "structure/structure_edit.h"

namespace {

// Every IED exports to a valid file in the SCL default namespace whose IED looks as it
// does in the project, and the project is left as it was.
void ExpectExportsLikeTheProject(const CVarnholtDoc& doc, const CVarnholtView& view)
{
    const std::string before = XmlText(doc.XmlTree(), true);
    for (const std::string& name : ChildNames(doc.Root(), "IED")) {
        SCOPED_TRACE(name);
        XmlDocPtr exported = BuildIEDExport(doc, name);
        ASSERT_TRUE(exported);
        const std::string text = XmlText(exported.get(), true);
        EXPECT_EQ(text.find("xmlns=", text.find("<Header")), std::string::npos) << "one default namespace";
        EXPECT_EQ(text.find("<default:"), std::string::npos);
        CVarnholtDoc again;
        CVarnholtView againView(again);
        LoadDocText(again, text);
        EXPECT_TRUE(again.Validate(again.XmlTree())) << testing::PrintToString(again.ValidationLog());
        againView.BuildTree();
        const TreeItem* original = FindIEDItem(view, name);
        const TreeItem* copy = FindIEDItem(againView, name);
        ASSERT_TRUE(original && copy);
        EXPECT_TRUE(SubtreeOutline(original) == SubtreeOutline(copy));
    }
    EXPECT_EQ(XmlText(doc.XmlTree(), true), before);
    EXPECT_FALSE(doc.IsModified());
}

// Every edit of the structure and the datasets keeps a valid corpus file valid, in
// memory and after save and reopen; undone step by step, the edits give back each state
// the file went through, byte for byte, and redone, the last one.
class CorpusEdit : public TreeTest {
protected:
    TempDir dir;
    std::vector<std::pair<size_t, std::string>> states;  // position in the history, document

    void ExpectValid(const std::string& step)
    {
        SCOPED_TRACE(step);
        EXPECT_TRUE(doc.IsValid()) << "the checks of the steps";
        std::vector<std::string> findings;
        EXPECT_TRUE(doc.VerifySyntax(findings)) << testing::PrintToString(findings);
        ASSERT_EQ(doc.OnSaveDocument(dir.File("saved.scd"), ui), SaveOutcome::Saved);
        states.emplace_back(doc.Changes().Position(), XmlText(doc.XmlTree()));
        CVarnholtDoc reopened;
        LoadDocText(reopened, ReadFileText(dir.File("saved.scd")));
        EXPECT_TRUE(reopened.Validate(reopened.XmlTree())) << testing::PrintToString(reopened.ValidationLog());
    }

    void ExpectHistoryGivesBackEachState()
    {
        const std::string last = XmlText(doc.XmlTree());
        for (auto state = states.rbegin(); state != states.rend(); ++state) {
            // The steps between two states are taken back in the tree alone, the last one as
            // the desktop does, with the checks and the project tree.
            while (doc.Changes().Position() != state->first && doc.Changes().CanUndo()) {
                doc.Changes().Undo();
                if (doc.Changes().Position() == state->first) {
                    doc.Changes().Redo();
                    doc.Undo();
                }
            }
            ASSERT_EQ(doc.Changes().Position(), state->first);
            EXPECT_TRUE(XmlText(doc.XmlTree()) == state->second) << "undone to state " << state - states.rbegin();
            EXPECT_TRUE(Outline() == FreshOutline()) << "the tree undone to state " << state - states.rbegin();
        }
        EXPECT_FALSE(doc.Changes().CanUndo());
        while (doc.Redo()) {}
        EXPECT_TRUE(XmlText(doc.XmlTree()) == last);
        EXPECT_TRUE(Outline() == FreshOutline());
        EXPECT_EQ(CheckedItemCount(), doc.ItemRecordCount());
    }

    // One dataset in every logical node with ST or MX data, of its first two such members.
    std::vector<TreeItem*> CreateDatasets()
    {
        std::vector<TreeItem*> created;
        for (TreeItem* ied = view.FirstRootItem(); ied; ied = ied->NextSibling()) {
            if (!IsItemOfKind(view, ied, kKindIED)) continue;
            // One data tree per IED, in pre-order; the added members go to a dialog per node.
            CDynDatasetDialog data(view, ied, "", "", {});
            const std::vector<DataNode>& nodes = data.DataNodes();
            for (size_t ln = 0; ln < nodes.size(); ++ln) {
                if (nodes[ln].kind != kKindLN) continue;
                std::vector<DatasetElement> members;
                for (size_t node = ln + 1; node < nodes.size() && members.size() < 2; ++node) {
                    if (nodes[node].kind == kKindLN || nodes[node].kind == kKindLDevice) break;
                    if (nodes[node].kind != kKindDA) continue;  // Add refuses all but ST and MX data
                    data.SelectDataNode(static_cast<int>(node));
                    if (data.AddSelected(ui)) members.push_back(data.Elements().back());
                }
                if (members.empty()) continue;
                TreeItem* item = ied;
                while (ItemElement(view, item) != nodes[ln].element) item = NextItemInPreOrder(item);
                CDynDatasetDialog dialog(view, nullptr, LogicalNodeName(nodes[ln].element), "", members);
                dialog.name = "VarnholtCheck";
                EXPECT_EQ(dialog.Accept(), "");
                if (TreeItem* dataset = CreateDataset(view, item, dialog)) created.push_back(dataset);
            }
        }
        return created;
    }
};

TEST_F(CorpusEdit, ExportsAndEditsKeepValidFilesValid)
{
    SKIP_WITHOUT_CORPUS();
    int saves = 0;
    ui.onDialog = [&saves](DialogModel& model) {
        if (auto* history = dynamic_cast<CVerHistDialog*>(&model)) {
            history->versionText = "999999";
            history->revisionText = std::to_string(++saves);
        }
        return true;
    };
    size_t files = 0, datasets = 0;
    for (const CorpusEntry& entry : CorpusTable()) {
        if (!entry.schemaValid) continue;
        SCOPED_TRACE(entry.file);
        if (!LoadCorpusFile(entry.file)) continue;
        ++files;
        doc.SetValidFlag(doc.Validate(doc.XmlTree()));  // as Open does, writing the defaults
        states = {{doc.Changes().Position(), XmlText(doc.XmlTree())}};
        ExpectExportsLikeTheProject(doc, view);
        std::vector<TreeItem*> created = CreateDatasets();
        datasets += created.size();
        ExpectValid("create");
        for (TreeItem* item : created) {
            CDynDatasetDialog dialog = ExistingDatasetDialog(view, item);
            dialog.SelectElement(0);
            if (dialog.Elements().size() > 1) dialog.DeleteSelected();
            dialog.name = "VarnholtChecked";
            ModifyDataset(view, item, dialog);
        }
        ExpectValid("modify");
        for (TreeItem* item : created) {
            view.Select(item);
            EXPECT_TRUE(DeleteSelectedItem(view));
        }
        EXPECT_EQ(CheckedItemCount(), doc.ItemRecordCount());
        ExpectValid("delete datasets");
        EXPECT_NE(AddSubnetwork(view), "");
        EXPECT_TRUE(OnAddTimeServer(view, ui));
        ExpectValid("subnetwork and time server");
        view.Select(FindIEDItem(view, ChildNames(doc.Root(), "IED").front()));
        EXPECT_TRUE(DeleteSelectedItem(view));
        ExpectValid("delete IED");
        ExpectHistoryGivesBackEachState();
    }
    EXPECT_GE(files, 4u);
    EXPECT_GE(datasets, 100u) << datasets;
}

}  // namespace
