// The Qt model over the project tree: consistent through every change, and each
// change forwarded as the narrow notification it is.
#include "app/project_tree_model.h"
#include "app/tree_pictures.h"
#include "core/varnholt_doc.h"
#include "support/test_support.h"
#include "tree/varnholt_view.h"

#include <QAbstractItemModelTester>
#include <QIcon>
#include <QSignalSpy>

#include <gtest/gtest.h>

namespace {

QStringList* capturedWarnings = nullptr;

void CaptureWarnings(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (capturedWarnings && type != QtDebugMsg && type != QtInfoMsg) capturedWarnings->append(message);
}

class ProjectTreeModelTest : public ::testing::Test {
protected:
    CVarnholtDoc doc;
    CVarnholtView view{doc};
    ProjectTreeModel model{view};
    QStringList warnings;
    QtMessageHandler previousHandler = nullptr;

    void SetUp() override
    {
        capturedWarnings = &warnings;
        previousHandler = qInstallMessageHandler(CaptureWarnings);
    }
    void TearDown() override
    {
        qInstallMessageHandler(previousHandler);
        capturedWarnings = nullptr;
    }
    void LoadFixture()
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
        xmlNode* accessPoint = xmlNewChild(ied, nullptr, BAD_CAST "AccessPoint", nullptr);
        xmlNewProp(accessPoint, BAD_CAST "name", BAD_CAST "AP1");
        return ied;
    }
    QString Label(const QModelIndex& index) const { return model.data(index).toString(); }
};

}  // namespace

TEST_F(ProjectTreeModelTest, StaysConsistentThroughBuildInsertReplaceRelabelAndRemove)
{
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Warning);
    LoadFixture();
    TreeItem* inserted = view.InsertIEDItem(NewIED("N1"), -1);
    ASSERT_NE(inserted, nullptr);
    view.ReplaceIEDItem(NewIED("N2"), view.Record(inserted)->node);
    view.SetLabel(Find("IED: N2"), "IED: renamed");
    TreeItem* ln = Find("LN: XCBR1");
    view.ReleaseItemRecords(ln);
    view.DeleteItem(ln);
    ASSERT_TRUE(doc.OnNewDocument());
    view.OnInitialUpdate();
    EXPECT_EQ(model.rowCount(), 2);  // the template's Substation and Communication
    EXPECT_TRUE(warnings.isEmpty()) << warnings.join('\n').toStdString();
}

TEST_F(ProjectTreeModelTest, IndexesPointAtTheItemsInTheirRows)
{
    LoadFixture();
    ASSERT_EQ(model.rowCount(), view.RootItemCount());
    TreeItem* da = Find("Value: deep")->Parent();
    QModelIndex index = model.IndexOf(da);
    EXPECT_EQ(ProjectTreeModel::ItemAt(index), da);
    EXPECT_EQ(Label(index), "DA: v");
    EXPECT_EQ(Label(index.parent()), "SDO: sub");
    EXPECT_EQ(model.index(index.row(), 0, index.parent()), index);
    EXPECT_FALSE(model.data(index, Qt::DecorationRole).value<QIcon>().isNull());
    EXPECT_EQ(model.rowCount(index), 2);
    EXPECT_FALSE(model.hasChildren(model.IndexOf(Find("Value: deep"))));
}

TEST_F(ProjectTreeModelTest, AnEditIsForwardedWithoutReset)
{
    LoadFixture();
    QPersistentModelIndex p2(model.IndexOf(Find("IED: P2")));
    QPersistentModelIndex bay(model.IndexOf(Find("Bay: B1")));
    QSignalSpy resets(&model, &QAbstractItemModel::modelReset);
    QSignalSpy inserts(&model, &QAbstractItemModel::rowsInserted);
    QSignalSpy removals(&model, &QAbstractItemModel::rowsRemoved);
    QSignalSpy changes(&model, &QAbstractItemModel::dataChanged);

    view.InsertIEDItem(NewIED("N1"), 1);  // after P1, before P2
    ASSERT_EQ(inserts.count(), 1);
    EXPECT_EQ(inserts[0][1].toInt(), p2.row() - 1);
    EXPECT_EQ(Label(p2), "IED: P2");
    EXPECT_EQ(Label(model.index(p2.row() - 1, 0)), "IED: N1");

    view.SetLabel(Find("Bay: B1"), "Bay: moved");
    ASSERT_EQ(changes.count(), 1);
    EXPECT_EQ(changes[0][0].toModelIndex(), QModelIndex(bay));
    EXPECT_EQ(changes[0][1].toModelIndex(), QModelIndex(bay));

    TreeItem* p1 = Find("IED: P1 [I] [G]");
    view.ReleaseItemRecords(p1);
    view.DeleteItem(p1);
    EXPECT_EQ(removals.count(), 1);
    EXPECT_EQ(resets.count(), 0);
    EXPECT_TRUE(p2.isValid());
    EXPECT_TRUE(bay.isValid());
    EXPECT_EQ(Label(p2), "IED: P2");
}

TEST(TreePictures, ADistinctPicturePerKind)
{
    QList<QImage> seen;
    for (int kind = 0; kind < kTreeItemKindCount; ++kind) {
        const QIcon& icon = TreeKindIcon(kind);
        ASSERT_EQ(icon.availableSizes().value(0), QSize(16, 16)) << kind;
        QImage picture = icon.pixmap(16, 16).toImage();
        EXPECT_FALSE(seen.contains(picture)) << "kind " << kind << " looks like kind " << seen.indexOf(picture);
        seen.append(picture);
    }
    EXPECT_EQ(TreeKindIcon(99).cacheKey(), TreeKindIcon(kKindOther).cacheKey());
}
