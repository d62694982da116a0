// The windows of the dialog models: each shows its model and hands back what is
// chosen; a refusal keeps the window open.
#include "app/shell/qt_user_interface.h"
#include "app/windows/add_ied_window.h"
#include "app/windows/dialog_windows.h"
#include "app/windows/export_window.h"
#include "app/windows/fc_select_window.h"
#include "app/windows/log_window.h"
#include "app/windows/number_spin_edit.h"
#include "app/windows/version_history_window.h"
#include "app_test_support.h"
#include "datasets/fc_select_dialog.h"
#include "document/log_dialogs.h"
#include "document/version_history_dialog.h"
#include "exports/export_dialog.h"
#include "import/add_ied_dialog.h"
#include "support/fake_ui.h"

#include <QTest>
#include <QtWidgets>

#include <gtest/gtest.h>

#include <tuple>

TEST(VersionHistoryWindow, ShowsTheModelKeepsItsNumbersInRangeStaysOpenOnARefusalAndHandsBackEveryField)
{
    FakeUi ui;
    CVerHistDialog model;
    model.SetValues({"", "What has been changed", "", 3, 8});
    model.userName = "engineer";
    CVersionHistoryWindow window(model, ui);
    window.open();
    EXPECT_EQ(window.VersionField()->Text() + window.RevisionField()->Text(), "38");
    EXPECT_EQ(window.UserNameField()->text(), "engineer");
    EXPECT_EQ(window.DescriptionField()->toPlainText(), "What has been changed");

    // The arrows stay in the field's range; typing is free and checked on OK.
    window.VersionField()->SetText("999999");
    window.VersionField()->stepBy(5);
    window.RevisionField()->SetText("x");
    window.RevisionField()->stepBy(-1);
    EXPECT_EQ(window.VersionField()->Text() + " " + window.RevisionField()->Text(), "1000000 0");
    window.VersionField()->SetText("-25");
    EXPECT_EQ(window.VersionField()->Text(), "-25");
    ClickButton(&window, "OK");
    EXPECT_EQ(ui.messages.size(), 1u);
    EXPECT_TRUE(window.isVisible());

    window.VersionField()->SetText("4");
    window.RevisionField()->SetText("0");
    window.UserNameField()->setText("someone");
    window.DescriptionField()->setPlainText("New bay\nand IED");
    window.ReasonField()->setPlainText("Extension");
    ClickButton(&window, "OK");
    EXPECT_EQ(window.result(), QDialog::Accepted);
    VersionInfo values = model.Values();
    EXPECT_EQ(std::tie(values.version, values.revision, values.who, values.what, values.why),
              std::make_tuple(4, 0, std::string("someone"), std::string("New bay\nand IED"), std::string("Extension")));
}

// The port's log line handler reaches the window's double click; copied text keeps
// the file in every line. A long message is wrapped, not scrolled sideways.
TEST(LogWindow, ShowsLinesWithoutTheFileAndHandsThemOnWhole)
{
    QtUserInterface ui;
    std::string activated;
    ui.SetLogLineHandler([&](const std::string& line) { activated = line; });
    const std::string located = "/d/p.scd:12: element P: bad";
    const std::string schema = "/d/p.scd:14: element IED: Schemas validity error : Element "
                               "'{http://www.iec.ch/61850/2003/SCL}IED': Missing child element(s). Expected is one of "
                               "( {http://www.iec.ch/61850/2003/SCL}Text, {http://www.iec.ch/61850/2003/SCL}Private, "
                               "Services, AccessPoint, and a great many more elements of the content model ).";
    std::string path = "Error: cannot read ";
    for (int i = 0; i < 30; ++i) path += "/a_deep_folder_name";
    CVerifyDialog model({located, "Error: second", schema, path});
    WhenModalShown<CLogWindow>([&](CLogWindow* window) {
        QListWidget* list = window->List();
        ASSERT_EQ(list->count(), 4);
        EXPECT_EQ(list->item(0)->text(), "line 12: element P: bad");
        EXPECT_EQ(list->item(0)->toolTip().toStdString(), located);
        for (int row : {2, 3}) {  // wrapped between words, and inside a long path
            const QRect wrapped = list->visualItemRect(list->item(row));
            EXPECT_GE(wrapped.height(), 2 * list->visualItemRect(list->item(1)).height());
            EXPECT_LE(wrapped.right(), list->viewport()->width());
        }
        EXPECT_EQ(list->horizontalScrollBar()->maximum(), 0);
        EXPECT_EQ(list->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
        const QPoint first = list->visualItemRect(list->item(0)).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, first);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, first);
        window->CopyButton()->click();
        window->AcceptButton()->click();
    });
    EXPECT_TRUE(ui.RunDialog(model));
    EXPECT_EQ(activated, located);
    EXPECT_EQ(QGuiApplication::clipboard()->text().toStdString(),
              located + "\r\nError: second\r\n" + schema + "\r\n" + path + "\r\n");
}

