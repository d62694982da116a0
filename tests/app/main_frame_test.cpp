// The main window over a document: tree, caption, selection, commands, indicators,
// closing, dropping and recent files.
#include "app/caption_view.h"
#include "app/command_table.h"
#include "app/go_selection_window.h"
#include "app/log_window.h"
#include "app/main_frame.h"
#include "app/project_tree_model.h"
#include "app/project_tree_pane.h"
#include "app/qt_user_interface.h"
#include "app/recent_file_list.h"
#include "app/version_history_window.h"
#include "app_test_support.h"
#include "core/varnholt_doc.h"
#include "support/fake_ui.h"
#include "support/test_support.h"
#include "tree/varnholt_view.h"

#include <QAbstractButton>
#include <QPushButton>
#include <QAction>
#include <QContextMenuEvent>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QProgressBar>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <set>

namespace {

class MainFrameTest : public ::testing::Test {
protected:
    CVarnholtDoc doc;
    FakeUi fakeUi;
    RecentFileList recent;
    std::unique_ptr<CMainFrame> frame;

    void MakeFrame(UserInterface& ui)
    {
        frame = std::make_unique<CMainFrame>(doc, ui, recent, ShellResources{});
        frame->show();
        frame->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(frame.get()));
    }
    void SetUp() override
    {
        fakeUi.onDialog = [](DialogModel&) { return true; };  // go on with invalid files
        MakeFrame(fakeUi);
    }
    bool Open(const std::string& name) { return frame->OpenFile(QString::fromStdString(TestDataPath(name))); }
    CProjectTreePane& Pane() const { return *frame->TreePane(); }
    TreeItem* Find(const std::string& label) const
    {
        CVarnholtView& view = frame->ProjectTree();
        for (TreeItem* item = view.FirstRootItem(); item; item = NextItemInPreOrder(item))
            if (item->Label() == label) return item;
        ADD_FAILURE() << "no item " << label;
        return nullptr;
    }
    QModelIndex IndexOf(const std::string& label) const { return frame->TreeModel().IndexOf(Find(label)); }
    void Click(const std::string& label, Qt::MouseButton button = Qt::LeftButton)
    {
        QModelIndex index = IndexOf(label);
        Pane().scrollTo(index);
        QTest::mouseClick(Pane().viewport(), button, {}, Pane().visualRect(index).center());
    }
    QStringList Caption() const
    {
        const CCaptionView& caption = *frame->CaptionPane();
        return {caption.SubstationText(), caption.IedText(), caption.LogicalDeviceText()};
    }
};

}  // namespace

TEST_F(MainFrameTest, OpeningFillsTheTreeAndSelectingFillsTheCaption)
{
    ASSERT_TRUE(Open("tree_project.scd"));
    EXPECT_EQ(frame->TreeModel().rowCount(), 5);
    EXPECT_EQ(Pane().currentIndex(), IndexOf("Substation: S1"));
    EXPECT_EQ(Caption(), QStringList({"Substation: S1", "", ""}));

    Click("DA: v");
    EXPECT_EQ(frame->ProjectTree().Selected(), Find("DA: v"));
    EXPECT_EQ(Caption(), QStringList({"Substation: S1", "IED: P1", "Logical device: LD0"}));

    Click("ConnectedAP: IED: P2 AP: AP1");
    EXPECT_EQ(Caption(), QStringList({"Substation: S1", "IED: P2", ""}));
    Click("Communication");
    EXPECT_EQ(Caption(), QStringList({"Substation: S1", "", ""}));
}

TEST_F(MainFrameTest, ASelectionMadeByTheTreeIsShownAndScrolledTo)
{
    ASSERT_TRUE(Open("tree_project.scd"));
    TreeItem* deep = Find("Value: deep");
    frame->ProjectTree().Select(deep);
    QModelIndex index = frame->TreeModel().IndexOf(deep);
    EXPECT_EQ(Pane().currentIndex(), index);
    EXPECT_TRUE(Pane().selectionModel()->isSelected(index));
    for (QModelIndex parent = index.parent(); parent.isValid(); parent = parent.parent())
        EXPECT_TRUE(Pane().isExpanded(parent)) << frame->TreeModel().data(parent).toString().toStdString();
    EXPECT_TRUE(Pane().viewport()->rect().intersects(Pane().visualRect(index)));

    // An IED added by a command arrives selected, without rebuilding the pane.
    xmlNode* ied = xmlNewChild(doc.Root(), nullptr, BAD_CAST "IED", nullptr);
    xmlNewProp(ied, BAD_CAST "name", BAD_CAST "N1");
    QPersistentModelIndex p2(IndexOf("IED: P2"));
    TreeItem* added = frame->ProjectTree().InsertIEDItem(ied, -1);
    EXPECT_EQ(Pane().currentIndex(), frame->TreeModel().IndexOf(added));
    EXPECT_EQ(Caption(), QStringList({"Substation: S1", "IED: N1", ""}));
    EXPECT_TRUE(p2.isValid());
}

