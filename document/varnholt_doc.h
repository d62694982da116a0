#pragma once
#include "document/change_channel.h"
#include "document/document_view.h"
#include "document/edition_schemas.h"
#include "document/item_record_list.h"
#include "document/type_index.h"
#include "document/user_interface.h"
#include "document/version_history_dialog.h"

#include <libxml/tree.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

enum class SaveOutcome { Saved, Cancelled, Failed };

// The one open SCL project: its XML tree, the schemas of the editions, the index of its data
// type templates, the records of the project tree's items, and the modified and
// valid flags that the status bar shows.
class CVarnholtDoc {
public:
    CVarnholtDoc();
    CVarnholtDoc(const CVarnholtDoc&) = delete;
    CVarnholtDoc& operator=(const CVarnholtDoc&) = delete;
    ~CVarnholtDoc();

    // --- views ---
    void AddView(DocumentView* view);
    void RemoveView(DocumentView* view);
    void UpdateAllViews(DocumentView* sender);

    // --- framework state ---
    const std::string& PathName() const { return pathName_; }
    const std::string& Title() const { return title_; }
    bool IsModified() const { return modified_; }
    // Clearing the flag marks the current step of the history as the saved one.
    void SetModifiedFlag(bool modified = true);
    bool IsValid() const { return valid_; }
    void SetValidFlag(bool valid) { valid_ = valid; }
    const char* ModifiedIndicatorText() const { return modified_ ? "MOD" : ""; }
    const char* ValidityIndicatorText() const { return valid_ ? "VALID" : "INVALID"; }

    // --- the history of changes ---
    // Every change of the tree goes through the channel, in named steps.
    ChangeChannel& Changes() { return changes_; }
    const ChangeChannel& Changes() const { return changes_; }
    // Take back / make again the newest step; the views are built again from the tree.
    bool Undo();
    bool Redo();

    // --- the XML tree ---
    xmlDoc* XmlTree() const { return tree_; }
    xmlNode* Root() const { return tree_ ? xmlDocGetRootElement(tree_) : nullptr; }
    xmlNode* TemplatesElement() const { return types_.TemplatesElement(); }
    bool HasIED() const;  // some child of the root is named IED

    const std::vector<std::string>& HiddenElementNames() const { return hiddenElementNames_; }
    bool IsHiddenElement(std::string_view name) const;

    // --- data type templates ---
    xmlNode* FindLNodeType(std::string_view id) const { return types_.Find(TemplateKind::LNodeType, id); }
    xmlNode* FindDOType(std::string_view id) const { return types_.Find(TemplateKind::DOType, id); }
    xmlNode* FindDAType(std::string_view id) const { return types_.Find(TemplateKind::DAType, id); }
    xmlNode* FindEnumType(std::string_view id) const { return types_.Find(TemplateKind::EnumType, id); }
    TypeIndex& Types() { return types_; }
    const TypeIndex& Types() const { return types_; }

    // --- schema ---
    bool Validate(xmlDoc* tree);
    bool ValidateElement(xmlNode* element);
    std::vector<std::string>& ValidationLog() { return validationLog_; }
    // What the checks of the last open found (schema, then dataset references), as
    // Verify Syntax would list it for the file as read.
    const std::vector<std::string>& OpenFindings() const { return openFindings_; }
    bool HasUsableSchema() { return schemas_.For(Root()).IsUsable(); }
    // A check that only reads a file may leave the schema's defaults out of its tree.
    void SetWriteSchemaDefaults(bool write) { schemas_.SetWriteDefaults(write); }
    // The schemas of the editions, or the user's schema folder.
    EditionSchemas& Schemas() { return schemas_; }
    // The edition the project's root declares ("2003" for a document without one).
    SclEdition Edition() const { return EditionOfRoot(Root()); }
    // What the status bar shows beside the valid flag: the edition whose schema checks
    // the project, or "SCL.xsd" when the user's schema folder does.
    std::string EditionIndicatorText() const;

