// Times the steps of opening and saving a project: parse, schema validation, dataset
// reference check, building the project tree, and the save. Prints one line per step.
#include "core/dataset_references.h"
#include "bench/continue_ui.h"
#include "core/varnholt_doc.h"
#include "core/xml_parse.h"
#include "tree/varnholt_view.h"

#include <chrono>
#include <cstdio>
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

size_t CountItems(const TreeItem* item)
{
    size_t count = 1;
    for (int row = 0; row < item->ChildCount(); ++row) count += CountItems(item->Child(row));
    return count;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: open_bench FILE [SAVE_TO]\n");
        return 2;
    }
    const std::string path = argv[1];
    CVarnholtDoc doc;
    CVarnholtView view(doc);
    ContinueUi ui;
    Stopwatch watch;

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
    xmlFreeDoc(tree);
    watch.Lap();

    if (!doc.OpenDocumentFile(path, ui)) return 2;
    double open = watch.Lap();
    size_t items = 0;
    for (int row = 0; row < view.RootItemCount(); ++row) items += CountItems(view.RootItem(row));
    std::printf("open with tree     %8.3f s  (%zu items)\n", open, items);

    if (argc > 2) {
        watch.Lap();
        if (doc.OnSaveDocument(argv[2], ui) != SaveOutcome::Saved) return 2;
        std::printf("save               %8.3f s\n", watch.Lap());
    }
    return 0;
}
