// What each command of the main window hands to the document or the tree. Commands
// whose parts are not built have no handler yet and stay disabled.
#include "app/shell/about_box.h"
#include "app/shell/command_table.h"
#include "app/shell/main_frame.h"
#include "app/shell/recent_file_list.h"
#include "app/windows/address_table_window.h"
#include "app/windows/flow_window.h"
#include "app/windows/help_window.h"
#include "communication/assign_addresses.h"
#include "communication/verify_communication.h"
#include "compare/compare_command.h"
#include "datasets/dataset_commands.h"
#include "document/varnholt_doc.h"
#include "exports/export_commands.h"
#include "goose/connect_inputs.h"
#include "goose/mapping_command.h"
#include "goose/update_inputs.h"
#include "goose/verify_goose_inputs.h"
#include "import/ied_import_command.h"
#include "project_tree/go_to.h"
#include "project_tree/varnholt_view.h"
#include "project_tree/verify_addresses.h"
#include "structure/structure_edit.h"

#include <QAction>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QStatusBar>
#include <QToolBar>
#include <QWhatsThis>

namespace {

constexpr int kSummaryMilliseconds = 8000;

// "IED P1 added: 12 types copied, 40 shared, 3 renamed"
QString ImportSummary(const ImportResult& result, const char* done)
{
    int copied = 0, shared = 0, renamed = 0;
    for (const MergedType& type : result.types) {
        switch (type.outcome) {
        case TypeMergeOutcome::Copied: ++copied; break;
        case TypeMergeOutcome::Shared: ++shared; break;
        case TypeMergeOutcome::Renamed: ++renamed; break;
        }
    }
    QString counts = QStringLiteral("%1 %2 copied, %3 shared, %4 renamed")
                         .arg(copied)
                         .arg(copied == 1 ? QStringLiteral("type") : QStringLiteral("types"))
                         .arg(shared)
                         .arg(renamed);
    return QStringLiteral("IED %1 %2: %3")
        .arg(QString::fromStdString(result.iedName), QString::fromLatin1(done), counts);
}

}  // namespace

