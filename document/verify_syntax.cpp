#include "document/dataset_references.h"
#include "document/log_dialogs.h"
#include "document/step_check.h"
#include "document/varnholt_doc.h"

bool CVarnholtDoc::VerifySyntax(std::vector<std::string>& lines)
{
    lines.clear();
    bool ok = true;
    if (!WithoutDefaults([this] { return Validate(tree_); })) {
        ok = false;
        lines.insert(lines.end(), validationLog_.begin(), validationLog_.end());
    }
    if (!VerifyDatasetReferences(tree_, validationLog_)) {
        ok = false;
        lines.insert(lines.end(), validationLog_.begin(), validationLog_.end());
    }
    valid_ = ok;
    return ok;
}

bool CVarnholtDoc::UpdateValidity()
{
    // Within a step that started from a valid project, what the step touched is checked.
    if (changes_.InStep() && schemas_.Folder().empty()) {
        const auto before = validAt_.find(changes_.Position());
        if (before != validAt_.end() && before->second) {
            std::optional<bool> verdict;
            WithoutDefaults([&] {
                verdict = CheckStep(schemas_.For(Root()), Edition(), Root(), changes_.OpenStepTouched());
                return true;
            });
            if (verdict) {
                std::vector<std::string> findings;
                valid_ = *verdict && VerifyDatasetReferences(tree_, findings);
                return valid_;
            }
        }
    }
    std::vector<std::string> lines;
    return VerifySyntax(lines);
}

void CVarnholtDoc::OnVerifySyntax(UserInterface& ui)
{
    if (!tree_) return;  // only when the built-in template could not be read
    std::vector<std::string> lines;
    bool correct;
    {
        BusyScope busy(ui);
        correct = VerifySyntax(lines);
    }
    if (correct) {
        ui.ShowMessage("Verify Syntax", "Document is correct", MessageIcon::Information, MessageButtons::Ok);
        return;
    }
    CVerifyDialog dialog(std::move(lines));
    ui.RunDialog(dialog);
}

bool CVarnholtDoc::UseSchemaFolder(const std::string& folder, UserInterface& ui)
{
    std::string reason;
    if (!schemas_.UseFolder(folder, reason)) {
        ui.ShowMessageWithDetail("Schema Folder", "The schema folder " + folder + " cannot be used.", reason,
                                 MessageIcon::Error, MessageButtons::Ok);
        return false;
    }
    SetSchemaFolderForDocuments(folder);
    validAt_.clear();  // the states of the history are checked against other schemas now
    if (tree_) UpdateValidity();
    UpdateAllViews(nullptr);
    return true;
}