// RunDialogWindow gives each model its window and reports OK or not.
TEST(DialogWindows, EachModelRunsItsWindow)
{
    FakeUi ui;
    CXMLLogDialog findings({"Error: dataset DS1 not found"});
    QString prompt;
    WhenModalShown<CLogWindow>([&](CLogWindow* window) {
        for (QLabel* label : window->findChildren<QLabel*>()) prompt += label->text();
        window->AcceptButton()->click();
    });
    EXPECT_TRUE(RunDialogWindow(findings, ui, nullptr));
    EXPECT_EQ(prompt, QString(CXMLLogDialog::Prompt()));
    WhenModalShown<CLogWindow>([](CLogWindow* window) { window->RejectButton()->click(); });
    EXPECT_FALSE(RunDialogWindow(findings, ui, nullptr));
    CFCSelDialog fc({"ST", "MX"});
    WhenModalShown<CFCSelWindow>([](CFCSelWindow* window) {
        window->List()->setCurrentIndex(1);
        ClickButton(window, "OK");
    });
    EXPECT_TRUE(RunDialogWindow(fc, ui, nullptr));
    EXPECT_EQ(fc.selection, 1);

    CExportDialog exported({"P1", "P2", "P3"}, "P2");
    WhenModalShown<CExportWindow>([](CExportWindow* window) {
        EXPECT_EQ(window->List()->currentText(), "P2");
        window->List()->setCurrentIndex(2);
        ClickButton(window, "OK");
    });
    EXPECT_TRUE(RunDialogWindow(exported, ui, nullptr));
    EXPECT_EQ(exported.ChosenName(), "P3");
}

// Choosing one of the file's IEDs sets the name; OK refuses a taken name and stays open.
TEST(AddIEDWindow, ShowsThePresetsRefusesATakenNameAndHandsBackTheFields)
{
    FakeUi ui;
    CAddIEDDialog model({"P1", "P2"}, {"W1", "S1"}, "S1", {"P1", "P2", "P3"}, 0);
    CAddIEDWindow window(model, ui);
    window.open();
    EXPECT_EQ(window.NameField()->text() + " on " + window.SubNetworkList()->currentText(), "P1 on S1");
    QStringList mnemonics;
    for (QLabel* label : window.findChildren<QLabel*>()) {
        EXPECT_NE(label->buddy(), nullptr) << label->text().toStdString();
        mnemonics << label->text().mid(label->text().indexOf('&') + 1, 1).toLower();
    }
    EXPECT_EQ(mnemonics.removeDuplicates(), 0);
    ClickButton(&window, "OK");
    EXPECT_EQ(ui.messages.size(), 1u);
    EXPECT_TRUE(window.isVisible());

    ASSERT_NE(window.FileIEDList(), nullptr);
    window.FileIEDList()->setCurrentIndex(2);
    EXPECT_EQ(window.NameField()->text(), "P3");
    window.SubNetworkList()->setCurrentIndex(0);
    ClickButton(&window, "OK");
    EXPECT_EQ(window.result(), QDialog::Accepted);
    EXPECT_EQ(model.iedName + " on " + model.SubNetworkName(), "P3 on W1");

    WhenModalShown<CAddIEDWindow>([](CAddIEDWindow* shown) { ClickButton(shown, "OK"); });
    EXPECT_TRUE(RunDialogWindow(model, ui, nullptr));
}