TEST_F(MainFrameTest, RightClickOpensTheEditMenuAndKeepsTheSelection)
{
    ASSERT_TRUE(Open("one_ied.scd"));
    Click("IED: P1 [G]");
    Click("Communication", Qt::RightButton);
    EXPECT_EQ(frame->ProjectTree().Selected(), Find("IED: P1 [G]"));
    QPoint at = Pane().visualRect(IndexOf("Communication")).center();
    QContextMenuEvent request(QContextMenuEvent::Mouse, at, Pane().viewport()->mapToGlobal(at));
    QApplication::sendEvent(Pane().viewport(), &request);
    EXPECT_EQ(frame->ProjectTree().Selected(), Find("IED: P1 [G]"));
    EXPECT_EQ(Pane().ContextMenu(), frame->EditMenu());
    EXPECT_TRUE(frame->EditMenu()->isVisible());
    frame->EditMenu()->hide();
}

TEST_F(MainFrameTest, AvailabilityComesFromTheTreeAndUnbuiltCommandsStayDisabled)
{
    ASSERT_TRUE(Open("one_ied.scd"));
    Click("IED: P1 [G]");
    for (const CommandInfo& command : CommandTable()) ASSERT_NE(frame->Action(command.id), nullptr) << command.text;
    for (int unbuilt : std::initializer_list<int>{kCmdAddSubstation}) {
        QAction* action = frame->Action(unbuilt);
        EXPECT_TRUE(action->isVisible()) << action->text().toStdString();
        EXPECT_FALSE(action->isEnabled()) << action->text().toStdString();
    }
    EXPECT_TRUE(frame->EditMenu()->actions().contains(frame->Action(kCmdDelete)));
    for (int built : std::initializer_list<int>{ShellCommand::FileNew, ShellCommand::FileOpen, ShellCommand::FileSave, ShellCommand::FileSaveAs,
                      ShellCommand::VerifySyntax, kCmdVerifyAddresses, kCmdVerifyGooseInputs, kCmdUpdateInputs,
                      kCmdAddIED, kCmdUpdateIED, ShellCommand::AddSubnetwork, kCmdExportIIDCID, kCmdExportVariables, kCmdExportIEDDescription,
                      ShellCommand::GooseMapping, ShellCommand::AppExit, ShellCommand::AppAbout})
        EXPECT_TRUE(frame->Action(built)->isEnabled()) << frame->Action(built)->text().toStdString();

    // Once a command has a handler, the tree decides for the selected item.
    int deletions = 0;
    frame->SetHandler(kCmdDelete, [&] { ++deletions; });
    frame->SetHandler(kCmdAddSubstation, [] {});
    EXPECT_TRUE(frame->Action(kCmdDelete)->isEnabled());
    EXPECT_FALSE(frame->Action(kCmdAddSubstation)->isEnabled());
    Click("Substation: S1");
    EXPECT_FALSE(frame->Action(kCmdDelete)->isEnabled());
    EXPECT_FALSE(frame->Action(kCmdUpdateIED)->isEnabled());
    EXPECT_TRUE(frame->Action(kCmdAddIED)->isEnabled());
    Click("IED: P1 [G]");
    QTest::keyClick(&Pane(), Qt::Key_Delete);
    EXPECT_EQ(deletions, 1);
}

TEST_F(MainFrameTest, IndicatorsAndTitleFollowTheDocument)
{
    ASSERT_TRUE(Open("one_ied.scd"));
    EXPECT_EQ(frame->windowTitle(), "one_ied.scd - Varnholt");
    EXPECT_EQ(frame->ValidityIndicator()->text(), "VALID");
    EXPECT_EQ(frame->ModifiedIndicator()->text(), "");

    doc.SetModifiedFlag(true);
    frame->Action(ShellCommand::VerifySyntax)->trigger();
    ASSERT_EQ(fakeUi.messages.size(), 1u);
    EXPECT_EQ(fakeUi.messages[0].text, "Document is correct");
    EXPECT_EQ(frame->ModifiedIndicator()->text(), "MOD");

    fakeUi.messageAnswers = {MessageAnswer::No};  // do not save one_ied.scd
    ASSERT_TRUE(Open("tree_project.scd"));
    EXPECT_EQ(frame->ValidityIndicator()->text(), "INVALID");
    EXPECT_EQ(frame->ModifiedIndicator()->text(), "");

    frame->Action(ShellCommand::FileNew)->trigger();
    EXPECT_EQ(frame->windowTitle(), "Untitled - Varnholt");
    EXPECT_EQ(frame->ValidityIndicator()->text(), "VALID");
    EXPECT_EQ(frame->TreeModel().rowCount(), 2);
}

