// GOOSE Mapping from the Edit menu through its window: an input dragged within the
// Mapping tree onto another output is rewired in its ExtRef after OK.
#include "app/mapping_tree_view.h"
#include "app/mapping_window.h"
#include "window_fixture.h"

#include <QAbstractItemModelTester>

using MappingWindowTest = WindowTest;

namespace {

// P1's NI1, on P2's Ind1, is dragged onto NI2 below P2's Cnt and dropped.
void DragNi1OntoCnt(CMappingWindow* window)
{
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
}

}  // namespace

TEST_F(MappingWindowTest, ADropInTheMappingTreeOnAnInputOfAnotherOutputRewiresTheExtRef)
{
    Open("goose_connected.scd");
    TreeItem* ni1 = Click("ExtRef: P2LD0/GGIO1.Ind1");
    WhenModalShown<CMappingWindow>([](CMappingWindow* window) {
        DragNi1OntoCnt(window);
        if (window->isVisible()) window->reject();
    });
    frame->Action(ShellCommand::GooseMapping)->trigger();
    EXPECT_EQ(Attribute(ni1, "doName"), "Cnt");
    EXPECT_EQ(ni1->Label(), "ExtRef: P2LD0/GGIO1.Cnt.stVal");
}
