#pragma once
#include "app/panes/project_tree_model.h"
#include "app/panes/project_tree_pane.h"
#include "app/shell/command_table.h"
#include "app/shell/main_frame.h"
#include "app/shell/qt_user_interface.h"
#include "app/shell/recent_file_list.h"
#include "app_test_support.h"
#include "document/varnholt_doc.h"
#include "document/xml_access.h"
#include "project_tree/varnholt_view.h"
#include "support/fake_ui.h"
#include "support/test_support.h"

#include <QTest>
#include <QtWidgets>

#include <gtest/gtest.h>

#include <memory>
#include <string>

// The main window over copies of fixtures, so that saving cannot touch tests/data.
// It shows real message boxes and dialog windows unless a test makes Ui() the
// scripted person.
class WindowTest : public ::testing::Test {
protected:
    CVarnholtDoc doc;
    QtUserInterface qtUi;
    FakeUi fakeUi;
    RecentFileList recent;
    TempDir dir;
    std::unique_ptr<CMainFrame> frame;

    virtual UserInterface& Ui() { return qtUi; }
    void SetUp() override
    {
        frame = std::make_unique<CMainFrame>(doc, Ui(), recent, ShellResources{});
        qtUi.SetParentWidget(frame.get());
        frame->show();
        frame->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(frame.get()));
    }
    QString Copy(const std::string& fixture) const
    {
        WriteFileText(dir.File(fixture), ReadFileText(TestDataPath(fixture)));
        return QString::fromStdString(dir.File(fixture));
    }
    void Open(const std::string& fixture) { ASSERT_TRUE(frame->OpenFile(Copy(fixture))); }
    CProjectTreePane& Pane() const { return *frame->TreePane(); }
    // The first item in tree order whose label starts with `label`.
    TreeItem* Find(const std::string& label) const
    {
        TreeItem* item = frame->ProjectTree().FirstRootItem();
        while (item && item->Label().rfind(label, 0) != 0) item = NextItemInPreOrder(item);
        if (!item) ADD_FAILURE() << "no item " << label;
        return item;
    }
    QModelIndex IndexOf(const std::string& label) const { return frame->TreeModel().IndexOf(Find(label)); }
    // Clicks the item in the pane; a left click makes it the tree's selection.
    TreeItem* Click(const std::string& label, Qt::MouseButton button = Qt::LeftButton)
    {
        TreeItem* item = Find(label);
        QModelIndex index = frame->TreeModel().IndexOf(item);
        Pane().scrollTo(index);
        QTest::mouseClick(Pane().viewport(), button, {}, Pane().visualRect(index).center());
        EXPECT_TRUE(button != Qt::LeftButton || frame->ProjectTree().Selected() == item) << label;
        return item;
    }
    QString Modified() const { return frame->ModifiedIndicator()->text(); }
    std::string Attribute(const TreeItem* item, const char* name) const
    {
        return GetAttribute(frame->ProjectTree().Record(item)->node, name);
    }
};