TEST_F(MainFrameTest, ClosingWithUnsavedChangesAsksAndCancelKeepsEverything)
{
    TempDir dir;
    WriteFileText(dir.File("station.scd"), ReadFileText(TestDataPath("one_ied.scd")));
    QtUserInterface qtUi;
    frame.reset();
    MakeFrame(qtUi);
    qtUi.SetParentWidget(frame.get());
    ASSERT_TRUE(frame->OpenFile(QString::fromStdString(dir.File("station.scd"))));
    doc.SetModifiedFlag(true);

    QString asked;
    WhenModalShown<QMessageBox>([&](QMessageBox* box) {
        asked = box->windowTitle() + "|" + box->text();
        EXPECT_EQ(box->icon(), QMessageBox::Warning);
        EXPECT_EQ(box->standardButtons(), QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        box->button(QMessageBox::Cancel)->click();
    });
    EXPECT_FALSE(frame->close());
    EXPECT_EQ(asked, "Varnholt|Save changes to station.scd?");
    EXPECT_TRUE(frame->isVisible());
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(frame->TreeModel().rowCount(), 3);

    // Yes, then cancelling the version history: nothing is saved and the window stays.
    std::string before = ReadFileText(dir.File("station.scd"));
    WhenModalShown<QMessageBox>([](QMessageBox* box) { box->button(QMessageBox::Yes)->click(); });
    WhenModalShown<CVersionHistoryWindow>([](CVersionHistoryWindow* window) { window->reject(); });
    EXPECT_FALSE(frame->close());
    EXPECT_TRUE(frame->isVisible());
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(ReadFileText(dir.File("station.scd")), before);

    WhenModalShown<QMessageBox>([](QMessageBox* box) { box->button(QMessageBox::No)->click(); });
    EXPECT_TRUE(frame->close());
    EXPECT_FALSE(frame->isVisible());
}

TEST_F(MainFrameTest, ADroppedFileIsOpened)
{
    QString path = QString::fromStdString(TestDataPath("one_ied.scd"));
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(path)});
    QPoint inside = frame->rect().center();
    QDragEnterEvent enter(inside, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(frame.get(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(inside, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(frame.get(), &drop);
    for (int wait = 0; wait < 200 && doc.PathName().empty(); ++wait) QTest::qWait(10);
    EXPECT_EQ(QString::fromStdString(doc.PathName()), path);
    EXPECT_EQ(frame->TreeModel().rowCount(), 3);
    EXPECT_EQ(recent.Files(), QStringList({path}));
}

TEST_F(MainFrameTest, RecentFilesReopenAndVanishedOnesAreDropped)
{
    TempDir dir;
    QString gone = QString::fromStdString(dir.File("gone.scd"));
    recent.Add(gone);
    ASSERT_TRUE(Open("one_ied.scd"));
    emit frame->menuBar()->actions().first()->menu()->aboutToShow();
    ASSERT_EQ(frame->RecentFileActions().size(), 2u);
    EXPECT_TRUE(frame->RecentFileActions()[0]->text().endsWith("one_ied.scd"));

    frame->RecentFileActions()[1]->trigger();
    EXPECT_EQ(fakeUi.messages.back().text, "Invalid file format!");
    EXPECT_EQ(recent.Files(), QStringList({QString::fromStdString(TestDataPath("one_ied.scd"))}));
    EXPECT_EQ(doc.PathName(), TestDataPath("one_ied.scd"));
}

TEST_F(MainFrameTest, FilesSavedOrOpenedAfterTheSaveChangesQuestionJoinTheRecentFiles)
{
    TempDir dir;
    const std::string saved = dir.File("saved.scd"), opened = dir.File("opened.scd");
    WriteFileText(opened, ReadFileText(TestDataPath("one_ied.scd")));
    frame->Action(ShellCommand::FileNew)->trigger();
    doc.SetModifiedFlag(true);
    fakeUi.messageAnswers = {MessageAnswer::Yes};
    fakeUi.saveFileNames = {saved};
    fakeUi.openFileNames = {opened};
    frame->Action(ShellCommand::FileOpen)->trigger();
    EXPECT_EQ(recent.Files().join('|').toStdString(), opened + "|" + saved);
}

TEST_F(MainFrameTest, EveryMenuAndItemHasAMnemonicOfItsOwnWithinItsMenu)
{
    recent.Add("/projects/a.scd");
    recent.Add("/projects/b.scd");
    emit frame->menuBar()->actions().first()->menu()->aboutToShow();
    std::vector<std::pair<QString, QList<QAction*>>> menus = {{"menu bar", frame->menuBar()->actions()}};
    for (size_t i = 0; i < menus.size(); ++i) {
        const auto [menu, actions] = menus[i];
        std::set<QString> taken;
        for (QAction* action : actions) {
            if (action->isSeparator()) continue;
            QString key = QKeySequence::mnemonic(action->text()).toString();
            EXPECT_FALSE(key.isEmpty()) << menu.toStdString() << ": " << action->text().toStdString();
            EXPECT_TRUE(key.isEmpty() || taken.insert(key).second)
                << menu.toStdString() << ": " << action->text().toStdString() << " takes " << key.toStdString();
            if (action->menu()) menus.push_back({action->text(), action->menu()->actions()});
        }
    }
    EXPECT_GT(menus.size(), 1 + frame->menuBar()->actions().size());  // submenus walked too
}

TEST_F(MainFrameTest, GoToSelectsTheTargetInThePane)
{
    ASSERT_TRUE(Open("tree_project.scd"));
    Click("ConnectedAP: IED: P2 AP: AP1");
    ASSERT_TRUE(frame->Action(kCmdGoToAccessPoint)->isEnabled());
    frame->Action(kCmdGoToAccessPoint)->trigger();
    TreeItem* target = frame->ProjectTree().Selected();
    ASSERT_NE(target, nullptr);
    EXPECT_EQ(target->Label(), "AccessPoint: AP1");
    EXPECT_EQ(target->Parent()->Label(), "IED: P2");
    EXPECT_EQ(Pane().currentIndex(), frame->TreeModel().IndexOf(target));
    EXPECT_EQ(Caption(), QStringList({"Substation: S1", "IED: P2", ""}));
}

TEST_F(MainFrameTest, GoToAsksWhichTargetInItsWindow)
{
    QtUserInterface qtUi;
    frame.reset();
    MakeFrame(qtUi);
    qtUi.SetParentWidget(frame.get());
    WhenModalShown<CLogWindow>([](CLogWindow* window) { window->AcceptButton()->click(); });  // open anyway
    ASSERT_TRUE(Open("tree_project.scd"));
    Click("DataSet: DS1");

    QStringList offered;
    WhenModalShown<CGoSelectionWindow>([&](CGoSelectionWindow* window) {
        offered << window->windowTitle();
        for (int row = 0; row < window->List()->count(); ++row) offered << window->List()->item(row)->text();
        window->List()->setCurrentRow(1);
        window->accept();
    });
    frame->Action(kCmdGoToControlBlock)->trigger();
    EXPECT_EQ(offered, QStringList({"Select CB associated with a dataset DS1", "RCB: RC1", "GCB: GC1"}));
    EXPECT_EQ(frame->ProjectTree().Selected(), Find("GSEControl: GC1"));
    EXPECT_EQ(Pane().currentIndex(), IndexOf("GSEControl: GC1"));
}

namespace {

// A long step shows in the status bar and leaves it when the busy state ends.
TEST_F(MainFrameTest, ProgressOfALongStepShowsInTheStatusBar)
{
    QtUserInterface ui(frame.get());
    auto* text = frame->findChild<QLabel*>(QtUserInterface::StatusTextName());
    auto* bar = frame->findChild<QProgressBar*>(QtUserInterface::ProgressBarName());
    ASSERT_TRUE(text && bar);
    EXPECT_FALSE(bar->isVisible());
    ui.SetBusy(true);
    ui.ShowProgress("Building the project tree...", 70);
    EXPECT_EQ(text->text(), "Building the project tree...");
    EXPECT_TRUE(bar->isVisible());
    EXPECT_EQ(bar->value(), 70);
    ui.SetBusy(false);
    EXPECT_EQ(text->text(), "Ready");
    EXPECT_FALSE(bar->isVisible());
}

}  // namespace
