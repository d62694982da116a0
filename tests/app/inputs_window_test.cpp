// Connect Inputs from the main window through its window: every widget change goes to
// the model, the window redraws from it, OK writes the ExtRefs.
#include "app/inputs_window.h"
#include "window_fixture.h"

using ConnectInputsTest = WindowTest;

TEST_F(ConnectInputsTest, TheChoicesOfItsWindowAreWrittenToTheExtRef)
{
    Open("goose_connected.scd");
    QAction& connect = *frame->Action(kCmdConnectInputs);
    Click("IED: R");
    EXPECT_FALSE(connect.isEnabled());
    TreeItem* extRef = Click("ExtRef: P1LD0/GGIO1.Ind1")->Parent()->Child(3);  // NI4, on P1's Ind2
    ASSERT_TRUE(connect.isEnabled());

    WhenModalShown<CInputsWindow>([](CInputsWindow* window) {
        QTreeWidget* list = window->InputList();
        ASSERT_EQ(list->topLevelItemCount(), 4);
        QTreeWidgetItem* row = list->topLevelItem(3);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(row).center());
        EXPECT_EQ(window->DataReferenceList()->currentText(), "LD0/GGIO1.Ind2.stVal");
        EXPECT_EQ(window->AddressField(4)->text(), "P1gcb1");

        window->RemoteIedList()->setCurrentText("P2");  // P2 does not publish Ind2
        EXPECT_EQ(window->DataReferenceList()->currentIndex(), 0);
        EXPECT_FALSE(window->ControlBlockList()->isEnabled());
        EXPECT_EQ(row->text(1), "");
        window->DataReferenceList()->setCurrentText("LD0/GGIO1.Cnt.stVal");
        window->BitIndexList()->setCurrentText("5");
        EXPECT_EQ(row->text(1), "GGIO1.Cnt.stVal");
        EXPECT_EQ(window->AddressField(4)->text(), "P2gcb1");
        EXPECT_EQ(list->currentItem(), row);
        ClickButton(window, "OK");
    });
    connect.trigger();

    EXPECT_EQ(Attribute(extRef, "iedName"), "P2");
    EXPECT_EQ(Attribute(extRef, "doName"), "Cnt");
    EXPECT_EQ(Attribute(extRef, "desc"), "Bit5");
    EXPECT_EQ(Modified(), "MOD");
}
