#include "document/atomic_save.h"
#include "document/tree_edit.h"
#include "document/varnholt_doc.h"
#include "document/xml_access.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <ctime>

namespace {

// Reads a number the way "%d" does, held within the range of int; a text without
// one gives 1.
int ReadVersionNumber(const char* text)
{
    char* end = nullptr;
    long long value = std::strtoll(text, &end, 10);
    if (end == text) return 1;
    return static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX));
}

std::string LocalTimeStamp()
{
    std::time_t now = std::time(nullptr);
    std::tm local {};
    localtime_r(&now, &local);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M", &local);
    return text;
}

// The next revision of the Header's version, within what the version history dialog
// accepts. When the revision is at the end of its range (as with a time stamp that
// another tool wrote), the next version starts at the first revision.
VersionInfo ProposedVersion(std::pair<int, int> header)
{
    VersionInfo info;
    info.version = std::clamp(header.first, CVerHistDialog::kMinVersion, CVerHistDialog::kMaxVersion);
    const long long next = static_cast<long long>(header.second) + 1;
    if (next <= CVerHistDialog::kMaxRevision) {
        info.revision = static_cast<int>(std::max<long long>(next, CVerHistDialog::kMinRevision));
    } else if (info.version < CVerHistDialog::kMaxVersion) {
        ++info.version;
        info.revision = CVerHistDialog::kMinRevision;
    } else {
        info.revision = CVerHistDialog::kMaxRevision;
    }
    return info;
}

// Where types of this kind are inserted once the last one was removed.
xmlNode* LastTypeOfKind(xmlNode* templates, TemplateKind kind)
{
    xmlNode* last = nullptr;
    for (xmlNode* child : ElementChildren(templates)) {
        TemplateKind childKind;
        if (TypeIndex::KindOfElement(child, childKind) && childKind == kind) last = child;
    }
    return last;
}

}  // namespace

SaveOutcome CVarnholtDoc::OnSaveDocument(const std::string& path, UserInterface& ui)
{
    lastSaveError_.clear();
    if (!tree_) {
        lastSaveError_ = "no document is open";
        return SaveOutcome::Failed;
    }
    CVerHistDialog dialog;
    if (modified_) {
        VersionInfo info = ProposedVersion(ReadHeaderVersion());
        info.what = "What has been changed";
        info.why = "Why it has been changed";
        dialog.SetValues(info);
        if (!ui.RunDialog(dialog)) return SaveOutcome::Cancelled;
    }
    {
        // What a save writes into the project (its history entry, the types no item
        // uses any more, the options validation filled in) is a step of its own.
        ChangeStep step(changes_, "Save");
        if (modified_) WriteVersionHistory(dialog.Values());
        PurgeUnusedTypes();
        StripReportOptionAttributes();
    }
    if (!SaveXmlAtomically(tree_, path, lastSaveError_)) {
        ui.ShowMessage("Save Document", "Cannot save document to file!", MessageIcon::Error,
                       MessageButtons::Ok);
        return SaveOutcome::Failed;
    }
    SetModifiedFlag(false);
    return SaveOutcome::Saved;
}

std::pair<int, int> CVarnholtDoc::ReadHeaderVersion() const
{
    const xmlNode* header = FindChildElement(Root(), "Header");
    return {ReadVersionNumber(GetAttribute(header, "version")),
            ReadVersionNumber(GetAttribute(header, "revision"))};
}

void CVarnholtDoc::WriteVersionHistory(const VersionInfo& info)
{
    xmlNode* header = FindChildElement(Root(), "Header");
    if (!header) return;
    EditSetAttribute(header, "toolID", "Orlemar Varnholt");
    EditSetAttribute(header, "version", std::to_string(info.version));
    EditSetAttribute(header, "revision", std::to_string(info.revision));
    xmlNode* history = FindChildElement(header, "History");
    if (!history) {
        history = NewElement(header, "History");
        if (!history) return;
        EditInsert(header, nullptr, history);
    }
    xmlNode* item = NewElement(header, "Hitem",
                               {{"version", std::to_string(info.version)}, {"revision", std::to_string(info.revision)},
                                {"when", LocalTimeStamp()}, {"who", info.who}, {"what", info.what}, {"why", info.why}});
    if (!item) return;
    EditInsert(history, nullptr, item);
}

void CVarnholtDoc::PurgeUnusedTypes()
{
    UsedTypeIds used;
    bool answered = false;
    for (DocumentView* view : views_)
        if (view->CollectUsedTypeIds(used)) {
            answered = true;
            break;
        }
    // Without a project tree nothing is known to be unused: keep every type.
    if (!answered) return;
    for (TemplateKind kind : {TemplateKind::LNodeType, TemplateKind::DOType, TemplateKind::DAType,
                              TemplateKind::EnumType}) {
        std::vector<std::string> removed;
        bool anchorRemoved = false;
        for (const auto& [id, element] : types_.Entries(kind)) {
            if (used[kind].Contains(id)) continue;
            anchorRemoved = anchorRemoved || types_.Anchor(kind) == element;
            EditRemove(element);
            removed.push_back(id);
        }
        for (const std::string& id : removed) types_.Erase(kind, id);
        if (anchorRemoved) types_.SetAnchor(kind, LastTypeOfKind(types_.TemplatesElement(), kind));
    }
}

void CVarnholtDoc::StripReportOptionAttributes()
{
    xmlNode* root = Root();
    if (std::strcmp(GetAttribute(root, "version"), "2008") >= 0) return;
    // Only what validation filled in: an option the file or the user gave is part of
    // the report's meaning.
    for (const auto& [element, name] : ReportOptionPlaces(root)) {
        if (IsFilledInByValidation(xmlHasNsProp(element, Xml(name), nullptr))) EditRemoveAttribute(element, name);
    }
}
