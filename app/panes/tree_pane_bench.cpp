// Opens a project in the main window on the offscreen platform and reports what the
// tree pane costs: the open, expanding every item, and paging from top to bottom.
//   tree_pane_bench FILE.scd
#include "app/panes/project_tree_pane.h"
#include "app/shell/main_frame.h"
#include "app/shell/qt_user_interface.h"
#include "app/shell/recent_file_list.h"
#include "document/varnholt_doc.h"
#include "project_tree/varnholt_view.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QScrollBar>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

namespace {

long ResidentKilobytes()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmRSS:", 0) == 0) return std::atol(line.c_str() + 6);
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: tree_pane_bench FILE.scd\n");
        return 2;
    }
    CVarnholtDoc doc;
    QtUserInterface ui;
    RecentFileList recent;
    CMainFrame frame(doc, ui, recent, ShellResources{});
    ui.SetParentWidget(&frame);
    frame.resize(1100, 760);
    frame.show();
    QApplication::processEvents();
    CProjectTreePane& pane = *frame.TreePane();
    auto widgets = [&] { return frame.findChildren<QWidget*>().size(); };
    qsizetype widgetsBefore = widgets();

    QElapsedTimer clock;
    clock.start();
    if (!frame.OpenFile(QString::fromLocal8Bit(argv[1]))) return 1;
    QApplication::processEvents();
    qint64 openMs = clock.restart();
    size_t items = 0;
    for (TreeItem* item = frame.ProjectTree().FirstRootItem(); item; item = NextItemInPreOrder(item)) ++items;

    clock.restart();
    pane.expandAll();
    pane.viewport()->repaint();
    qint64 expandMs = clock.restart();

    QScrollBar* bar = pane.verticalScrollBar();
    std::vector<qint64> stepUs;
    QElapsedTimer step;
    for (int value = 0;; value += bar->pageStep()) {
        step.start();
        bar->setValue(std::min(value, bar->maximum()));
        pane.viewport()->repaint();
        stepUs.push_back(step.nsecsElapsed() / 1000);
        if (value >= bar->maximum()) break;
    }
    qint64 scrollMs = clock.restart();
    qint64 pages = static_cast<qint64>(stepUs.size());
    auto slowest = std::max_element(stepUs.begin(), stepUs.end());
    long slowestPage = static_cast<long>(slowest - stepUs.begin());
    qint64 slowestStepUs = *slowest;
    std::vector<qint64> sorted = stepUs;
    std::sort(sorted.begin(), sorted.end());
    auto percentile = [&](double p) { return sorted[static_cast<size_t>(p * static_cast<double>(sorted.size() - 1))] / 1000.0; };
    long over16 = static_cast<long>(std::count_if(stepUs.begin(), stepUs.end(), [](qint64 us) { return us > 16000; }));

    step.start();
    frame.ProjectTree().Select(frame.ProjectTree().FirstRootItem());
    pane.viewport()->repaint();
    qint64 selectFirstUs = step.nsecsElapsed() / 1000;

    std::printf("items in tree            %zu\n", items);
    std::printf("widgets added by open    %lld\n", static_cast<long long>(widgets() - widgetsBefore));
    std::printf("open and build           %lld ms\n", static_cast<long long>(openMs));
    std::printf("expand all + paint       %lld ms\n", static_cast<long long>(expandMs));
    std::printf("page through all rows    %lld ms for %lld pages\n", static_cast<long long>(scrollMs),
                static_cast<long long>(pages));
    std::printf("  one page               median %.2f ms, 99th percentile %.2f ms, slowest %.1f ms (page %ld)\n",
                percentile(0.5), percentile(0.99), slowestStepUs / 1000.0, slowestPage);
    std::printf("  pages over 16 ms       %ld\n", over16);
    std::printf("jump back to first item  %.1f ms\n", selectFirstUs / 1000.0);
    std::printf("resident memory          %ld MB\n", ResidentKilobytes() / 1024);
    return 0;
}
