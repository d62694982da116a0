// One input is a project and an IED file, split at kFileSeparator: the project is
// opened, the IED file added to it as Add IED does with every question answered so
// that the command goes on, and the result verified three ways and saved.
#include "document/varnholt_doc.h"
#include "fuzz/fuzz_support.h"
#include "goose/verify_goose_inputs.h"
#include "import/ied_import_command.h"
#include "project_tree/varnholt_view.h"
#include "project_tree/verify_addresses.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const auto files = SplitInput(data, size);
    if (!files) return -1;  // kept out of the corpus
    const std::string project = ScratchFile("project.scd"), iedFile = ScratchFile("ied.icd");
    WriteScratchFile(project, files->first);
    WriteScratchFile(iedFile, files->second);
    CVarnholtDoc& doc = TheDocument();
    {
        CVarnholtView view(doc);
        GoOnUi ui;
        if (doc.OpenDocumentFile(project, ui) && AddIEDFromFile(view, iedFile, ui).outcome == ImportOutcome::Done) {
            std::vector<std::string> lines;
            doc.VerifySyntax(lines);
            VerifyAddresses(view);
            VerifyGooseInputs(view);
            doc.OnSaveDocument(ScratchFile("saved.scd"), ui);
        }
    }
    doc.OnCloseDocument();
    ClearScratch();
    return 0;
}
