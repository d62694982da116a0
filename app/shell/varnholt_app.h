#pragma once
#include "app/shell/qt_user_interface.h"
#include "app/shell/recent_file_list.h"
#include "app/shell/shell_resources.h"

#include <QApplication>
#include <QSettings>

#include <memory>

class CMainFrame;
class CVarnholtDoc;

// The program: the one document, its settings and recent files, the resources of
// resources.ini, and the main window.
class CVarnholtApp : public QApplication {
public:
    CVarnholtApp(int& argc, char** argv);
    ~CVarnholtApp() override;

    // Creates the main window and opens the file named on the command line, or a new
    // project. False when that first document could not be had.
    bool Start();

    CMainFrame* MainFrame() const { return frame_.get(); }

private:
    QSettings settings_;
    RecentFileList recentFiles_;
    QtUserInterface ui_;
    std::unique_ptr<CVarnholtDoc> doc_;
    std::unique_ptr<CMainFrame> frame_;
};

// The file named on the command line: the first argument that is no option.
QString CommandLineFile(const QStringList& arguments);
