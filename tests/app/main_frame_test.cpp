// The main window over a document: tree pane and caption in step with the tree and its
// selection, command enablement, indicators, closing, dropping and recent files.
#include "app/panes/caption_view.h"
#include "app/panes/property_view.h"
#include "app/windows/go_selection_window.h"
#include "app/windows/log_window.h"
#include "window_fixture.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>

#include <set>

namespace {

// The main window with a scripted person, who goes on with invalid files.
class MainFrameTest : public WindowTest {
protected:
    UserInterface& Ui() override { return fakeUi; }
    void SetUp() override
    {
        fakeUi.onDialog = [](DialogModel&) { return true; };
        WindowTest::SetUp();
    }
    QStringList Caption() const
    {
        const CCaptionView& caption = *frame->CaptionPane();
        return {caption.SubstationText(), caption.IedText(), caption.LogicalDeviceText()};
    }
};

// The main window with real message boxes and dialog windows.
using MainFrameDialogTest = WindowTest;

}  // namespace

// The title marks unsaved changes as the platform does; an export confirms its file in
// the status bar.
TEST_F(MainFrameTest, TitleIndicatorsTreeAndCaptionFollowTheDocumentAndTheSelection)
{
    Open("one_ied.scd");
    auto title = [this] { return frame->windowHandle()->title().toStdString(); };
    EXPECT_EQ(title(), "one_ied.scd - Varnholt");
    EXPECT_EQ(frame->ValidityIndicator()->text() + Modified(), "VALID");
    frame->Action(ShellCommand::AddSubnetwork)->trigger();
    EXPECT_EQ(title() + Modified().toStdString(), "one_ied.scd* - VarnholtMOD");
    frame->Action(ShellCommand::FileSave)->trigger();
    EXPECT_EQ(title() + Modified().toStdString(), "one_ied.scd - Varnholt");
    fakeUi.saveFileNames = {dir.File("variables.txt")};
    frame->Action(kCmdExportVariables)->trigger();
    EXPECT_EQ(frame->statusBar()->currentMessage().toStdString(), "Exported variables to " + dir.File("variables.txt"));
    doc.SetModifiedFlag(true);
    frame->Action(ShellCommand::VerifySyntax)->trigger();
    EXPECT_EQ(Modified(), "MOD");

    fakeUi.messageAnswers = {MessageAnswer::No};  // do not save one_ied.scd
    Open("tree_project.scd");
    EXPECT_EQ(frame->ValidityIndicator()->text() + Modified(), "INVALID");
    EXPECT_EQ(Pane().currentIndex(), IndexOf("Substation: S1"));
    EXPECT_EQ(Caption(), QStringList({"Substation: S1", "", ""}));
    Click("DA: v");
    EXPECT_EQ(Caption(), QStringList({"Substation: S1", "IED: P1", "Logical device: LD0"}));
    Click("ConnectedAP: IED: P2 AP: AP1");
    EXPECT_EQ(Caption(), QStringList({"Substation: S1", "IED: P2", ""}));
}

TEST_F(MainFrameTest, ASelectionMadeByTheTreeIsShownAndScrolledTo)
{
    Open("tree_project.scd");
    TreeItem* deep = Find("Value: deep");
    frame->ProjectTree().Select(deep);
    QModelIndex index = frame->TreeModel().IndexOf(deep);
    EXPECT_EQ(Pane().currentIndex(), index);
    EXPECT_TRUE(Pane().selectionModel()->isSelected(index));
    EXPECT_EQ(frame->TreeModel().data(index.parent().parent()).toString(), "SDO: sub");
    EXPECT_FALSE(frame->TreeModel().data(index.parent(), Qt::DecorationRole).value<QIcon>().isNull());
    for (QModelIndex parent = index.parent(); parent.isValid(); parent = parent.parent())
        EXPECT_TRUE(Pane().isExpanded(parent)) << frame->TreeModel().data(parent).toString().toStdString();
    EXPECT_TRUE(Pane().viewport()->rect().intersects(Pane().visualRect(index)));
}

