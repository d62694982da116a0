// Times the GOOSE mapping window on a large project: building its model with the three
// trees filled (what happens before the window shows), the outline of the trees, and
// OK without any change. The open of the project is not timed.
#include "bench/continue_ui.h"
#include "document/varnholt_doc.h"
#include "goose/mapping_command.h"
#include "project_tree/varnholt_view.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
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

size_t CountNodes(const std::vector<std::unique_ptr<MappingNode>>& nodes)
{
    size_t count = nodes.size();
    for (const auto& node : nodes) count += CountNodes(node->children);
    return count;
}

// The first run, then the best and the median of `runs` more; the median is also
// given as a ratio to `lintSeconds`.
void Report(const char* name, int runs, double lintSeconds, const std::function<std::string()>& work)
{
    std::string note;
    double first = Seconds([&] { note = work(); });
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) times.push_back(Seconds([&] { work(); }));
    std::sort(times.begin(), times.end());
    double median = times[times.size() / 2];
    std::printf("%-28s first %8.2f ms  best %8.2f ms  median %8.2f ms  ratio %.3f  (%s)\n", name, first * 1e3,
                times.front() * 1e3, median * 1e3, lintSeconds > 0 ? median / lintSeconds : 0.0, note.c_str());
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: mapping_bench FILE [RUNS] [XMLLINT_SECONDS]\n");
        return 2;
    }
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 10;
    const double lint = argc > 3 ? std::atof(argv[3]) : 0;
    CVarnholtDoc doc;
    CVarnholtView view(doc);
    ContinueUi ui;
    if (!doc.OpenDocumentFile(argv[1], ui)) return 2;
    std::string refusal;
    if (!OpenMappingDialog(view, refusal)) {
        std::fprintf(stderr, "%s\n", refusal.c_str());
        return 2;
    }
    if (lint > 0) std::printf("%-28s %8.2f ms\n", "xmllint --schema (best)", lint * 1e3);

    Report("model built, trees filled", runs, lint, [&] {
        std::unique_ptr<CMappingDialog> dialog = OpenMappingDialog(view, refusal);
        const char* names[] = {"outputs", "inputs", "mapping"};
        const MappingTree trees[] = {MappingTree::Outputs, MappingTree::Inputs, MappingTree::Mapping};
        std::string note;
        for (int i = 0; i < 3; ++i)
            note += (i ? ", " : "") + std::to_string(CountNodes(dialog->Roots(trees[i]))) + " " + names[i] + " nodes";
        return note + (dialog->StartupMessage().empty() ? "" : ", start-up message");
    });
    std::unique_ptr<CMappingDialog> dialog = OpenMappingDialog(view, refusal);
    Report("outline of the trees", runs, lint,
           [&] { return std::to_string(MappingOutline(*dialog).size()) + " bytes"; });
    Report("OK without a change", runs, lint, [&] {
        return std::to_string(WriteMappingBack(view, *dialog).size()) + " ExtRefs changed" +
               (doc.IsModified() ? ", modified" : "");
    });
    return 0;
}
