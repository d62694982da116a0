// Create Dataset from the main window through its window: data chosen in the tree
// is listed, OK without a name is refused in a warning while the window stays open.
#include "app/dyn_dataset_window.h"
#include "window_fixture.h"

using DatasetWindowTest = WindowTest;

TEST_F(DatasetWindowTest, ListsTheAddedDataAndRefusesOkWithoutAName)
{
    Open("one_ied.scd");
    TreeItem* ln = Click("LN: GGIO1");
    bool refused = false;
    WhenModalShown<CDynDatasetWindow>([&](CDynDatasetWindow* window) {
        QTreeWidget* tree = window->DataTree();
        EXPECT_FALSE(window->AddButton()->isEnabled());
        QList<QTreeWidgetItem*> stVal = tree->findItems("DA: stVal", Qt::MatchExactly | Qt::MatchRecursive);
        ASSERT_EQ(stVal.size(), 2);  // of LLN0.Mod and of GGIO1.Ind1
        tree->scrollToItem(stVal[1]);
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(stVal[1]).center());
        window->AddButton()->click();
        QListWidget* list = window->ElementList();
        ASSERT_EQ(list->count(), 1);
        EXPECT_EQ(list->item(0)->text(), "LD0/GGIO1.Ind1.stVal [ST]");
        EXPECT_TRUE(window->DeleteButton()->isEnabled());

        WhenModalShown<QMessageBox>([&](QMessageBox* box) {
            refused = box->icon() == QMessageBox::Warning;
            box->accept();
        });
        ClickButton(window, "OK");
        EXPECT_TRUE(window->isVisible());
        QTest::keyClicks(window->NameField(), "dsA");
        EXPECT_EQ(window->FullNameField()->text(), "GGIO1.dsA");
        ClickButton(window, "OK");
    });
    frame->Action(kCmdCreateDataset)->trigger();
    EXPECT_TRUE(refused);
    bool listed = false;
    for (TreeItem* child = ln->FirstChild(); child; child = child->NextSibling())
        listed = listed || child->Label() == "DataSet: dsA";
    EXPECT_TRUE(listed);
}
