#include "app/shell/varnholt_app.h"

#include "app/panes/property_view.h"
#include "app/shell/main_frame.h"
#include "app/shell/shell_pictures.h"
#include "document/varnholt_doc.h"
#include "project_tree/item_at_line.h"
#include "project_tree/varnholt_view.h"

#include <QFileInfo>

CVarnholtApp::CVarnholtApp(int& argc, char** argv)
    : QApplication(argc, argv),
      settings_(QStringLiteral("Orlemar"), QStringLiteral("Varnholt")),
      recentFiles_(&settings_),
      doc_(std::make_unique<CVarnholtDoc>())
{
    setApplicationName(QStringLiteral("Varnholt"));
    setOrganizationName(QStringLiteral("Orlemar"));
    setWindowIcon(ApplicationIcon());
    setDesktopFileName(QStringLiteral("varnholt"));
}

CVarnholtApp::~CVarnholtApp()
{
    frame_.reset();
}

bool CVarnholtApp::Start()
{
    frame_ = std::make_unique<CMainFrame>(*doc_, ui_, recentFiles_, ShellResources::Read(applicationDirPath()));
    ui_.SetParentWidget(frame_.get());
    const QString schemaFolderKey = QStringLiteral("Settings/SchemaFolder");
    frame_->SetSchemaFolderKeeper(
        [this, schemaFolderKey](const QString& folder) { settings_.setValue(schemaFolderKey, folder); });
    // A kept folder that no longer compiles is reported, and the built-in schemas check the files.
    if (QString folder = settings_.value(schemaFolderKey).toString(); !folder.isEmpty())
        doc_->UseSchemaFolder(folder.toStdString(), ui_);
    ui_.SetLogLineHandler([this](const std::string& line) {
        CVarnholtView& tree = frame_->ProjectTree();
        if (TreeItem* item = FindItemOfLogLine(tree, line)) tree.Select(item);
    });
    QString file = CommandLineFile(arguments());
    // The window shows at once; a large file then opens with its progress in view.
    if (!file.isEmpty()) {
        frame_->show();
        processEvents(QEventLoop::ExcludeUserInputEvents);
    }
    bool started = file.isEmpty() ? doc_->OnFileNew(ui_) : frame_->OpenFile(QFileInfo(file).absoluteFilePath());
    if (!started) return false;
    frame_->RefreshState();
    frame_->show();
    frame_->PropertyPane()->setFocus();
    return true;
}

QString CommandLineFile(const QStringList& arguments)
{
    for (qsizetype i = 1; i < arguments.size(); ++i)
        if (!arguments[i].startsWith('-')) return arguments[i];
    return {};
}
