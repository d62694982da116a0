// Times Add IED: one IED file added to an open project, RUNS times, each time under a
// new name (NEW0001, NEW0002, ...), so the project grows by one IED per run. The open
// is not timed. Each run is split at the points where the command turns to the person
// (busy on and off, the Add IED dialog); the last phase is split further by timing its
// known parts again on the project as the run left it.
#include "bench/continue_ui.h"
#include "document/dataset_references.h"
#include "document/varnholt_doc.h"
#include "goose/update_inputs.h"
#include "import/add_ied_dialog.h"
#include "import/ied_file.h"
#include "import/ied_import_command.h"
#include "project_tree/varnholt_view.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double Since(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// Answers as a person adding IEDs would: the next fresh name in the Add IED dialog,
// Yes to every log window. Notes when the command turns busy, idle and to the dialog.
class AddIedUi : public ContinueUi {
public:
    int counter = 0;
    std::vector<Clock::time_point> marks;

    bool RunDialog(DialogModel& dialog) override
    {
        if (auto* addIed = dynamic_cast<CAddIEDDialog*>(&dialog)) {
            marks.push_back(Clock::now());
            char name[16];
            std::snprintf(name, sizeof name, "NEW%04d", ++counter);
            addIed->iedName = name;
        }
        return true;
    }
    void SetBusy(bool) override { marks.push_back(Clock::now()); }
};

enum Phase { kTotal, kReadFile, kFileChecks, kRenames, kMergeToValid, kProjectSchema, kProjectDatasets,
             kUpdateInputs, kPhaseCount };

const char* const kPhaseNames[kPhaseCount] = {
    "Add IED, whole command",
    "  read and validate the file",
    "  file's datasets, dialog",
    "  names in the file",
    "  merge, place, inputs, check",
    "    project schema, timed alone",
    "    project datasets, timed alone",
    "    Update Inputs, timed alone",
};

struct Stats {
    double first, best, median;
};

Stats Summarise(std::vector<double> times)
{
    Stats stats{times.front(), 0, 0};
    std::sort(times.begin(), times.end());
    stats.best = times.front();
    stats.median = times[times.size() / 2];
    return stats;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: add_ied_bench PROJECT IED_FILE [RUNS] [XMLLINT_SECONDS]\n");
        return 2;
    }
    const std::string iedFile = argv[2];
    const int runs = argc > 3 ? std::max(1, std::atoi(argv[3])) : 10;
    const double xmllint = argc > 4 ? std::atof(argv[4]) : 0;
    CVarnholtDoc doc;
    CVarnholtView view(doc);
    AddIedUi ui;
    if (!doc.OpenDocumentFile(argv[1], ui)) return 2;

    std::vector<std::vector<double>> times(kPhaseCount);
    ImportResult last;
    for (int run = 0; run < runs; ++run) {
        ui.marks.clear();
        Clock::time_point start = Clock::now();
        ImportResult result = AddIEDFromFile(view, iedFile, ui);
        double total = Since(start);
        if (result.outcome != ImportOutcome::Done || ui.marks.size() != 5) {
            std::fprintf(stderr, "run %d: the IED was not added (%s)\n", run + 1, result.readError.c_str());
            return 1;
        }
        auto span = [&](size_t from, size_t to) {
            return std::chrono::duration<double>(ui.marks[to] - ui.marks[from]).count();
        };
        times[kTotal].push_back(total);
        times[kReadFile].push_back(std::chrono::duration<double>(ui.marks[1] - start).count());
        times[kFileChecks].push_back(span(1, 2));
        times[kRenames].push_back(span(2, 3));
        times[kMergeToValid].push_back(span(3, 4));

        std::vector<std::string> log;
        start = Clock::now();
        doc.Validate(doc.XmlTree());
        times[kProjectSchema].push_back(Since(start));
        start = Clock::now();
        VerifyDatasetReferences(doc.XmlTree(), log);
        times[kProjectDatasets].push_back(Since(start));
        start = Clock::now();
        UpdateIedInputs(view, result.iedName);
        times[kUpdateInputs].push_back(Since(start));
        last = std::move(result);
    }

    int shared = 0, copied = 0, renamed = 0;
    for (const MergedType& type : last.types) {
        shared += type.outcome == TypeMergeOutcome::Shared;
        copied += type.outcome == TypeMergeOutcome::Copied;
        renamed += type.outcome == TypeMergeOutcome::Renamed;
    }
    std::printf("last run: %s, types %d shared / %d copied / %d renamed, %zu log lines, project %s\n",
                last.iedName.c_str(), shared, copied, renamed, last.log.size(), doc.IsValid() ? "valid" : "invalid");
    for (int phase = 0; phase < kPhaseCount; ++phase) {
        Stats stats = Summarise(times[phase]);
        std::printf("%-31s first %8.2f ms  best %8.2f ms  median %8.2f ms\n", kPhaseNames[phase],
                    stats.first * 1e3, stats.best * 1e3, stats.median * 1e3);
    }
    // The last Add IED taken back and made again, with the project tree built again.
    while (doc.Changes().CanUndo() && !doc.Changes().UndoName().starts_with("Add IED")) doc.Undo();
    Clock::time_point start = Clock::now();
    const bool undone = doc.Undo();
    const double undo = Since(start);
    start = Clock::now();
    const bool redone = doc.Redo();
    const double redo = Since(start);
    if (undone && redone)
        std::printf("undo of the last Add IED        %8.2f ms  redo %8.2f ms\n", undo * 1e3, redo * 1e3);
    if (xmllint > 0) {
        Stats total = Summarise(times[kTotal]);
        std::printf("xmllint --schema (project)      best %8.2f ms\n", xmllint * 1e3);
        std::printf("ratio to xmllint                first %8.2f     best %8.2f     median %8.2f\n",
                    total.first / xmllint, total.best / xmllint, total.median / xmllint);
    }
    return 0;
}
