#pragma once
#include "app/main_frame.h"
#include "app/project_tree_model.h"
#include "app/project_tree_pane.h"
#include "app/qt_user_interface.h"
#include "app/recent_file_list.h"
#include "core/varnholt_doc.h"
#include "core/xml_access.h"
#include "support/test_support.h"
#include "tree/varnholt_view.h"

#include <QLabel>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <string>

// The main window with real message boxes and dialog windows, over a copy of a
// fixture, so that saving cannot touch tests/data.
class WindowTest : public ::testing::Test {
protected:
    CVarnholtDoc doc;
    QtUserInterface ui;
    RecentFileList recent;
    TempDir dir;
    std::unique_ptr<CMainFrame> frame;

    void SetUp() override
    {
        frame = std::make_unique<CMainFrame>(doc, ui, recent, ShellResources{});
        ui.SetParentWidget(frame.get());
        frame->show();
        frame->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(frame.get()));
    }
    void Open(const std::string& fixture)
    {
        WriteFileText(dir.File(fixture), ReadFileText(TestDataPath(fixture)));
        ASSERT_TRUE(frame->OpenFile(QString::fromStdString(dir.File(fixture))));
    }
    // Clicks the first item in tree order whose label starts with `label`.
    TreeItem* Click(const std::string& label) const
    {
        TreeItem* item = frame->ProjectTree().FirstRootItem();
        while (item && item->Label().rfind(label, 0) != 0) item = NextItemInPreOrder(item);
        if (!item) ADD_FAILURE() << "no item " << label;
        if (!item) return nullptr;
        CProjectTreePane& pane = *frame->TreePane();
        QModelIndex index = frame->TreeModel().IndexOf(item);
        pane.scrollTo(index);
        QTest::mouseClick(pane.viewport(), Qt::LeftButton, {}, pane.visualRect(index).center());
        EXPECT_EQ(frame->ProjectTree().Selected(), item);
        return item;
    }
    QString Modified() const { return frame->ModifiedIndicator()->text(); }
    std::string Attribute(const TreeItem* item, const char* name) const
    {
        return GetAttribute(frame->ProjectTree().Record(item)->node, name);
    }
};
