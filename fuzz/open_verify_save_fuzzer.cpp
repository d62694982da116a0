// One input is one file given to Open: written to disk as it is (gzip-compressed
// input takes the compressed path), opened with every question answered so that the
// open goes on, verified three ways, saved with a version history entry, and removed.
#include "document/varnholt_doc.h"
#include "fuzz/fuzz_support.h"
#include "goose/verify_goose_inputs.h"
#include "project_tree/varnholt_view.h"
#include "project_tree/verify_addresses.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string input = ScratchFile("input.scd");
    WriteScratchFile(input, std::string_view(reinterpret_cast<const char*>(data), size));
    CVarnholtDoc& doc = TheDocument();
    {
        CVarnholtView view(doc);
        GoOnUi ui;
        if (doc.OpenDocumentFile(input, ui)) {
            std::vector<std::string> lines;
            doc.VerifySyntax(lines);
            VerifyAddresses(view);
            VerifyGooseInputs(view);
            doc.SetModifiedFlag(true);
            doc.OnSaveDocument(ScratchFile("saved.scd"), ui);
        }
    }
    // Nothing of this input is left for the next one but the compiled schema.
    doc.OnCloseDocument();
    ClearScratch();
    return 0;
}