void CMainFrame::RegisterHandlers()
{
    SetHandler(ShellCommand::FileNew, [this] { doc_.OnFileNew(ui_); });
    for (auto [id, edition] : {std::pair{ShellCommand::FileNew2003, SclEdition::Ed2003},
                               std::pair{ShellCommand::FileNew2007B, SclEdition::Ed2007B},
                               std::pair{ShellCommand::FileNew2007B4, SclEdition::Ed2007B4}})
        SetHandler(id, [this, edition] { doc_.OnFileNew(ui_, edition); });
    SetHandler(ShellCommand::SchemaFolder, [this] {
        QString folder = QFileDialog::getExistingDirectory(this, tr("Schema Folder"),
                                                           QString::fromStdString(doc_.Schemas().Folder()));
        if (!folder.isEmpty() && doc_.UseSchemaFolder(folder.toStdString(), ui_) && schemaFolderChanged_)
            schemaFolderChanged_(folder);
    });
    SetHandler(ShellCommand::BuiltInSchemas, [this] {
        if (doc_.UseSchemaFolder("", ui_) && schemaFolderChanged_) schemaFolderChanged_(QString());
    });
    SetHandler(ShellCommand::EditUndo, [this] { doc_.Undo(); });
    SetHandler(ShellCommand::EditRedo, [this] { doc_.Redo(); });
    SetHandler(ShellCommand::FileOpen, [this] { doc_.OnFileOpen(ui_); });
    SetHandler(ShellCommand::FileSave, [this] { doc_.OnFileSave(ui_); });
    SetHandler(ShellCommand::FileSaveAs, [this] { doc_.OnFileSaveAs(ui_); });
    SetHandler(ShellCommand::AppExit, [this] { close(); });
    SetHandler(ShellCommand::VerifySyntax, [this] { doc_.OnVerifySyntax(ui_); });
    SetHandler(ShellCommand::VerifyCommunication, [this] { OnVerifyCommunication(doc_.Root(), ui_); });
    SetHandler(ShellCommand::AddressTable, [this] {
        AddressTableWindow window(*view_, ui_, this);
        window.exec();
    });
    SetHandler(ShellCommand::AssignAddresses, [this] { OnAssignAddresses(*view_, ui_); });
    SetHandler(ShellCommand::FileCompareWith, [this] { OnCompareWith(*view_, ui_); });
    SetHandler(ShellCommand::HelpTopics, [this] {
        if (!help_) help_ = new CHelpWindow(this);
        help_->show();
        help_->raise();
        help_->activateWindow();
    });
    SetHandler(ShellCommand::ContextHelp, [] { QWhatsThis::enterWhatsThisMode(); });
    SetHandler(ShellCommand::FileExportPicture, [this] { OnExportFlowPicture(*view_, ui_); });
    SetHandler(ShellCommand::ViewMessageFlows, [this] {
        CFlowWindow window(*view_, ui_, this);
        window.exec();
    });
    SetHandler(kCmdVerifyAddresses, [this] { OnVerifyAddresses(*view_, ui_); });
    for (int goTo : {kCmdGoToAccessPoint, kCmdGoToDataset, kCmdGoToDataElement, kCmdGoToControlBlock,
                     kCmdGoToAddress, kCmdGoToDatasetElement})
        SetHandler(goTo, [this, goTo] { OnGoToCommand(*view_, goTo, ui_); });
    SetHandler(kCmdAddIED, [this] {
        ImportResult result = OnAddIED(*view_, ui_);
        if (result.outcome == ImportOutcome::Done)
            statusBar()->showMessage(ImportSummary(result, "added"), kSummaryMilliseconds);
    });
    SetHandler(kCmdUpdateIED, [this] {
        ImportResult result = OnUpdateIED(*view_, ui_);
        if (result.outcome == ImportOutcome::Done)
            statusBar()->showMessage(ImportSummary(result, "updated"), kSummaryMilliseconds);
    });
    SetHandler(ShellCommand::AddSubnetwork, [this] { OnAddSubnetwork(*view_, ui_); });
    SetHandler(kCmdDelete, [this] { OnDelete(*view_, ui_); });
    SetHandler(kCmdAddTimeServer, [this] { OnAddTimeServer(*view_, ui_); });
    SetHandler(kCmdCreateDataset, [this] { OnCreateDataset(*view_, ui_); });
    SetHandler(kCmdModifyDataset, [this] { OnModifyDataset(*view_, ui_); });
    for (auto [id, command] : {std::pair{kCmdExportIIDCID, &OnExportIIDCID},
                               std::pair{kCmdExportVariables, &OnExportVariables},
                               std::pair{kCmdExportIEDDescription, &OnExportIEDDescription}}) {
        SetHandler(id, [this, command] {
            const std::string done = command(*view_, ui_).confirmation;
            if (!done.empty()) statusBar()->showMessage(QString::fromStdString(done), kSummaryMilliseconds);
        });
    }
    SetHandler(kCmdConnectInputs, [this] { OnConnectInputs(*view_, ui_); });
    SetHandler(kCmdUpdateInputs, [this] { OnUpdateInputs(*view_, ui_); });
    SetHandler(kCmdVerifyGooseInputs, [this] { OnVerifyGooseInputs(*view_, ui_); });
    SetHandler(ShellCommand::GooseMapping, [this] { OnGooseMapping(*view_, ui_); });
    SetHandler(ShellCommand::ViewToolbar, [this] { toolBar_->setVisible(toolBar_->isHidden()); });
    SetHandler(ShellCommand::ViewStatusBar, [this] { statusBar()->setVisible(statusBar()->isHidden()); });
    SetHandler(ShellCommand::AppAbout, [this] {
        CAboutBox about(resources_, this);
        about.exec();
    });
}

void CMainFrame::SetHandler(int commandId, std::function<void()> handler)
{
    handlers_[commandId] = std::move(handler);
    if (Action(commandId)) RefreshState();
}

void CMainFrame::RunCommand(int commandId)
{
    auto handler = handlers_.find(commandId);
    if (handler != handlers_.end()) handler->second();
    RefreshState();
}

bool CMainFrame::OpenFile(const QString& path)
{
    bool opened = doc_.OpenDocumentFile(QFile::encodeName(path).toStdString(), ui_);
    RefreshState();
    return opened;
}

void CMainFrame::OnFileUsed(const std::string& path)
{
    recentFiles_.Add(QFile::decodeName(path.c_str()));
}

void CMainFrame::OpenRecentFile(const QString& path)
{
    // An entry goes only when its file is gone, not when the person stopped the open.
    if (!OpenFile(path) && !QFileInfo::exists(path)) recentFiles_.Remove(path);
}
