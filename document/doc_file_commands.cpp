// The File menu's flows around the document operations: the question about unsaved
// changes, the file dialogs, and telling the views about a new tree.
#include "document/varnholt_doc.h"

namespace {

FileDialogRequest DocumentFileRequest(const std::string& title, const std::string& initialName)
{
    FileDialogRequest request;
    request.title = title;
    request.filter = CVarnholtDoc::DocumentFilter();
    request.defaultExtension = CVarnholtDoc::DocumentExtension();
    request.initialName = initialName;
    return request;
}

}  // namespace

bool CVarnholtDoc::SaveModified(UserInterface& ui)
{
    if (!modified_) return true;
    std::string text = "Save changes to " + title_ + "?";
    switch (ui.ShowMessage("Varnholt", text, MessageIcon::Warning, MessageButtons::YesNoCancel)) {
    case MessageAnswer::Yes:
        return DoSave(pathName_, pathName_.empty(), ui);
    case MessageAnswer::No:
        return true;
    default:
        return false;
    }
}

bool CVarnholtDoc::OnFileNew(UserInterface& ui, SclEdition edition)
{
    if (!SaveModified(ui)) return false;
    pathName_.clear();
    title_ = "Untitled";
    OnNewDocument(edition);
    for (DocumentView* view : std::vector<DocumentView*>(views_)) view->OnInitialUpdate();
    return true;
}

bool CVarnholtDoc::OnFileOpen(UserInterface& ui)
{
    if (!SaveModified(ui)) return false;
    std::optional<std::string> path = ui.AskOpenFileName(DocumentFileRequest("Open", ""));
    // Abandoning the open keeps the current document exactly as it was, including an
    // unsaved modification the person chose not to save yet.
    if (!path) return false;
    return LoadDocument(*path, ui);
}

bool CVarnholtDoc::OpenDocumentFile(const std::string& path, UserInterface& ui)
{
    if (!SaveModified(ui)) return false;
    return LoadDocument(path, ui);
}

bool CVarnholtDoc::LoadDocument(const std::string& path, UserInterface& ui)
{
    if (!OnOpenDocument(path, ui)) return false;
    SetPathName(path);
    SetModifiedFlag(false);
    BusyScope busy(ui);
    ui.ShowProgress("Building the project tree...", 70);
    for (DocumentView* view : std::vector<DocumentView*>(views_)) view->OnInitialUpdate();
    TellFileUsed();
    return true;
}

// Every open and save that succeeds ends here, also the save that the question about
// unsaved changes leads to.
void CVarnholtDoc::TellFileUsed()
{
    for (DocumentView* view : std::vector<DocumentView*>(views_)) view->OnFileUsed(pathName_);
}

bool CVarnholtDoc::OnFileSave(UserInterface& ui)
{
    return DoSave(pathName_, pathName_.empty(), ui);
}

bool CVarnholtDoc::OnFileSaveAs(UserInterface& ui)
{
    return DoSave(pathName_, true, ui);
}

bool CVarnholtDoc::DoSave(const std::string& path, bool askForPath, UserInterface& ui)
{
    std::string target = path;
    if (askForPath) {
        std::string initial = pathName_.empty() ? title_ + DocumentExtension() : pathName_;
        std::optional<std::string> chosen = ui.AskSaveFileName(DocumentFileRequest("Save As", initial));
        if (!chosen) return false;
        target = *chosen;
    }
    // A cancelled version history is no save: the command that asked for it stops.
    if (OnSaveDocument(target, ui) != SaveOutcome::Saved) return false;
    if (askForPath) SetPathName(target);
    TellFileUsed();
    return true;
}
