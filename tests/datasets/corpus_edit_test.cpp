#include "core/version_history_dialog.h"
#include "core/xml_access.h"
#include "core/xml_parse.h"
#include "datasets/dataset_commands.h"
#include "support/fake_ui.h"
#include "tree/item_access.h"
#include "tree/structure_edit.h"
#include "tree/tree_fixture.h"

namespace {

// Every edit of the structure and the datasets keeps a valid corpus file valid, in
// memory and after save and reopen.
class CorpusEdit : public TreeTest {
protected:
    FakeUi ui;
    TempDir dir;

    void ExpectValid(const std::string& step)
    {
        SCOPED_TRACE(step);
        EXPECT_TRUE(doc.Validate(doc.XmlTree())) << testing::PrintToString(doc.ValidationLog());
        ASSERT_EQ(doc.OnSaveDocument(dir.File("saved.scd"), ui), SaveOutcome::Saved);
        std::string error;
        xmlDoc* reopened = ParseXmlFile(dir.File("saved.scd"), &error);
        ASSERT_TRUE(reopened) << error;
        CVarnholtDoc other;
        EXPECT_TRUE(other.Validate(reopened)) << testing::PrintToString(other.ValidationLog());
        xmlFreeDoc(reopened);
    }

    // One dataset in every logical node with ST or MX data, of its first two such members.
    std::vector<TreeItem*> CreateDatasets()
    {
        std::vector<TreeItem*> created;
        for (TreeItem* ied = view.FirstRootItem(); ied; ied = ied->NextSibling()) {
            if (!IsItemOfKind(view, ied, kKindIED)) continue;
            // One data tree per IED; the added members are handed to a dialog per node.
            CDynDatasetDialog data(view, ied, "", "", {});
            for (size_t node = 0; node < data.DataNodes().size(); ++node) {
                if (data.DataNodes()[node].kind != kKindLN) continue;
                std::vector<DatasetElement> members = AddFirstMembers(data, static_cast<int>(node));
                if (members.empty()) continue;
                TreeItem* ln = ItemOfElement(ied, data.DataNodes()[node].element);
                CDynDatasetDialog dialog(view, nullptr, LogicalNodeName(ItemElement(view, ln)), "", members);
                dialog.name = "VarnholtCheck";
                EXPECT_EQ(dialog.Accept(), "");
                if (TreeItem* item = CreateDataset(view, ln, dialog)) created.push_back(item);
            }
        }
        return created;
    }

    std::vector<DatasetElement> AddFirstMembers(CDynDatasetDialog& data, int ln)
    {
        std::vector<DatasetElement> members;
        std::vector<int> pending(data.DataNodes()[static_cast<size_t>(ln)].children.rbegin(),
                                 data.DataNodes()[static_cast<size_t>(ln)].children.rend());
        while (!pending.empty() && members.size() < 2) {
            int node = pending.back();
            pending.pop_back();
            const DataNode& data_node = data.DataNodes()[static_cast<size_t>(node)];
            std::string_view fc = GetAttribute(data_node.element, "fc");
            if (data_node.kind == kKindDA && (fc == "ST" || fc == "MX")) {
                data.SelectDataNode(node);
                if (data.AddSelected(ui)) members.push_back(data.Elements().back());
                continue;
            }
            pending.insert(pending.end(), data_node.children.rbegin(), data_node.children.rend());
        }
        return members;
    }

    TreeItem* ItemOfElement(TreeItem* below, const xmlNode* element)
    {
        for (TreeItem* item = below; item && below->Contains(item); item = NextItemInPreOrder(item))
            if (ItemElement(view, item) == element) return item;
        return nullptr;
    }
};

TEST_F(CorpusEdit, DatasetsSubnetworksTimeServersAndDeletesKeepValidFilesValid)
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
        for (TreeItem* item = view.FirstRootItem(); item; item = item->NextSibling()) {
            if (!IsItemOfKind(view, item, kKindIED)) continue;
            view.Select(item);
            EXPECT_TRUE(DeleteSelectedItem(view));
            break;
        }
        ExpectValid("delete IED");
    }
    EXPECT_GE(files, 4u);
    EXPECT_GE(datasets, 100u) << datasets;
}

}  // namespace
