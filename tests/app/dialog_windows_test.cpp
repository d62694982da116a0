// The windows of the dialog models: version history, the two log windows, Add IED.
#include "app/add_ied_window.h"
#include "app/dialog_windows.h"
#include "app/elided_text_delegate.h"
#include "app/export_window.h"
#include "app/fc_select_window.h"
#include "app/go_selection_window.h"
#include "app/log_window.h"
#include "app/number_spin_edit.h"
#include "app/qt_user_interface.h"
#include "app/version_history_window.h"
#include "app_test_support.h"
#include "core/add_ied_dialog.h"
#include "core/log_dialogs.h"
#include "core/version_history_dialog.h"
#include "datasets/export_dialog.h"
#include "datasets/fc_select_dialog.h"
#include "support/fake_ui.h"
#include "tree/go_selection_dialog.h"

#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <QToolTip>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace {

struct VersionHistoryWindowTest : ::testing::Test {
    FakeUi ui;
    CVerHistDialog model;
    std::unique_ptr<CVersionHistoryWindow> window;

    void SetUp() override
    {
        model.SetValues({"", "What has been changed", "Why it has been changed", 3, 8});
        model.userName = "engineer";
        window = std::make_unique<CVersionHistoryWindow>(model, ui);
        window->open();
    }
    void PressOk(const QString& version, const QString& revision)
    {
        window->VersionField()->SetText(version);
        window->RevisionField()->SetText(revision);
        ClickButton(window.get(), "OK");
    }
};

}  // namespace

TEST_F(VersionHistoryWindowTest, ShowsTheModelAndHandsBackEveryField)
{
    EXPECT_EQ(window->windowTitle(), "Version history");
    EXPECT_EQ(window->VersionField()->Text(), "3");
    EXPECT_EQ(window->RevisionField()->Text(), "8");
    EXPECT_EQ(window->UserNameField()->text(), "engineer");
    EXPECT_EQ(window->DescriptionField()->toPlainText(), "What has been changed");

    window->UserNameField()->setText("someone");
    window->DescriptionField()->setPlainText("New bay\nand IED");
    window->ReasonField()->setPlainText("Extension");
    PressOk("4", "0");
    EXPECT_EQ(window->result(), QDialog::Accepted);
    VersionInfo values = model.Values();
    EXPECT_EQ(values.version, 4);
    EXPECT_EQ(values.revision, 0);
    EXPECT_EQ(values.who, "someone");
    EXPECT_EQ(values.what, "New bay\nand IED");
    EXPECT_EQ(values.why, "Extension");
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(VersionHistoryWindowTest, OkStaysOpenWhileANumberIsRefused)
{
    PressOk("0", "1");
    PressOk("1", "-1");
    PressOk("1", "seven");
    ASSERT_EQ(ui.messages.size(), 3u);
    EXPECT_EQ(ui.messages[0].text, "Please enter an integer between 1 and 1000000.");
    EXPECT_EQ(ui.messages[1].text, "Please enter an integer between 0 and 1000000.");
    EXPECT_EQ(ui.messages[2].text, "Please enter an integer.");
    EXPECT_EQ(ui.messages[2].icon, MessageIcon::Warning);
    EXPECT_TRUE(window->isVisible());
    EXPECT_NE(window->result(), QDialog::Accepted);

    PressOk("1000000", "1000000");
    EXPECT_EQ(window->result(), QDialog::Accepted);
}

TEST(NumberSpinEdit, ArrowsStayInTheRangeAndTypingIsFree)
{
    CNumberSpinEdit field(0, 10);
    field.SetText("9");
    field.stepBy(5);
    EXPECT_EQ(field.Text(), "10");
    field.SetText("x");
    field.stepBy(1);
    EXPECT_EQ(field.Text(), "0");
    field.stepBy(-1);
    EXPECT_EQ(field.Text(), "0");
    field.SetText("-25");
    EXPECT_EQ(field.Text(), "-25");
}

// The port's log line handler reaches the window's double click; saved and copied
// text keep the file in every line.
TEST(LogWindow, ShowsLinesWithoutTheFileAndHandsThemOnWhole)
{
    QtUserInterface ui;
    std::string activated;
    ui.SetLogLineHandler([&](const std::string& line) { activated = line; });
    const std::string located = "/d/p.scd:12: element P: bad";
    CVerifyDialog model({located, "Error: second"});
    WhenModalShown<CLogWindow>([&](CLogWindow* window) {
        EXPECT_EQ(window->windowTitle(), "Verification log - p.scd");
        QListWidget* list = window->List();
        ASSERT_EQ(list->count(), 2);
        EXPECT_EQ(list->item(0)->text(), "line 12: element P: bad");
        EXPECT_EQ(list->item(0)->toolTip().toStdString(), located);
        EXPECT_EQ(list->item(1)->text(), "Error: second");
        EXPECT_EQ(window->RejectButton(), nullptr);
        const QPoint first = list->visualItemRect(list->item(0)).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, first);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, first);
        window->CopyButton()->click();
        window->AcceptButton()->click();
    });
    EXPECT_TRUE(ui.RunDialog(model));
    EXPECT_EQ(activated, located);
    EXPECT_EQ(QGuiApplication::clipboard()->text().toStdString(), located + "\r\nError: second\r\n");
}

