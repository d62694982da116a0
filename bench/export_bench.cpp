// Times the exports of a project beside its open: the variables of all IEDs, the
// description and the IID/CID document of the IED in the middle.
//   export_bench FILE.scd
#include "continue_ui.h"
#include "document/varnholt_doc.h"
#include "document/xml_access.h"
#include "exports/ied_description.h"
#include "exports/ied_export.h"
#include "exports/variables_export.h"
#include "project_tree/varnholt_view.h"

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

namespace {

double Seconds(std::chrono::steady_clock::time_point since)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: export_bench FILE\n");
        return 2;
    }
    CVarnholtDoc doc;
    CVarnholtView view(doc);
    ContinueUi ui;
    auto start = std::chrono::steady_clock::now();
    if (!doc.OpenDocumentFile(argv[1], ui)) return 1;
    const double open = Seconds(start);
    std::vector<std::string> names;
    for (xmlNode* child : ElementChildren(doc.Root()))
        if (IsElementNamed(child, "IED")) names.push_back(GetAttribute(child, "name"));
    const std::string middle = names.empty() ? "" : names[names.size() / 2];

    start = std::chrono::steady_clock::now();
    std::string variables = VariablesFileText(CollectVariableLines(view));
    const double variablesTime = Seconds(start);
    start = std::chrono::steady_clock::now();
    std::string description = IEDDescriptionText(IEDDescriptionLines(view, middle));
    const double descriptionTime = Seconds(start);
    start = std::chrono::steady_clock::now();
    XmlDocPtr exported = BuildIEDExport(doc, middle);
    const double exportTime = Seconds(start);

    std::printf("open with tree        %8.3f s\n", open);
    std::printf("variables, all IEDs   %8.3f s  (%zu bytes, %.3f of the open)\n", variablesTime, variables.size(),
                variablesTime / open);
    std::printf("description, %s %8.3f s  (%zu bytes)\n", middle.c_str(), descriptionTime, description.size());
    std::printf("IID/CID, %s     %8.3f s\n", middle.c_str(), exportTime);
    return exported ? 0 : 1;
}
