// Create Dataset from the main window through its window: data chosen in the tree
// is listed, OK without a name is refused in a warning while the window stays open.
#include "app/dyn_dataset_window.h"
#include "app_test_support.h"
#include "core/command_ids.h"
#include "window_fixture.h"

#include <QAction>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QToolButton>
#include <QTreeWidget>

using DatasetWindowTest = WindowTest;

TEST_F(DatasetWindowTest, ListsTheAddedDataAndRefusesOkWithoutAName)
{
    Open("one_ied.scd");
    TreeItem* ln = Click("LN: GGIO1");
    QAction& create = *frame->Action(kCmdCreateDataset);
    ASSERT_TRUE(create.isEnabled());

    QString refusal;
    WhenModalShown<CDynDatasetWindow>([&](CDynDatasetWindow* window) {
        QTreeWidget* tree = window->DataTree();
        EXPECT_EQ(tree->currentItem(), tree->topLevelItem(0));
        EXPECT_FALSE(window->AddButton()->isEnabled());
        QList<QTreeWidgetItem*> stVal = tree->findItems("DA: stVal", Qt::MatchExactly | Qt::MatchRecursive);
        ASSERT_EQ(stVal.size(), 2);  // of LLN0.Mod and of GGIO1.Ind1
        tree->scrollToItem(stVal[1]);
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(stVal[1]).center());
        ASSERT_TRUE(window->AddButton()->isEnabled());

        window->AddButton()->click();
        QListWidget* list = window->ElementList();
        ASSERT_EQ(list->count(), 1);
        EXPECT_EQ(list->item(0)->text(), "LD0/GGIO1.Ind1.stVal [ST]");
        EXPECT_EQ(list->currentRow(), 0);
        EXPECT_TRUE(window->DeleteButton()->isEnabled());
        EXPECT_FALSE(window->MoveUpButton()->isEnabled());
        EXPECT_FALSE(window->MoveDownButton()->isEnabled());

        WhenModalShown<QMessageBox>([&](QMessageBox* box) {
            refusal = box->windowTitle() + "|" + box->text();
            EXPECT_EQ(box->icon(), QMessageBox::Warning);
            box->accept();
        });
        ClickButton(window, "OK");
        EXPECT_TRUE(window->isVisible());
        QTest::keyClicks(window->NameField(), "dsA");
        EXPECT_EQ(window->FullNameField()->text(), "GGIO1.dsA");
        ClickButton(window, "OK");
    });
    create.trigger();
    EXPECT_EQ(refusal, "Create dynamic dataset|Dataset name cannot be empty!");
    bool listed = false;
    for (TreeItem* child = ln->FirstChild(); child; child = child->NextSibling())
        listed = listed || child->Label() == "DataSet: dsA";
    EXPECT_TRUE(listed);
}
