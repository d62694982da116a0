// Times a property edit on a large project as the property view makes it: the value
// written through the change channel, the edited element checked against the schema, the
// tree item relabelled; RUNS edits of bufTime of the last IED's first report control
// block, then the undo and redo of the last one.
#include "bench/continue_ui.h"
#include "document/varnholt_doc.h"
#include "project_tree/item_access.h"
#include "project_tree/tree_item.h"
#include "project_tree/varnholt_view.h"
#include "property_grid/property_grid_model.h"
#include "property_view/property_view_logic.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double MillisecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

int BufTimeRow(const PropertyGridModel& grid)
{
    for (const PropertySection& section : grid.Sections())
        for (const PropertyItem* item : section.items)
            if (section.title == "ReportControl" && item->label == "bufTime") return item->id;
    return -1;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: property_edit_bench PROJECT [RUNS]\n");
        return 2;
    }
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 20;
    CVarnholtDoc doc;
    CVarnholtView view(doc);
    ContinueUi ui;
    if (!doc.OpenDocumentFile(argv[1], ui)) return 2;
    PropertyGridModel grid;
    PropertyViewLogic logic(view, grid, ui);
    TreeItem* report = nullptr;
    for (TreeItem* item = view.FirstRootItem(); item; item = NextItemInPreOrder(item))
        if (IsItemOfKind(view, item, kKindReportControl)) report = item;
    if (!report) return 2;
    view.Select(report);
    std::vector<double> times;
    for (int run = 0; run < runs; ++run) {
        const int row = BufTimeRow(grid);
        if (row < 0) return 2;
        grid.SetItemInteger(row, 100 + run);
        const Clock::time_point start = Clock::now();
        if (logic.OnItemChanged(row) != PropertyViewLogic::EditOutcome::Written) {
            std::fprintf(stderr, "run %d: the edit was not written\n", run + 1);
            return 1;
        }
        times.push_back(MillisecondsSince(start));
    }
    std::vector<double> sorted = times;
    std::sort(sorted.begin(), sorted.end());
    std::printf("property edit with its check    first %7.2f ms  best %7.2f ms  median %7.2f ms  (project %s)\n",
                times.front(), sorted.front(), sorted[sorted.size() / 2], doc.IsValid() ? "valid" : "invalid");
    Clock::time_point start = Clock::now();
    doc.Undo();
    const double undo = MillisecondsSince(start);
    start = Clock::now();
    doc.Redo();
    std::printf("undo of the last edit           %7.2f ms  redo %7.2f ms\n", undo, MillisecondsSince(start));
    return 0;
}
