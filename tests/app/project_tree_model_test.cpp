// The Qt model over the project tree: consistent through every change, and each
// change forwarded as the narrow notification it is.
#include "app/project_tree_model.h"
#include "core/varnholt_doc.h"
#include "support/test_support.h"
#include "tree/varnholt_view.h"

#include <QAbstractItemModelTester>
#include <QIcon>
#include <QSignalSpy>

#include <gtest/gtest.h>

#include <memory>

namespace {

QStringList warnings;  // reported by Qt while the handler below is installed

void CaptureWarnings(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type != QtDebugMsg && type != QtInfoMsg) warnings.append(message);
}

class ProjectTreeModelTest : public ::testing::Test {
protected:
    CVarnholtDoc doc;
    CVarnholtView view{doc};
    ProjectTreeModel model{view};

    void SetUp() override
    {
        LoadDocText(doc, ReadFileText(TestDataPath("tree_project.scd")));
        view.OnInitialUpdate();
    }
    TreeItem* Find(const std::string& label) const
    {
        for (TreeItem* item = view.FirstRootItem(); item; item = NextItemInPreOrder(item))
            if (item->Label() == label) return item;
        ADD_FAILURE() << "no item " << label;
        return nullptr;
    }
    xmlNode* NewIED(const char* name)
    {
        xmlNode* ied = xmlNewChild(doc.Root(), nullptr, BAD_CAST "IED", nullptr);
        xmlNewProp(ied, BAD_CAST "name", BAD_CAST name);
        xmlNewProp(xmlNewChild(ied, nullptr, BAD_CAST "AccessPoint", nullptr), BAD_CAST "name", BAD_CAST "AP1");
        return ied;
    }
    QString Label(const QModelIndex& index) const { return model.data(index).toString(); }
};

}  // namespace

// Each edit is forwarded as the narrow notification it is, which the model tester
// finds consistent; persistent indexes outlive the edits around them.
TEST_F(ProjectTreeModelTest, EditsAreForwardedConsistentlyWithoutReset)
{
    warnings.clear();
    QtMessageHandler previous = qInstallMessageHandler(CaptureWarnings);
    auto tester = std::make_unique<QAbstractItemModelTester>(&model, QAbstractItemModelTester::FailureReportingMode::Warning);
    QPersistentModelIndex p2(model.IndexOf(Find("IED: P2")));
    QPersistentModelIndex bay(model.IndexOf(Find("Bay: B1")));
    QSignalSpy resets(&model, &QAbstractItemModel::modelReset);
    QSignalSpy inserts(&model, &QAbstractItemModel::rowsInserted);
    QSignalSpy removals(&model, &QAbstractItemModel::rowsRemoved);
    QSignalSpy changes(&model, &QAbstractItemModel::dataChanged);

    TreeItem* inserted = view.InsertIEDItem(NewIED("N1"), 1);  // after P1, before P2
    EXPECT_EQ(inserts.count(), 1);
    EXPECT_EQ(Label(model.index(p2.row() - 1, 0)), "IED: N1");
    view.ReplaceIEDItem(NewIED("N2"), view.Record(inserted)->node);
    view.SetLabel(Find("Bay: B1"), "Bay: moved");
    EXPECT_EQ(changes.count(), 1);
    EXPECT_EQ(changes.value(0).value(0).toModelIndex(), QModelIndex(bay));
    TreeItem* ln = Find("LN: XCBR1");
    xmlNode* dataSet = xmlNewChild(view.Record(ln)->node, nullptr, BAD_CAST "DataSet", nullptr);
    xmlNewProp(dataSet, BAD_CAST "name", BAD_CAST "DS9");
    EXPECT_EQ(model.IndexOf(view.InsertElementItem(ln, dataSet)).parent(), model.IndexOf(ln));
    view.ReleaseItemRecords(ln);
    view.DeleteItem(ln);
    EXPECT_EQ(resets.count(), 0);
    EXPECT_GE(removals.count(), 1);
    EXPECT_EQ(Label(p2), "IED: P2");
    EXPECT_TRUE(bay.isValid());

    EXPECT_TRUE(doc.OnNewDocument());
    view.OnInitialUpdate();
    EXPECT_EQ(model.rowCount(), 2);  // the template's Substation and Communication
    tester.reset();
    qInstallMessageHandler(previous);
    EXPECT_TRUE(warnings.isEmpty()) << warnings.join('\n').toStdString();
}

TEST_F(ProjectTreeModelTest, IndexesPointAtTheItemsInTheirRows)
{
    ASSERT_EQ(model.rowCount(), view.RootItemCount());
    TreeItem* da = Find("Value: deep")->Parent();
    QModelIndex index = model.IndexOf(da);
    EXPECT_EQ(Label(index), "DA: v");
    EXPECT_EQ(Label(index.parent()), "SDO: sub");
    EXPECT_EQ(model.index(index.row(), 0, index.parent()), index);
    EXPECT_FALSE(model.data(index, Qt::DecorationRole).value<QIcon>().isNull());
    EXPECT_EQ(model.rowCount(index), 2);
    EXPECT_FALSE(model.index(2, 0, index).isValid());
    EXPECT_FALSE(model.hasChildren(model.IndexOf(Find("Value: deep"))));
}