TEST(ElidedTextDelegate, OnlyTextCutShortHasItsWholeTextAsTooltip)
{
    QTreeWidget list;
    list.setColumnCount(2);
    list.setItemDelegate(new ElidedTextDelegate(&list));
    list.addTopLevelItem(new QTreeWidgetItem({QString(60, 'x'), "short"}));
    list.setColumnWidth(0, 60);
    list.resize(300, 100);
    list.show();
    auto tooltip = [&](int column) {
        const QPoint at = list.visualRect(list.model()->index(0, column)).center();
        QHelpEvent event(QEvent::ToolTip, at, list.viewport()->mapToGlobal(at));
        QApplication::sendEvent(list.viewport(), &event);
        return QToolTip::isVisible() ? QToolTip::text() : QString();
    };
    EXPECT_EQ(tooltip(1), "");
    EXPECT_EQ(tooltip(0), QString(60, 'x'));
}

TEST(LogWindow, GrowsButNeverBelowItsFirstSize)
{
    FakeUi ui;
    CXMLLogDialog model({"line"});
    CLogWindow window(model, CLogWindow::Closing::YesNo, ui);
    window.show();
    QSize first = window.size();
    EXPECT_EQ(window.minimumSize(), first);

    auto gapToRight = [&](QWidget* w) { return window.width() - w->mapTo(&window, QPoint(w->width(), 0)).x(); };
    auto gapToBottom = [&](QWidget* w) { return window.height() - w->mapTo(&window, QPoint(0, w->height())).y(); };
    int saveRight = gapToRight(window.SaveButton()), noRight = gapToRight(window.RejectButton());
    int yesBottom = gapToBottom(window.AcceptButton()), yesLeft = window.AcceptButton()->x();
    int listWidth = window.List()->width(), listHeight = window.List()->height();

    window.resize(first + QSize(200, 150));
    QApplication::processEvents();
    EXPECT_EQ(window.List()->width(), listWidth + 200);
    EXPECT_GE(window.List()->height(), listHeight + 150);  // the prompt may need fewer lines
    EXPECT_EQ(gapToRight(window.SaveButton()), saveRight);
    EXPECT_EQ(gapToRight(window.RejectButton()), noRight);
    EXPECT_EQ(gapToBottom(window.AcceptButton()), yesBottom);
    EXPECT_EQ(window.AcceptButton()->x(), yesLeft);
}

TEST(DialogWindows, EachModelRunsItsWindow)
{
    FakeUi ui;
    CXMLLogDialog findings({"Error: dataset DS1 referenced by: LD0/LLN0.gcb1 not found"},
                           "Dataset references verification");
    QString prompt;
    WhenModalShown<CLogWindow>([&](CLogWindow* window) {
        prompt = window->windowTitle();
        for (QLabel* label : window->findChildren<QLabel*>()) prompt += "|" + label->text();
        window->AcceptButton()->click();
    });
    EXPECT_TRUE(RunDialogWindow(findings, ui, nullptr));
    EXPECT_EQ(prompt, QString("Dataset references verification|") + CXMLLogDialog::Prompt());

    WhenModalShown<CLogWindow>([](CLogWindow* window) { window->RejectButton()->click(); });
    EXPECT_FALSE(RunDialogWindow(findings, ui, nullptr));
    WhenModalShown<CLogWindow>([](CLogWindow* window) { window->close(); });
    EXPECT_FALSE(RunDialogWindow(findings, ui, nullptr));

    CVerHistDialog history;
    WhenModalShown<CVersionHistoryWindow>([](CVersionHistoryWindow* window) { ClickButton(window, "OK"); });
    EXPECT_TRUE(RunDialogWindow(history, ui, nullptr));

    CFCSelDialog fc({"ST", "MX"});
    WhenModalShown<CFCSelWindow>([](CFCSelWindow* window) {
        window->List()->setCurrentIndex(1);
        ClickButton(window, "OK");
    });
    EXPECT_TRUE(RunDialogWindow(fc, ui, nullptr));
    EXPECT_EQ(fc.selection, 1);

    struct Unknown : DialogModel {} unknown;
    EXPECT_FALSE(RunDialogWindow(unknown, ui, nullptr));
}

