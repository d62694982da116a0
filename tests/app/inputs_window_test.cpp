// Connect Inputs from the main window through its window: every widget change goes to
// the model, the window redraws from it, OK writes the ExtRefs.
#include "app/elided_text_delegate.h"
#include "app/inputs_window.h"
#include "app/property_view.h"
#include "app_test_support.h"
#include "core/command_ids.h"
#include "widgets/property_grid.h"
#include "window_fixture.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QTreeWidget>

namespace {

using ConnectInputsTest = WindowTest;

QStringList Entries(const QComboBox* list)
{
    QStringList texts;
    for (int i = 0; i < list->count(); ++i) texts << list->itemText(i);
    return texts;
}

QStringList Address(const CInputsWindow* window)
{
    QStringList texts;
    for (int i = 0; i < 6; ++i) texts << window->AddressField(i)->text();
    return texts;
}

void Choose(QComboBox* list, const QString& text)
{
    ASSERT_GE(list->findText(text), 0) << text.toStdString();
    list->setCurrentIndex(list->findText(text));
}

}  // namespace

TEST_F(ConnectInputsTest, TheChoicesOfItsWindowAreWrittenToTheExtRef)
{
    Open("goose_connected.scd");
    QAction& connect = *frame->Action(kCmdConnectInputs);
    Click("IED: R");
    EXPECT_FALSE(connect.isEnabled());
    TreeItem* extRef = Click("ExtRef: P1LD0/GGIO1.Ind1")->Parent()->Child(3);  // NI4, on P1's Ind2
    ASSERT_TRUE(connect.isEnabled());

    WhenModalShown<CInputsWindow>([](CInputsWindow* window) {
        EXPECT_EQ(window->windowTitle(), "Edit inputs for R/LD0/LLN0");
        QTreeWidget* list = window->InputList();
        EXPECT_TRUE(dynamic_cast<ElidedTextDelegate*>(list->itemDelegate()));
        ASSERT_EQ(list->topLevelItemCount(), 4);
        EXPECT_EQ(list->topLevelItem(0)->text(1), "GGIO1.Ind1.stVal");
        EXPECT_EQ(Entries(window->RemoteIedList()), QStringList({"<none>", "P1", "P2"}));

        QTreeWidgetItem* row = list->topLevelItem(3);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(row).center());
        EXPECT_EQ(window->DataReferenceList()->currentText(), "LD0/GGIO1.Ind2.stVal");
        EXPECT_FALSE(window->BitIndexList()->isEnabled());
        EXPECT_EQ(Address(window), QStringList({"01-0C-CD-01-00-01", "", "", "0001", "P1gcb1", "2"}));

        // P2 does not publish Ind2: nothing of P1's choice stays.
        Choose(window->RemoteIedList(), "P2");
        EXPECT_EQ(Entries(window->DataReferenceList()),
                  QStringList({"<none>", "LD0/GGIO1.Ind1.stVal", "LD0/GGIO1.Cnt.stVal"}));
        EXPECT_EQ(window->DataReferenceList()->currentIndex(), 0);
        EXPECT_FALSE(window->ControlBlockList()->isEnabled());
        EXPECT_EQ(Address(window)[4], "");
        EXPECT_EQ(row->text(1), "");

        Choose(window->DataReferenceList(), "LD0/GGIO1.Cnt.stVal");
        EXPECT_EQ(window->BitIndexList()->count(), 32);
        Choose(window->BitIndexList(), "5");
        EXPECT_EQ(row->text(1), "GGIO1.Cnt.stVal");
        EXPECT_EQ(Address(window)[4], "P2gcb1");
        EXPECT_EQ(list->currentItem(), row);
        ClickButton(window, "OK");
    });
    connect.trigger();

    EXPECT_EQ(Attribute(extRef, "iedName"), "P2");
    EXPECT_EQ(Attribute(extRef, "doName"), "Cnt");
    EXPECT_EQ(Attribute(extRef, "desc"), "Bit5");
    EXPECT_EQ(Attribute(extRef, "intAddr"), "NI4");
    EXPECT_EQ(Modified(), "MOD");
}
