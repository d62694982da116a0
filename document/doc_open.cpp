#include "document/dataset_references.h"
#include "document/log_dialogs.h"
#include "document/varnholt_doc.h"
#include "document/xml_parse.h"

namespace {

// Shows the findings of a failed check; true when the person chose to go on.
bool AskToContinue(UserInterface& ui, const std::vector<std::string>& lines, const char* title)
{
    CXMLLogDialog dialog(lines, title);
    return ui.RunDialog(dialog);
}

}  // namespace

bool CVarnholtDoc::OnOpenDocument(const std::string& path, UserInterface& ui)
{
    lastReadError_.clear();
    xmlDoc* newTree = nullptr;
    bool newValid = false;
    {
        BusyScope busy(ui);
        ui.ShowProgress("Reading the file...", 0);
        newTree = ParseXmlFile(path, &lastReadError_);
        if (newTree) {
            ui.ShowProgress("Checking the file against the SCL schema...", 30);
            newValid = Validate(newTree);
        }
    }
    if (!newTree) {
        ui.ShowMessageWithDetail("Open Document", "Invalid file format!", path + ": " + lastReadError_,
                                 MessageIcon::Error, MessageButtons::Ok);
        return false;
    }
    std::vector<std::string> findings;
    if (!newValid) findings = validationLog_;
    if (!newValid && !AskToContinue(ui, validationLog_, "XML Parser Log")) {
        xmlFreeDoc(newTree);
        return false;
    }
    if (!VerifyDatasetReferences(newTree, validationLog_)) {
        if (!AskToContinue(ui, validationLog_, "Dataset references verification")) {
            xmlFreeDoc(newTree);
            return false;
        }
        findings.insert(findings.end(), validationLog_.begin(), validationLog_.end());
        newValid = false;
    }
    AdoptTree(newTree, newValid);
    openFindings_ = std::move(findings);
    return true;
}
