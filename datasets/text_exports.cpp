#include "datasets/text_exports.h"

#include "core/atomic_save.h"
#include "core/varnholt_doc.h"
#include "core/xml_access.h"
#include "datasets/export_dialog.h"
#include "datasets/ied_description.h"
#include "datasets/variables_export.h"
#include "tree/scl_lookups.h"
#include "tree/varnholt_view.h"

#include <optional>
#include <string>
#include <vector>

namespace {

const char* kTextFilter = "Text Files (*.txt)|*.txt|All Files (*.*)|*.*||";

// Asks for the file and writes `text` through the safe path; a failure is shown with
// the file and its cause, and leaves no file behind.
void WriteTextExport(UserInterface& ui, const char* title, const std::string& initialName, const std::string& text)
{
    FileDialogRequest request;
    request.title = title;
    request.filter = kTextFilter;
    request.defaultExtension = ".txt";
    request.initialName = initialName;
    std::optional<std::string> path = ui.AskSaveFileName(request);
    if (!path) return;
    std::string reason;
    if (!WriteFileAtomically(*path, text, reason))
        ui.ShowMessage(title, "Cannot write file " + *path + ": " + reason, MessageIcon::Error, MessageButtons::Ok);
}

std::vector<std::string> IEDNames(const CVarnholtDoc& doc)
{
    std::vector<std::string> names;
    for (xmlNode* child : ElementChildren(doc.Root()))
        if (IsElementNamed(child, "IED")) names.push_back(GetAttribute(child, "name"));
    return names;
}

}  // namespace

void OnExportVariables(CVarnholtView& view, UserInterface& ui)
{
    if (!view.Document().HasIED()) return;
    std::vector<std::string> lines = CollectVariableLines(view);
    WriteTextExport(ui, "Export variables", "Variables", VariablesFileText(lines));
}

void OnExportIEDDescription(CVarnholtView& view, UserInterface& ui)
{
    if (!view.Document().HasIED()) return;
    CExportDialog dialog(IEDNames(view.Document()), SelectedIEDName(view));
    if (!ui.RunDialog(dialog)) return;
    const std::string name = dialog.ChosenName();
    std::vector<std::string> lines = IEDDescriptionLines(view, name);
    if (lines.empty()) return;  // no such IED, or a time server
    WriteTextExport(ui, "Export IED description", name + "_Description", IEDDescriptionText(lines));
}