    // --- records of the project tree's items ---
    TreeItemRecord* CreateItemRecord(xmlNode* node, int32_t kind) { return records_.Create(node, kind); }
    std::unique_ptr<TreeItemRecord> RemoveItemRecord(TreeItemRecord* record) { return records_.Remove(record); }
    size_t ItemRecordCount() const { return records_.size(); }
    // Changes whenever ResetIndexes discards all records, so that a view can tell
    // whether the records its items point to still exist.
    uint64_t RecordsGeneration() const { return recordsGeneration_; }
    void ResetIndexes();

    // --- document operations ---
    // A project from the built-in template, declaring `edition`.
    bool OnNewDocument(SclEdition edition = SclEdition::Ed2003);
    bool OnOpenDocument(const std::string& path, UserInterface& ui);
    // Why the last open could not read its file ("" when it could).
    const std::string& LastReadError() const { return lastReadError_; }
    SaveOutcome OnSaveDocument(const std::string& path, UserInterface& ui);
    // Why the last save failed ("" when it did not).
    const std::string& LastSaveError() const { return lastSaveError_; }
    void OnCloseDocument();
    std::pair<int, int> ReadHeaderVersion() const;
    void WriteVersionHistory(const VersionInfo& info);
    void PurgeUnusedTypes();
    void StripReportOptionAttributes();

    // Makes `tree` the document's tree (taking ownership) with the given valid flag
    // and indexes its data type templates, as a successful open does.
    void AdoptTree(xmlDoc* tree, bool valid);

    // --- commands of the File menu ---
    // Asks "Save changes to %1?" when modified; false when the caller must stop.
    bool SaveModified(UserInterface& ui);
    bool OnFileNew(UserInterface& ui, SclEdition edition = SclEdition::Ed2003);
    bool OnFileOpen(UserInterface& ui);
    // Opens `path` after asking about unsaved changes (recent files, command line).
    bool OpenDocumentFile(const std::string& path, UserInterface& ui);
    bool OnFileSave(UserInterface& ui);
    bool OnFileSaveAs(UserInterface& ui);

    // Verify, Syntax.
    void OnVerifySyntax(UserInterface& ui);
    // Checks files against the SCL.xsd of `folder` from now on ("" returns to the
    // built-in schemas) and checks the project again. A folder whose schema does not
    // compile is refused in a message with libxml2's reason and changes nothing.
    bool UseSchemaFolder(const std::string& folder, UserInterface& ui);
    // Runs the schema and dataset reference checks and returns their lines.
    bool VerifySyntax(std::vector<std::string>& lines);
    // The verdict on the project as it now is, after a change: the schema check and
    // the dataset references. Sets the valid flag and returns it.
    bool UpdateValidity();

    static const char* DocumentFilter() { return "Varnholt Files (*.SCD)|*.SCD|All Files (*.*)|*.*||"; }
    static const char* DocumentExtension() { return ".SCD"; }

private:
    bool DoSave(const std::string& path, bool askForPath, UserInterface& ui);
    void FreeTree();
    bool MoveInHistory(bool possible, const std::function<void()>& move);
    void AfterHistoryMove();
    bool WithoutDefaults(const std::function<bool()>& check);
    bool LoadDocument(const std::string& path, UserInterface& ui);
    void TellFileUsed();
    void SetPathName(const std::string& path);

    struct LibxmlSetup {
        LibxmlSetup();
    };
    LibxmlSetup libxmlSetup_;  // first member: libxml2 is set up before a schema loads
    EditionSchemas schemas_;
    xmlDoc* tree_ = nullptr;
    ChangeChannel changes_;
    size_t savedPosition_ = 0;
    size_t stepsMadeAtLastChange_ = 0;
    std::unordered_map<size_t, bool> validAt_;  // the valid flag of states of the history
    TypeIndex types_;
    ItemRecordList records_;
    std::vector<std::string> hiddenElementNames_;
    std::vector<std::string> validationLog_;
    std::vector<std::string> openFindings_;
    std::vector<DocumentView*> views_;
    std::string lastReadError_;
    std::string lastSaveError_;
    std::string pathName_;
    std::string title_ = "Untitled";
    uint64_t recordsGeneration_ = 0;
    bool modified_ = false;
    bool valid_ = true;
};