TEST(GoSelectionWindow, OffersTheChoicesWithTheFirstSelected)
{
    CGoSelectionDialog model;
    model.SetPrompt("Select GCB associated with external reference");
    model.AddChoice("GCB: gcb2");
    model.AddChoice("GCB: gcb1");
    CGoSelectionWindow window(model);
    EXPECT_EQ(window.windowTitle(), "Select GCB associated with external reference");
    ASSERT_EQ(window.List()->count(), 2);
    EXPECT_EQ(window.List()->item(0)->text(), "GCB: gcb2");
    EXPECT_EQ(window.List()->currentRow(), 0);

    window.List()->setCurrentRow(1);
    ClickButton(&window, "OK");
    EXPECT_EQ(model.SelectedIndex(), 1);
    window.List()->clearSelection();
    window.accept();
    EXPECT_EQ(model.SelectedIndex(), -1);

    CGoSelectionDialog empty;
    CGoSelectionWindow untitled(empty);
    EXPECT_EQ(untitled.windowTitle(), "Select destination");
    FakeUi ui;
    WhenModalShown<CGoSelectionWindow>([](CGoSelectionWindow* shown) { ClickButton(shown, "Cancel"); });
    EXPECT_FALSE(RunDialogWindow(empty, ui, nullptr));
}

// The window shows the model's presets; the file's IEDs only when there are several,
// and choosing one there sets the name.
TEST(AddIEDWindow, ShowsThePresetsAndTheFileChoiceOnlyForSeveralIEDs)
{
    FakeUi ui;
    CAddIEDDialog single({}, {"W1", "S1"}, "S1", {"P1"}, 0);
    CAddIEDWindow plain(single, ui);
    EXPECT_EQ(plain.NameField()->text(), "P1");
    EXPECT_EQ(plain.SubNetworkList()->currentText(), "S1");
    EXPECT_EQ(plain.FileIEDList(), nullptr);

    CAddIEDDialog several({}, {"W1"}, "", {"P1", "P2", "P3"}, 1);
    CAddIEDWindow window(several, ui);
    EXPECT_EQ(window.NameField()->text(), "P2");
    ASSERT_NE(window.FileIEDList(), nullptr);
    QStringList mnemonics;
    for (QLabel* label : window.findChildren<QLabel*>()) {
        EXPECT_NE(label->buddy(), nullptr) << label->text().toStdString();
        mnemonics << label->text().mid(label->text().indexOf('&') + 1, 1).toLower();
    }
    EXPECT_EQ(mnemonics.removeDuplicates(), 0);
    window.FileIEDList()->setCurrentIndex(2);
    EXPECT_EQ(window.NameField()->text(), "P3");
}

TEST(AddIEDWindow, OkRefusesATakenNameAndHandsBackTheFields)
{
    FakeUi ui;
    CAddIEDDialog model({"P1", "P2"}, {"W1", "S1"}, "W1", {"P1"}, 0);
    CAddIEDWindow window(model, ui);
    window.open();
    ClickButton(&window, "OK");
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].title + ": " + ui.messages[0].text, "Add IED: IED P1 is already configured!");
    EXPECT_TRUE(window.isVisible());

    window.NameField()->setText("P3");
    window.SubNetworkList()->setCurrentIndex(1);
    ClickButton(&window, "OK");
    EXPECT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(window.result(), QDialog::Accepted);
    EXPECT_EQ(model.iedName, "P3");
    EXPECT_EQ(model.SubNetworkName(), "S1");

    WhenModalShown<CAddIEDWindow>([](CAddIEDWindow* shown) { ClickButton(shown, "OK"); });
    EXPECT_TRUE(RunDialogWindow(model, ui, nullptr));
}

TEST(ExportWindow, OffersTheIEDsWithThePreselectionAndHandsBackTheChoice)
{
    FakeUi ui;
    CExportDialog model({"P1", "P2", "P3"}, "P2");
    WhenModalShown<CExportWindow>([](CExportWindow* shown) {
        EXPECT_EQ(shown->windowTitle(), "Select IED for exporting");
        EXPECT_EQ(shown->List()->currentText(), "P2");
        shown->List()->setCurrentIndex(2);
        ClickButton(shown, "OK");
    });
    EXPECT_TRUE(RunDialogWindow(model, ui, nullptr));
    EXPECT_EQ(model.ChosenName(), "P3");
    EXPECT_EQ(CExportDialog({"P1"}, "gone").ChosenName(), "P1");
}
