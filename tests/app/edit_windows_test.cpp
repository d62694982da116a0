// The edit windows run from the main window: Create Dataset lists the data chosen in its
// tree and refuses OK without a name in a warning while it stays open; Connect Inputs
// sends every widget change to its model, redraws from it and writes the ExtRef on OK;
// in GOOSE Mapping an input dropped onto an input of another output is rewired, and
// the keys of the trees remove and connect.
#include "app/windows/address_table_window.h"
#include "app/windows/compare_window.h"
#include "app/windows/dyn_dataset_window.h"
#include "app/windows/flow_window.h"
#include "app/windows/help_window.h"
#include "app/windows/inputs_window.h"
#include "app/windows/mapping_tree_view.h"
#include "app/windows/mapping_window.h"
#include "compare/compare_command.h"
#include "window_fixture.h"

#include <QAbstractItemModelTester>

using EditWindowTest = WindowTest;

TEST_F(EditWindowTest, CreateDatasetListsTheAddedDataAndRefusesOkWithoutAName)
{
    // Twenty logical nodes before GGIO1 and twenty after: the window opens with GGIO1 at the top.
    std::string text = ReadFileText(TestDataPath("one_ied.scd"));
    for (int inst = 1; inst <= 40; ++inst)
        text.insert(text.find(inst <= 20 ? "<LN lnClass=\"GGIO\"" : "</LDevice>"),
                    "<LN prefix=\"X\" lnClass=\"GGIO\" inst=\"" + std::to_string(inst) + "\" lnType=\"GGIO_T\"/>");
    WriteFileText(dir.File("long.scd"), text);
    ASSERT_TRUE(frame->OpenFile(QString::fromStdString(dir.File("long.scd"))));
    TreeItem* ln = Click("LN: GGIO1");
    bool refused = false;
    WhenModalShown<CDynDatasetWindow>([&](CDynDatasetWindow* window) {
        QTreeWidget* tree = window->DataTree();
        QTreeWidgetItem* opened = tree->currentItem();
        ASSERT_TRUE(opened);
        EXPECT_EQ(opened->text(0).toStdString(), "LN: GGIO1");
        EXPECT_TRUE(opened->isExpanded());
        EXPECT_EQ(tree->visualItemRect(opened).top(), 0);
        EXPECT_FALSE(window->AddButton()->isEnabled());
        QTreeWidgetItem* stVal = opened->child(0)->child(0);
        ASSERT_EQ(stVal->text(0).toStdString(), "DA: stVal");  // of GGIO1.Ind1
        tree->scrollToItem(stVal);
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(stVal).center());
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
    EXPECT_EQ(Find("DataSet: dsA")->Parent(), ln);
}

TEST_F(EditWindowTest, ConnectInputsWritesTheChoicesOfItsWindowToTheExtRef)
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

TEST_F(EditWindowTest, AMappingDropOnAnInputOfAnotherOutputRewiresTheExtRef)
{
    Open("goose_connected.scd");
    TreeItem* ni1 = Click("ExtRef: P2LD0/GGIO1.Ind1");
    // P1's NI1, on P2's Ind1, is dragged onto NI2 below P2's Cnt and dropped.
    auto drag = [](CMappingWindow* window) {
        MappingTreeView* view = window->TreeView(MappingTree::Mapping);
        MappingTreeModel& model = view->Model();
        QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
        MappingNode* ni1 = model.Dialog().FindInput("P1", "LD0", "NI1");
        MappingNode* cnt = model.Dialog().FindOutput("P2LD0/GGIO1.Cnt.stVal");
        ASSERT_TRUE(ni1 && cnt && !cnt->children.empty());

        QModelIndex source = model.IndexOf(ni1);
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(source).center());
        ASSERT_EQ(view->CurrentNode(), ni1);
        std::unique_ptr<QMimeData> data(model.mimeData({source}));

        // Over an input: the output it hangs under is where the dragged input would land.
        QPoint at = view->visualRect(model.IndexOf(cnt->children.front().get())).center();
        QDragEnterEvent enter(at, Qt::MoveAction, data.get(), Qt::LeftButton, {});
        QApplication::sendEvent(view->viewport(), &enter);
        QDragMoveEvent move(at, Qt::MoveAction, data.get(), Qt::LeftButton, {});
        QApplication::sendEvent(view->viewport(), &move);
        EXPECT_EQ(move.dropAction(), Qt::MoveAction);
        EXPECT_EQ(model.Highlighted(), cnt);
        QDragLeaveEvent leave;  // and back, to drop
        QApplication::sendEvent(view->viewport(), &leave);
        EXPECT_EQ(model.Highlighted(), nullptr);
        QApplication::sendEvent(view->viewport(), &enter);
        QApplication::sendEvent(view->viewport(), &move);
        QDropEvent drop(at, Qt::MoveAction, data.get(), Qt::LeftButton, {});
        QApplication::sendEvent(view->viewport(), &drop);
        EXPECT_TRUE(drop.isAccepted());

        MappingNode* moved = model.Dialog().FindInput("P1", "LD0", "NI1");
        ASSERT_TRUE(moved);
        EXPECT_EQ(moved->parent, cnt);
        EXPECT_EQ(view->CurrentNode(), moved);
        EXPECT_TRUE(view->isExpanded(model.IndexOf(cnt)));
        ClickButton(window, "OK");
    };
    WhenModalShown<CMappingWindow>([drag](CMappingWindow* window) {
        drag(window);
        if (window->isVisible()) window->reject();  // after a failed check
    });
    frame->Action(ShellCommand::GooseMapping)->trigger();
    EXPECT_EQ(Attribute(ni1, "doName"), "Cnt");
    EXPECT_EQ(ni1->Label(), "ExtRef: P2LD0/GGIO1.Cnt.stVal");
}

