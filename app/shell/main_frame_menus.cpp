// The menus, the toolbar and the recent-file entries of the main window.
#include "app/panes/project_tree_pane.h"
#include "app/shell/command_table.h"
#include "app/shell/main_frame.h"
#include "app/shell/recent_file_list.h"
#include "app/shell/shell_pictures.h"

#include <QAction>
#include <QDir>
#include <QMenuBar>
#include <QToolBar>

namespace {

const std::map<int, ShellPicture> kPictures = {
    {ShellCommand::FileNew, ShellPicture::New},
    {ShellCommand::FileOpen, ShellPicture::Open},
    {ShellCommand::FileSave, ShellPicture::Save},
    {kCmdAddIED, ShellPicture::AddIED},
    {kCmdAddTimeServer, ShellPicture::AddTimeServer},
    {ShellCommand::AddSubnetwork, ShellPicture::AddSubnetwork},
    {kCmdDelete, ShellPicture::Delete},
    {ShellCommand::EditUndo, ShellPicture::Undo},
    {ShellCommand::EditRedo, ShellPicture::Redo},
    {ShellCommand::AppAbout, ShellPicture::About},
    {ShellCommand::ContextHelp, ShellPicture::ContextHelp},
};

// A path short enough for a menu: the file name after as much of its folder as fits.
QString MenuPath(const QString& path)
{
    constexpr int kLongest = 60;
    QString shown = QDir::toNativeSeparators(path);
    if (shown.size() <= kLongest) return shown;
    return QStringLiteral("...") + shown.right(kLongest - 3);
}

}  // namespace

void CMainFrame::CreateActions()
{
    for (const CommandInfo& info : CommandTable()) {
        auto* action = new QAction(QString::fromUtf8(info.text), this);
        action->setStatusTip(QString::fromUtf8(info.statusTip));
        action->setWhatsThis(QString::fromUtf8(info.statusTip));
        if (info.toolTip) action->setToolTip(QString::fromUtf8(info.toolTip));
        if (info.shortcut) action->setShortcut(QKeySequence(QString::fromUtf8(info.shortcut)));
        if (auto picture = kPictures.find(info.id); picture != kPictures.end())
            action->setIcon(ShellIcon(picture->second));
        int id = info.id;
        connect(action, &QAction::triggered, this, [this, id] { RunCommand(id); });
        actions_[id] = action;
    }
    Action(ShellCommand::EditRedo)->setShortcuts({QKeySequence(QStringLiteral("Ctrl+Y")),
                                                  QKeySequence(QStringLiteral("Ctrl+Shift+Z"))});
    Action(ShellCommand::ViewToolbar)->setCheckable(true);
    Action(ShellCommand::ViewStatusBar)->setCheckable(true);
}

void CMainFrame::CreateMenus()
{
    auto add = [this](QMenu* menu, std::initializer_list<int> ids) {
        for (int id : ids) {
            if (id == 0) menu->addSeparator();
            else menu->addAction(Action(id));
        }
    };
    fileMenu_ = menuBar()->addMenu(tr("&File"));
    add(fileMenu_, {ShellCommand::FileNew});
    add(fileMenu_->addMenu(tr("New in &Edition")),
        {ShellCommand::FileNew2003, ShellCommand::FileNew2007B, ShellCommand::FileNew2007B4});
    add(fileMenu_, {ShellCommand::FileOpen, ShellCommand::FileSave, ShellCommand::FileSaveAs, 0,
                    ShellCommand::FileCompareWith, 0, kCmdExportIIDCID, kCmdExportVariables, kCmdExportIEDDescription,
                    ShellCommand::FileExportPicture, 0});
    recentPlaceholder_ = fileMenu_->addAction(tr("&Recent File"));
    recentPlaceholder_->setEnabled(false);
    fileMenu_->addSeparator();
    add(fileMenu_, {ShellCommand::AppExit});
    connect(fileMenu_, &QMenu::aboutToShow, this, [this] { RebuildRecentFiles(); });

    editMenu_ = menuBar()->addMenu(tr("&Edit"));
    add(editMenu_, {ShellCommand::EditUndo, ShellCommand::EditRedo, 0, kCmdAddIED, kCmdUpdateIED, kCmdAddTimeServer,
                    ShellCommand::AddSubnetwork, 0, kCmdConnectInputs, kCmdUpdateInputs, kCmdCreateDataset,
                    kCmdModifyDataset, ShellCommand::GooseMapping, ShellCommand::AssignAddresses, 0,
                    kCmdAddSubstation, kCmdAddVoltageLevel, kCmdAddBay, 0, kCmdDelete, 0});
    QMenu* goTo = editMenu_->addMenu(tr("G&o to"));
    add(goTo, {kCmdGoToAccessPoint, kCmdGoToDataset, kCmdGoToDataElement, kCmdGoToControlBlock, kCmdGoToAddress,
               kCmdGoToDatasetElement});
    treePane_->SetContextMenu(editMenu_);

    add(menuBar()->addMenu(tr("Ve&rify")), {ShellCommand::VerifySyntax, kCmdVerifyAddresses, kCmdVerifyGooseInputs,
                                            ShellCommand::VerifyCommunication, ShellCommand::AddressTable, 0,
                                            ShellCommand::SchemaFolder,
                                            ShellCommand::BuiltInSchemas});
    add(menuBar()->addMenu(tr("&View")),
        {ShellCommand::ViewToolbar, ShellCommand::ViewStatusBar, 0, ShellCommand::ViewMessageFlows});
    add(menuBar()->addMenu(tr("&Help")), {ShellCommand::HelpTopics, ShellCommand::ContextHelp, 0,
                                          ShellCommand::AppAbout});
    RebuildRecentFiles();
}

void CMainFrame::CreateToolBar()
{
    toolBar_ = addToolBar(tr("Toolbar"));
    toolBar_->setObjectName(QStringLiteral("toolbar"));
    toolBar_->setIconSize(QSize(16, 16));
    toolBar_->setAllowedAreas(Qt::AllToolBarAreas);
    toolBar_->setMovable(true);
    toolBar_->setFloatable(true);
    for (int id : std::initializer_list<int>{ShellCommand::FileNew, ShellCommand::FileOpen, ShellCommand::FileSave, 0,
                   ShellCommand::EditUndo, ShellCommand::EditRedo, 0, kCmdAddIED,
                   kCmdAddTimeServer, ShellCommand::AddSubnetwork, kCmdDelete, 0, ShellCommand::AppAbout,
                   ShellCommand::ContextHelp}) {
        if (id == 0) toolBar_->addSeparator();
        else toolBar_->addAction(Action(id));
    }
}

QAction* CMainFrame::Action(int commandId) const
{
    auto found = actions_.find(commandId);
    return found == actions_.end() ? nullptr : found->second;
}

void CMainFrame::RebuildRecentFiles()
{
    for (QAction* action : recentActions_) {
        fileMenu_->removeAction(action);
        action->deleteLater();
    }
    recentActions_.clear();
    const QStringList& files = recentFiles_.Files();
    recentPlaceholder_->setVisible(files.isEmpty());
    for (int i = 0; i < files.size(); ++i) {
        QString path = files[i];
        auto* action = new QAction(QStringLiteral("&%1 %2").arg(i + 1).arg(MenuPath(path)), this);
        action->setStatusTip(tr("Open this project"));
        connect(action, &QAction::triggered, this, [this, path] { OpenRecentFile(path); });
        fileMenu_->insertAction(recentPlaceholder_, action);
        recentActions_.push_back(action);
    }
}
