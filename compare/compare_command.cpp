#include "compare/compare_command.h"

#include "compare/compare_dialog.h"
#include "document/schema_defaults.h"
#include "document/scl_edition.h"
#include "document/user_interface.h"
#include "document/varnholt_doc.h"
#include "document/xml_access.h"
#include "document/xml_parse.h"
#include "project_tree/scl_lookups.h"
#include "project_tree/varnholt_view.h"

namespace {

constexpr const char* kTitle = "Compare with";

}  // namespace

CompareOptions CompareOptionsFor(const xmlNode* rootA, const xmlNode* rootB)
{
    CompareOptions options;
    options.defaultsA = &SchemaDefaults::For(EditionOfRoot(rootA));
    options.defaultsB = &SchemaDefaults::For(EditionOfRoot(rootB));
    return options;
}

void SelectDifference(CVarnholtView& view, const Difference& difference)
{
    if (TreeItem* item = FindItemOfElement(view, difference.a)) view.Select(item);
}

void OnCompareWith(CVarnholtView& view, UserInterface& ui)
{
    std::optional<std::string> path = ui.AskOpenFileName(
        {kTitle,
         "SCL Files (*.scd;*.icd;*.iid;*.cid;*.ssd;*.sed)|*.scd;*.icd;*.iid;*.cid;*.ssd;*.sed|All Files (*.*)|*.*||",
         ".scd", ""});
    if (path) CompareWithFile(view, *path, ui);
}

void CompareWithFile(CVarnholtView& view, const std::string& path, UserInterface& ui)
{
    std::string error;
    XmlDocPtr other(ParseXmlFile(path, &error));
    const xmlNode* root = other ? xmlDocGetRootElement(other.get()) : nullptr;
    if (!other || !IsElementNamed(root, "SCL")) {
        ui.ShowMessage(kTitle, path + " cannot be compared: " + (other ? "its root element is not SCL" : error),
                       MessageIcon::Error, MessageButtons::Ok);
        return;
    }
    const xmlNode* project = view.Document().Root();
    CCompareDialog dialog(kTitle, "What " + path + " has that the project has not, and the other way round:",
                          CompareDocuments(project, root, CompareOptionsFor(project, root)), false);
    dialog.onActivate = [&view](const Difference& difference) { SelectDifference(view, difference); };
    ui.RunDialog(dialog);
}
