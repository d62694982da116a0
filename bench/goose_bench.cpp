// Times the GOOSE input commands on a large project: Verify GOOSE Inputs over the whole
// project, Update Inputs for one IED whose inputs are all consistent, and Update Inputs
// for that IED after its external references were removed (every input matched anew).
#include "bench/continue_ui.h"
#include "document/varnholt_doc.h"
#include "goose/access_point_inputs.h"
#include "goose/extref_writer.h"
#include "goose/update_inputs.h"
#include "goose/verify_goose_inputs.h"
#include "project_tree/item_access.h"
#include "project_tree/scl_lookups.h"
#include "project_tree/varnholt_view.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace {

double Seconds(const std::function<void()>& work)
{
    auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// The first run, then the best and the median of `runs` more.
void Report(const char* name, int runs, const std::function<std::string()>& work)
{
    std::string note;
    double first = Seconds([&] { note = work(); });
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) times.push_back(Seconds([&] { work(); }));
    std::sort(times.begin(), times.end());
    std::printf("%-34s first %7.2f ms  best %7.2f ms  median %7.2f ms  (%s)\n", name, first * 1e3,
                times.front() * 1e3, times[times.size() / 2] * 1e3, note.c_str());
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: goose_bench FILE IED [RUNS]\n");
        return 2;
    }
    const std::string ied = argv[2];
    const int runs = argc > 3 ? std::max(1, std::atoi(argv[3])) : 10;
    CVarnholtDoc doc;
    CVarnholtView view(doc);
    ContinueUi ui;
    if (!doc.OpenDocumentFile(argv[1], ui)) return 2;
    TreeItem* iedItem = FindIEDItem(view, ied);
    if (!iedItem) {
        std::fprintf(stderr, "no IED %s\n", ied.c_str());
        return 2;
    }
    TreeItem* accessPoint = iedItem->FirstChild();
    while (accessPoint && !IsItemOfKind(view, accessPoint, kKindAccessPoint)) accessPoint = accessPoint->NextSibling();
    std::vector<TreeItem*> inputs = CollectAccessPointInputs(view, accessPoint);

    Report("Verify GOOSE Inputs (project)", runs,
           [&] { return std::to_string(VerifyGooseInputs(view).size()) + " lines"; });
    Report("Update Inputs (one IED, unchanged)", runs, [&] {
        InputUpdateResult result = UpdateIedInputs(view, ied);
        return std::to_string(inputs.size()) + " inputs, " + std::to_string(result.log.size()) + " lines";
    });
    Report("Update Inputs (one IED, all new)", runs, [&] {
        for (TreeItem* extRef : inputs) RemoveExternalReference(view.Record(extRef)->node);
        InputUpdateResult result = UpdateIedInputs(view, ied);
        return std::to_string(result.log.size()) + " lines";
    });
    Report("Update Inputs (every IED in turn)", 1, [&] {
        size_t lines = 0;
        for (TreeItem* item = view.FirstRootItem(); item; item = item->NextSibling())
            if (IsItemOfKind(view, item, kKindIED)) lines += UpdateIedInputs(view, ItemName(view, item)).log.size();
        return std::to_string(lines) + " lines";
    });
    return 0;
}
