#pragma once
#include "app/shell/shell_resources.h"
#include "document/document_view.h"
#include "project_tree/tree_observer.h"

#include <QMainWindow>
#include <QString>

#include <functional>
#include <map>
#include <memory>
#include <vector>

class CHelpWindow;
class CCaptionView;
class CProjectTreePane;
class CPropertyView;
class CVarnholtDoc;
class CVarnholtView;
class ProjectTreeModel;
class QAction;
class QLabel;
class QMenu;
class QToolBar;
class RecentFileList;
class UserInterface;

// The main window: menus, toolbar, status bar with the validity and modified
// indicators, the caption pane above the project tree and the property view. It draws
// the state of the document and the tree and hands every command to them.
class CMainFrame : public QMainWindow, private DocumentView, private TreeObserver {
public:
    CMainFrame(CVarnholtDoc& doc, UserInterface& ui, RecentFileList& recentFiles, ShellResources resources,
               QWidget* parent = nullptr);
    ~CMainFrame() override;

    // Opens `path` after asking about unsaved changes; true when it is open.
    bool OpenFile(const QString& path);

    // Asks the document and the tree again what is available, and redraws the title
    // and the indicators. Runs after every command, selection and new document.
    void RefreshState();

    // Runs `handler` for the command; a command without one is shown disabled.
    void SetHandler(int commandId, std::function<void()> handler);
    bool HasHandler(int commandId) const { return handlers_.count(commandId) != 0; }
    QAction* Action(int commandId) const;

    CCaptionView* CaptionPane() const { return caption_; }
    CProjectTreePane* TreePane() const { return treePane_; }
    CPropertyView* PropertyPane() const { return propertyPane_; }
    CVarnholtView& ProjectTree() const { return *view_; }
    ProjectTreeModel& TreeModel() const { return *model_; }
    QMenu* EditMenu() const { return editMenu_; }
    QToolBar* ToolBar() const { return toolBar_; }
    QLabel* ValidityIndicator() const { return validity_; }
    QLabel* EditionIndicator() const { return edition_; }
    // Told the schema folder the person chose ("" for the built-in schemas), to keep it.
    void SetSchemaFolderKeeper(std::function<void(const QString&)> keeper) { schemaFolderChanged_ = std::move(keeper); }
    QLabel* ModifiedIndicator() const { return modified_; }
    const std::vector<QAction*>& RecentFileActions() const { return recentActions_; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // DocumentView: a new tree, or a change the tree view announced.
    void OnInitialUpdate() override { RefreshState(); }
    void OnUpdate(DocumentView*) override { RefreshState(); }
    void OnFileUsed(const std::string& path) override;
    // TreeObserver
    void OnSelectionChanged(TreeItem* item, TreeItemRecord* record, const TreeCaption& caption) override;
    void OnCaptionChanged(const TreeCaption& caption) override;

    void CreatePanes();
    void CreateActions();
    void CreateMenus();
    void CreateToolBar();
    void CreateStatusBar();
    void RegisterHandlers();
    void RunCommand(int commandId);
    void RebuildRecentFiles();
    void OpenRecentFile(const QString& path);
    void FollowTreeCurrent(const QModelIndex& current);
    void ShowTreeSelection();
    void FocusNextPane(int step);

    CVarnholtDoc& doc_;
    UserInterface& ui_;
    RecentFileList& recentFiles_;
    ShellResources resources_;
    std::unique_ptr<CVarnholtView> view_;
    std::unique_ptr<ProjectTreeModel> model_;
    std::map<int, std::function<void()>> handlers_;
    std::map<int, QAction*> actions_;
    CCaptionView* caption_ = nullptr;
    CProjectTreePane* treePane_ = nullptr;
    CPropertyView* propertyPane_ = nullptr;
    QMenu* fileMenu_ = nullptr;
    QMenu* editMenu_ = nullptr;
    QAction* recentPlaceholder_ = nullptr;
    std::vector<QAction*> recentActions_;
    QToolBar* toolBar_ = nullptr;
    CHelpWindow* help_ = nullptr;  // made on the first Help Topics, kept open beside the window
    QLabel* edition_ = nullptr;
    QLabel* validity_ = nullptr;
    QLabel* modified_ = nullptr;
    std::function<void(const QString&)> schemaFolderChanged_;
    bool treeChanging_ = false;
};