// Each edit reaches the pane as the narrow notification it is, which the model tester
// finds consistent; persistent indexes outlive the edits around them. An IED added by a
// command arrives selected.
TEST_F(MainFrameTest, TreeEditsAreForwardedConsistentlyWithoutReset)
{
    Open("tree_project.scd");
    CVarnholtView& view = frame->ProjectTree();
    ProjectTreeModel& model = frame->TreeModel();
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    QPersistentModelIndex p2(IndexOf("IED: P2")), bay(IndexOf("Bay: B1"));
    QSignalSpy resets(&model, &QAbstractItemModel::modelReset);
    QSignalSpy inserts(&model, &QAbstractItemModel::rowsInserted);
    QSignalSpy removals(&model, &QAbstractItemModel::rowsRemoved);
    QSignalSpy changes(&model, &QAbstractItemModel::dataChanged);
    auto newIED = [&](const char* name) {
        xmlNode* ied = xmlNewChild(doc.Root(), nullptr, BAD_CAST "IED", nullptr);
        xmlNewProp(ied, BAD_CAST "name", BAD_CAST name);
        xmlNewProp(xmlNewChild(ied, nullptr, BAD_CAST "AccessPoint", nullptr), BAD_CAST "name", BAD_CAST "AP1");
        return ied;
    };

    TreeItem* inserted = view.InsertIEDItem(newIED("N1"), 1);  // after P1, before P2
    EXPECT_EQ(inserts.count(), 1);
    EXPECT_EQ(model.data(model.index(p2.row() - 1, 0)).toString(), "IED: N1");
    EXPECT_EQ(Pane().currentIndex(), model.IndexOf(inserted));
    EXPECT_EQ(Caption(), QStringList({"Substation: S1", "IED: N1", ""}));
    view.ReplaceIEDItem(newIED("N2"), view.Record(inserted)->node);
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
    EXPECT_EQ(model.data(p2).toString(), "IED: P2");
    EXPECT_TRUE(bay.isValid());

    EXPECT_TRUE(doc.OnNewDocument());
    view.OnInitialUpdate();
    EXPECT_EQ(model.rowCount(), 2);  // the template's Substation and Communication
}

// A right click keeps the selection and opens the Edit menu; the Delete key and the
// menu's enablement follow the tree's rules for the selected item; F6 leaves the pane.
TEST_F(MainFrameTest, TheEditMenuIsTheContextMenuAndFollowsTheSelectionAndF6LeavesThePane)
{
    Open("one_ied.scd");
    int deletions = 0;
    frame->SetHandler(kCmdDelete, [&] { ++deletions; });
    TreeItem* ied = Click("IED: P1");
    EXPECT_TRUE(frame->Action(kCmdDelete)->isEnabled());
    Click("Communication", Qt::RightButton);
    QPoint at = Pane().visualRect(IndexOf("Communication")).center();
    QContextMenuEvent request(QContextMenuEvent::Mouse, at, Pane().viewport()->mapToGlobal(at));
    QApplication::sendEvent(Pane().viewport(), &request);
    EXPECT_EQ(frame->ProjectTree().Selected(), ied);
    EXPECT_TRUE(frame->EditMenu()->isVisible());
    frame->EditMenu()->hide();

    QTest::keyClick(&Pane(), Qt::Key_Delete);
    EXPECT_EQ(deletions, 1);
    Click("Substation: S1");
    EXPECT_FALSE(frame->Action(kCmdDelete)->isEnabled());
    EXPECT_TRUE(frame->Action(kCmdAddIED)->isEnabled());

    // F6 and Shift+F6 move the focus between the tree and the property pane.
    QTest::keyClick(frame.get(), Qt::Key_F6);
    EXPECT_TRUE(frame->PropertyPane()->isAncestorOf(QApplication::focusWidget()));
    QTest::keyClick(frame.get(), Qt::Key_F6, Qt::ShiftModifier);
    EXPECT_EQ(QApplication::focusWidget(), &Pane());
}

