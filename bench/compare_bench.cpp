// Times the comparison of two projects as `varnholt-cli diff` makes it (both files read,
// then compared element by element) against opening the first once as the desktop does
// (read, checked against the schema, project tree built); best of RUNS.
#include "bench/continue_ui.h"
#include "compare/document_compare.h"
#include "document/schema_defaults.h"
#include "document/varnholt_doc.h"
#include "document/xml_parse.h"
#include "project_tree/varnholt_view.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace {

using Clock = std::chrono::steady_clock;

double SecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: compare_bench A B [RUNS]\n");
        return 2;
    }
    const int runs = argc > 3 ? std::max(1, std::atoi(argv[3])) : 5;
    double open = 1e9, compare = 1e9;
    size_t found = 0;
    SchemaDefaults::For(SclEdition::Ed2003);  // read once per process, as the first diff does
    for (int run = 0; run < runs; ++run) {
        {
            const Clock::time_point start = Clock::now();
            CVarnholtDoc doc;
            CVarnholtView view(doc);
            ContinueUi ui;
            if (!doc.OpenDocumentFile(argv[1], ui)) return 2;
            open = std::min(open, SecondsSince(start));
        }
        const Clock::time_point start = Clock::now();
        XmlDocPtr a(ParseXmlFile(argv[1], nullptr)), b(ParseXmlFile(argv[2], nullptr));
        if (!a || !b) return 2;
        const xmlNode* rootA = xmlDocGetRootElement(a.get());
        const xmlNode* rootB = xmlDocGetRootElement(b.get());
        CompareOptions options;
        options.defaultsA = &SchemaDefaults::For(EditionOfRoot(rootA));
        options.defaultsB = &SchemaDefaults::For(EditionOfRoot(rootB));
        found = CompareDocuments(rootA, rootB, options).size();
        compare = std::min(compare, SecondsSince(start));
    }
    std::printf("open the first once    best %8.1f ms\n", open * 1e3);
    std::printf("diff (read both, compare) best %8.1f ms, %zu difference(s)\n", compare * 1e3, found);
    std::printf("ratio diff / open      %8.2f\n", compare / open);
    return 0;
}
