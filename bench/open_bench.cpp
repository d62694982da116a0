// Times the steps of opening and saving a project: parse, schema validation, dataset
// reference check, building the project tree, and the save. Prints one line per step.
//
// With --open-only it opens the file once, as the program does, and prints the time of
// the open, the number of tree items and the peak resident memory of the process, so
// that `/usr/bin/time` around it measures the open alone.
#include "bench/continue_ui.h"
#include "document/dataset_references.h"
#include "document/varnholt_doc.h"
#include "document/xml_parse.h"
#include "project_tree/varnholt_view.h"

#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

class Stopwatch {
public:
    double Lap()
    {
        auto now = std::chrono::steady_clock::now();
        double seconds = std::chrono::duration<double>(now - start_).count();
        start_ = now;
        return seconds;
    }

private:
    std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
};

size_t CountItems(const CVarnholtView& view)
{
    size_t count = 0;
    for (TreeItem* item = view.FirstRootItem(); item; item = NextItemInPreOrder(item)) ++count;
    return count;
}

long PeakResidentKiB()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

int OpenOnly(const std::string& path)
{
    CVarnholtDoc doc;
    CVarnholtView view(doc);
    ContinueUi ui;
    Stopwatch watch;
    if (!doc.OpenDocumentFile(path, ui)) return 2;
    double open = watch.Lap();
    std::printf("open %.3f s, %zu items, complete %s, peak RSS %ld KiB\n", open, doc.ItemRecordCount(),
                view.IsExpansionComplete() ? "yes" : "no", PeakResidentKiB());
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc > 2 && std::strcmp(argv[1], "--open-only") == 0) return OpenOnly(argv[2]);
    if (argc < 2) {
        std::fprintf(stderr, "usage: open_bench [--open-only] FILE [SAVE_TO]\n");
        return 2;
    }
    const std::string path = argv[1];
    Stopwatch watch;
    {
        CVarnholtDoc doc;
        CVarnholtView view(doc);
        watch.Lap();
        std::string error;
        xmlDoc* tree = ParseXmlFile(path, &error);
        if (!tree) {
            std::fprintf(stderr, "%s: %s\n", path.c_str(), error.c_str());
            return 2;
        }
        std::printf("parse              %8.3f s\n", watch.Lap());
        bool valid = doc.Validate(tree);
        std::printf("schema validation  %8.3f s  (%s, %zu log lines)\n", watch.Lap(), valid ? "valid" : "invalid",
                    doc.ValidationLog().size());
        std::vector<std::string> findings;
        VerifyDatasetReferences(tree, findings);
        std::printf("dataset references %8.3f s  (%zu findings)\n", watch.Lap(), findings.size());
        doc.AdoptTree(tree, valid);
        view.BuildTree();
        std::printf("project tree       %8.3f s  (%zu items)\n", watch.Lap(), CountItems(view));
    }

    CVarnholtDoc doc;
    CVarnholtView view(doc);
    ContinueUi ui;
    watch.Lap();
    if (!doc.OpenDocumentFile(path, ui)) return 2;
    std::printf("open with tree     %8.3f s\n", watch.Lap());

    if (argc > 2) {
        watch.Lap();
        if (doc.OnSaveDocument(argv[2], ui) != SaveOutcome::Saved) return 2;
        std::printf("save               %8.3f s\n", watch.Lap());
    }
    return 0;
}