// Undo and Redo name the step they take, are disabled without one, and bring the tree
// and the indicators back with the document.
TEST_F(MainFrameTest, UndoAndRedoNameTheirStepAndFollowTheDocument)
{
    Open("tree_project.scd");
    const auto hasP2 = [this] {
        for (TreeItem* item = frame->ProjectTree().FirstRootItem(); item; item = item->NextSibling())
            if (item->Label() == "IED: P2") return frame->TreeModel().IndexOf(item).isValid();
        return false;
    };
    QAction* undo = frame->Action(ShellCommand::EditUndo);
    QAction* redo = frame->Action(ShellCommand::EditRedo);
    EXPECT_FALSE(undo->isEnabled());
    EXPECT_EQ(undo->text(), "Undo");
    fakeUi.messageAnswers = {MessageAnswer::Yes};
    Click("IED: P2");
    frame->Action(kCmdDelete)->trigger();
    EXPECT_EQ(undo->text(), "Undo Delete IED P2");
    EXPECT_EQ(undo->toolTip(), "Undo Delete IED P2");
    EXPECT_TRUE(undo->isEnabled());
    EXPECT_FALSE(redo->isEnabled());
    EXPECT_EQ(Modified(), "MOD");

    QTest::keyClick(frame.get(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_TRUE(hasP2());
    EXPECT_EQ(Modified(), "");
    EXPECT_EQ(redo->text(), "R&edo Delete IED P2");
    QTest::keyClick(frame.get(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_FALSE(hasP2());
    EXPECT_EQ(Modified(), "MOD");
    EXPECT_FALSE(redo->isEnabled());
}

TEST_F(MainFrameTest, RecentFilesReopenVanishedOnesAreDroppedAndADroppedFileJoinsThem)
{
    QString gone = QString::fromStdString(dir.File("gone.scd")), kept = Copy("one_ied.scd");
    recent.Add(kept);
    recent.Add(gone);
    emit frame->menuBar()->actions().first()->menu()->aboutToShow();
    ASSERT_EQ(frame->RecentFileActions().size(), 2u);
    frame->RecentFileActions()[0]->trigger();
    EXPECT_EQ(recent.Files(), QStringList({kept}));
    frame->RecentFileActions()[1]->trigger();
    EXPECT_EQ(QString::fromStdString(doc.PathName()), kept);

    QString dropped = Copy("minimal.scd");
    QMimeData data;
    data.setUrls({QUrl("https://example.org/x.scd"), QUrl::fromLocalFile(dropped)});
    QPoint inside = frame->rect().center();
    QDragEnterEvent enter(inside, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(frame.get(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(inside, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(frame.get(), &drop);
    for (int wait = 0; wait < 200 && QString::fromStdString(doc.PathName()) != dropped; ++wait) QTest::qWait(10);
    EXPECT_EQ(QString::fromStdString(doc.PathName()), dropped);
    EXPECT_EQ(recent.Files(), QStringList({dropped, kept}));
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
            // An item whose letters all belong to others may go without, when a shortcut reaches it.
            if (key.isEmpty() && !action->shortcut().isEmpty()) continue;
            EXPECT_TRUE(!key.isEmpty() && taken.insert(key).second)
                << menu.toStdString() << ": " << action->text().toStdString() << " takes '" << key.toStdString() << "'";
            if (action->menu()) menus.push_back({action->text(), action->menu()->actions()});
        }
    }
    EXPECT_GT(menus.size(), 1 + frame->menuBar()->actions().size());  // submenus walked too
}

// A long step shows in the status bar and leaves it when the busy state ends.
TEST_F(MainFrameDialogTest, ProgressOfALongStepShowsInTheStatusBar)
{
    auto* text = frame->findChild<QLabel*>(QtUserInterface::StatusTextName());
    auto* bar = frame->findChild<QProgressBar*>(QtUserInterface::ProgressBarName());
    ASSERT_TRUE(text && bar);
    qtUi.SetBusy(true);
    qtUi.ShowProgress("Building the project tree...", 70);
    EXPECT_EQ(text->text() + " " + QString::number(bar->isVisible() ? bar->value() : -1), "Building the project tree... 70");
    qtUi.SetBusy(false);
    EXPECT_EQ(text->text() + " " + QString::number(bar->isVisible() ? bar->value() : -1), "Ready -1");
}

TEST_F(MainFrameDialogTest, ClosingWithUnsavedChangesAsksAndCancelKeepsEverything)
{
    Open("one_ied.scd");
    doc.SetModifiedFlag(true);
    QString asked;
    WhenModalShown<QMessageBox>([&](QMessageBox* box) {
        asked = box->text();
        box->button(QMessageBox::Cancel)->click();
    });
    EXPECT_FALSE(frame->close());
    EXPECT_EQ(asked, "Save changes to one_ied.scd?");
    EXPECT_TRUE(frame->isVisible());
    EXPECT_TRUE(doc.IsModified());

    WhenModalShown<QMessageBox>([](QMessageBox* box) { box->button(QMessageBox::No)->click(); });
    EXPECT_TRUE(frame->close());
    EXPECT_FALSE(frame->isVisible());
}

TEST_F(MainFrameDialogTest, GoToAsksWhichTargetInItsWindowAndSelectsIt)
{
    WhenModalShown<CLogWindow>([](CLogWindow* window) { window->AcceptButton()->click(); });  // open anyway
    Open("tree_project.scd");
    Click("DataSet: DS1");
    QStringList offered;
    WhenModalShown<CGoSelectionWindow>([&](CGoSelectionWindow* window) {
        for (int row = 0; row < window->List()->count(); ++row) offered << window->List()->item(row)->text();
        EXPECT_EQ(window->List()->currentRow(), 0);
        window->List()->setCurrentRow(1);
        ClickButton(window, "OK");
    });
    frame->Action(kCmdGoToControlBlock)->trigger();
    EXPECT_EQ(offered, QStringList({"RCB: RC1", "GCB: GC1"}));
    EXPECT_EQ(frame->ProjectTree().Selected(), Find("GSEControl: GC1"));
}