// The Mapping tree's Delete key returns P1's NI1 to the Inputs tree; the Insert key
// there, with P2's Cnt selected in the Mapping tree, connects it to Cnt; a refused
// connect shows its message. Both are also in the trees' context
// menus; Remove needs a selection in the Mapping tree.
TEST_F(EditWindowTest, TheKeysOfTheMappingTreesRemoveAndConnect)
{
    Open("goose_connected.scd");
    TreeItem* ni1 = Click("ExtRef: P2LD0/GGIO1.Ind1");
    auto keys = [](CMappingWindow* window) {
        MappingTreeView* mapping = window->TreeView(MappingTree::Mapping);
        MappingTreeView* inputs = window->TreeView(MappingTree::Inputs);
        CMappingDialog& dialog = mapping->Model().Dialog();
        auto click = [](MappingTreeView* view, MappingNode* node) {
            ASSERT_TRUE(node);
            QModelIndex index = view->Model().IndexOf(node);
            view->scrollTo(index);
            QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(index).center());
            ASSERT_EQ(view->CurrentNode(), node);
        };
        // The key of an action in the context menu of `view`, which works while the view has the focus.
        auto key = [](MappingTreeView* view, QAction* action) {
            EXPECT_TRUE(view->contextMenuPolicy() == Qt::ActionsContextMenu && view->actions().contains(action));
            EXPECT_EQ(action->shortcutContext(), Qt::WidgetShortcut);
            return action->shortcut();
        };
        EXPECT_FALSE(window->RemoveAction()->isEnabled());
        click(mapping, dialog.FindInput("P1", "LD0", "NI1"));
        EXPECT_FALSE(window->ConnectAction(MappingTree::Mapping)->isEnabled());
        EXPECT_EQ(key(mapping, window->RemoveAction()), QKeySequence(Qt::Key_Delete));
        window->RemoveAction()->trigger();
        ASSERT_EQ(dialog.TreeOf(dialog.FindInput("P1", "LD0", "NI1")), MappingTree::Inputs);
        EXPECT_FALSE(window->RemoveAction()->isEnabled());

        // P1's own output refuses P1's input in a message, as a drop does.
        click(mapping, dialog.FindOutput("P1LD0/GGIO1.Ind1.stVal"));
        click(inputs, dialog.FindInput("P1", "LD0", "NI1"));
        QString refusal;
        WhenModalShown<QMessageBox>([&refusal](QMessageBox* box) {
            refusal = box->text();
            box->accept();
        });
        window->ConnectAction(MappingTree::Inputs)->trigger();
        EXPECT_EQ(refusal.toStdString(), "Cannot connect an input with the output of the same IED.");

        MappingNode* cnt = dialog.FindOutput("P2LD0/GGIO1.Cnt.stVal");
        click(mapping, cnt);
        click(inputs, dialog.FindInput("P1", "LD0", "NI1"));
        QAction* connect = window->ConnectAction(MappingTree::Inputs);
        EXPECT_EQ(key(inputs, connect), QKeySequence(Qt::Key_Insert));
        ASSERT_TRUE(connect->isEnabled());
        connect->trigger();
        EXPECT_EQ(dialog.FindInput("P1", "LD0", "NI1")->parent, cnt);
        EXPECT_EQ(mapping->CurrentNode(), dialog.FindInput("P1", "LD0", "NI1"));
        ClickButton(window, "OK");
    };
    WhenModalShown<CMappingWindow>([keys](CMappingWindow* window) {
        keys(window);
        if (window->isVisible()) window->reject();
    });
    frame->Action(ShellCommand::GooseMapping)->trigger();
    EXPECT_EQ(Attribute(ni1, "doName"), "Cnt");
}

// The address table: a flagged row is tinted with its finding as tooltip, a click on a
// header sorts, the filter keeps the rows holding its text, an edit in place is a step of
// the history, and a double click selects the row's element in the tree.
TEST_F(EditWindowTest, AddressTableSortsFiltersEditsAndSelectsInTheTree)
{
    std::string text = ReadFileText(TestDataPath("one_ied.scd"));
    text.replace(text.find(">0001<"), 6, ">4001<");
    WriteFileText(dir.File("appid.scd"), text);
    ASSERT_TRUE(frame->OpenFile(QString::fromStdString(dir.File("appid.scd"))));
    WhenModalShown<AddressTableWindow>([&](AddressTableWindow* window) {
        QAbstractItemModelTester tester(window->Model());
        QAbstractItemModel* shown = window->Table()->model();
        ASSERT_EQ(shown->rowCount(), 2);
        const QModelIndex appId = shown->index(1, kColumnAppId);
        EXPECT_EQ(appId.data().toString(), "4001");
        EXPECT_TRUE(appId.data(Qt::BackgroundRole).isValid());
        EXPECT_TRUE(appId.data(Qt::ToolTipRole).toString().contains("APPID 4001 is outside 0000 to 3FFF"));
        EXPECT_FALSE(shown->index(0, kColumnIP).data(Qt::BackgroundRole).isValid());

        window->Table()->horizontalHeader()->setSortIndicator(kColumnAppId, Qt::DescendingOrder);
        EXPECT_EQ(shown->index(0, kColumnKind).data().toString(), "GSE");
        window->Filter()->setText("connectedap");
        EXPECT_EQ(shown->rowCount(), 1);
        window->Filter()->clear();

        const QModelIndex gse = shown->index(0, kColumnAppId);
        EXPECT_TRUE(shown->flags(gse) & Qt::ItemIsEditable);
        EXPECT_TRUE(shown->setData(gse, "0002"));
        EXPECT_EQ(shown->index(0, kColumnAppId).data().toString(), "0002");
        EXPECT_FALSE(shown->index(0, kColumnAppId).data(Qt::BackgroundRole).isValid());

        const QPoint kind = window->Table()->visualRect(shown->index(0, kColumnKind)).center();
        QTest::mouseClick(window->Table()->viewport(), Qt::LeftButton, {}, kind);  // a double click's first press
        QTest::mouseDClick(window->Table()->viewport(), Qt::LeftButton, {}, kind);
        window->reject();
    });
    frame->Action(ShellCommand::AddressTable)->trigger();
    ASSERT_TRUE(frame->ProjectTree().Selected());
    EXPECT_EQ(frame->ProjectTree().Selected()->Label(), "GSE");
    EXPECT_EQ(doc.Changes().UndoName(), "Edit address APPID");
    EXPECT_EQ(Modified(), "MOD");
}

// Compare with: the differences as a tree of their paths, each with its colour; a double
// click on one selects its element in the project tree.
TEST_F(EditWindowTest, CompareWithShowsTheDifferencesAsATreeAndSelectsInTheProjectTree)
{
    Open("one_ied.scd");
    std::string other = ReadFileText(TestDataPath("one_ied.scd"));
    other.replace(other.find(">0001<"), 6, ">0002<");
    other.replace(other.find("<Bay name=\"B1\"/>"), 16, "<Bay name=\"B1\"/><Bay name=\"B2\"/>");
    WriteFileText(dir.File("other.scd"), other);
    WhenModalShown<CCompareWindow>([&](CCompareWindow* window) {
        QTreeWidget* tree = window->Tree();
        ASSERT_EQ(tree->topLevelItemCount(), 2);
        QTreeWidgetItem* substation = tree->topLevelItem(0);
        EXPECT_EQ(substation->text(0).toStdString(), "Substation[S1]");
        QTreeWidgetItem* bay = substation->child(0)->child(0);
        EXPECT_EQ(bay->text(0).toStdString(), "Bay[B2]");
        EXPECT_EQ(bay->text(1).toStdString(), "added");
        QTreeWidgetItem* item = tree->topLevelItem(1);
        while (item->childCount()) item = item->child(0);
        EXPECT_EQ(item->text(1).toStdString(), "text: 0001 -> 0002");
        EXPECT_NE(item->foreground(1).color(), bay->foreground(1).color());
        tree->scrollToItem(item);
        const QPoint at = tree->visualItemRect(item).center();
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(tree->viewport(), Qt::LeftButton, {}, at);
        window->reject();
    });
    CompareWithFile(frame->ProjectTree(), dir.File("other.scd"), Ui());
    ASSERT_TRUE(frame->ProjectTree().Selected());
    EXPECT_EQ(frame->ProjectTree().Selected()->Label(), "Address") << "the GSE's Address: its P has no item";
    EXPECT_FALSE(doc.IsModified());
}

// Help Topics opens the user guide that comes with the program and follows its links;
// What's This? is there, and every command tells what it does.
TEST_F(EditWindowTest, HelpTopicsShowsTheGuideAndWhatsThisTellsWhatACommandDoes)
{
    QAction* topics = frame->Action(ShellCommand::HelpTopics);
    ASSERT_TRUE(topics->isEnabled());
    topics->trigger();
    auto* help = frame->findChild<CHelpWindow*>();
    ASSERT_TRUE(help);
    EXPECT_TRUE(help->isVisible());
    EXPECT_EQ(help->Browser()->documentTitle().toStdString(), "Varnholt user guide");
    help->Browser()->setSource(QUrl(QStringLiteral("checks.html")));
    EXPECT_TRUE(help->Browser()->toPlainText().contains("dup-appid"));
    help->Browser()->backward();
    EXPECT_EQ(help->Browser()->documentTitle().toStdString(), "Varnholt user guide");
    help->close();
    EXPECT_TRUE(frame->Action(ShellCommand::ContextHelp)->isEnabled());
    EXPECT_EQ(frame->Action(kCmdAddIED)->whatsThis().toStdString(), "Add new IED to project");
}

// Message Flows: the diagram follows the filters, a click on an arrow selects its
// control block in the project tree, a click on a box the IED, and the picture is saved.
TEST_F(EditWindowTest, MessageFlowsFilterSelectAndExport)
{
    Open("goose_connected.scd");
    CFlowWindow window(frame->ProjectTree(), Ui(), frame.get());
    ASSERT_EQ(window.Shown().size(), 2u);
    window.ServiceFilter()->setCurrentIndex(1);  // GOOSE
    EXPECT_EQ(window.Shown().size(), 2u);
    window.ServiceFilter()->setCurrentIndex(2);  // SV
    EXPECT_TRUE(window.Shown().empty());
    window.ServiceFilter()->setCurrentIndex(3);  // Report
    EXPECT_TRUE(window.Shown().empty());
    window.ServiceFilter()->setCurrentIndex(0);
    window.IEDFilter()->setCurrentText("R");
    ASSERT_EQ(window.Shown().size(), 1u);
    EXPECT_EQ(window.Shown()[0].publisher, "P1");
    QGraphicsItem* arrow = nullptr;
    QGraphicsItem* box = nullptr;
    for (QGraphicsItem* item : window.Canvas()->scene()->items()) {
        if (item->data(0).toInt() == 0 && dynamic_cast<QGraphicsPathItem*>(item)) arrow = item;
        if (item->data(1).toString() == "R") box = item;
    }
    ASSERT_TRUE(arrow && box);
    window.ActivateAt(arrow->boundingRect().center());
    ASSERT_TRUE(frame->ProjectTree().Selected());
    EXPECT_EQ(frame->ProjectTree().Selected()->Label().rfind("GSEControl", 0), 0u)
        << frame->ProjectTree().Selected()->Label();
    window.ActivateAt(box->boundingRect().center());
    EXPECT_EQ(frame->ProjectTree().Selected()->Label().rfind("IED: R", 0), 0u);
    EXPECT_TRUE(window.ExportPicture(dir.File("flows.svg")));
    EXPECT_NE(ReadFileText(dir.File("flows.svg")).find("<svg"), std::string::npos);
}
