#include "document/varnholt_doc.h"

#include "document/embedded_resources.h"
#include "document/tree_edit.h"
#include "document/xml_access.h"
#include "document/xml_parse.h"

#include <libxml/globals.h>
#include <libxml/parser.h>

#include <algorithm>
#include <cstdint>

CVarnholtDoc::LibxmlSetup::LibxmlSetup()
{
    xmlInitParser();
    xmlIndentTreeOutput = 1;
}

CVarnholtDoc::CVarnholtDoc()
    : hiddenElementNames_{"Private", "Header", "History", "DataTypeTemplates"}
{
    // A step starts from the state the last command left, whose verdict is the flag.
    changes_.OnStepBegins([this] { validAt_[changes_.Position()] = valid_; });
    // Every step ends with the verdict on what it changed.
    changes_.OnStepEnds([this] { UpdateValidity(); });
    // A folder that stopped compiling since it was chosen leaves the built-in schemas.
    std::string reason;
    if (!SchemaFolderForDocuments().empty()) schemas_.UseFolder(SchemaFolderForDocuments(), reason);
}

CVarnholtDoc::~CVarnholtDoc()
{
    FreeTree();
    ResetIndexes();
}

// The steps go first: the nodes they keep belong to the tree's document.
void CVarnholtDoc::FreeTree()
{
    changes_.Clear();
    validAt_.clear();
    savedPosition_ = changes_.Position();
    if (tree_) xmlFreeDoc(tree_);
    tree_ = nullptr;
}

void CVarnholtDoc::SetModifiedFlag(bool modified)
{
    modified_ = modified;
    if (!modified) savedPosition_ = changes_.Position();
    // A command that changed the tree outside the change channel made no step: the
    // steps before it could no longer be taken back safely.
    if (modified && !changes_.InStep() && changes_.StepsMade() == stepsMadeAtLastChange_) {
        changes_.Clear();
        validAt_.clear();
        savedPosition_ = SIZE_MAX;  // no state left in the history is the saved one
    }
    stepsMadeAtLastChange_ = changes_.StepsMade();
}

bool CVarnholtDoc::Undo()
{
    return MoveInHistory(changes_.CanUndo(), [this] { changes_.Undo(); });
}

bool CVarnholtDoc::Redo()
{
    return MoveInHistory(changes_.CanRedo(), [this] { changes_.Redo(); });
}

bool CVarnholtDoc::MoveInHistory(bool possible, const std::function<void()>& move)
{
    if (!possible || changes_.InStep()) return false;
    for (DocumentView* view : std::vector<DocumentView*>(views_)) view->OnHistoryMoving();
    validAt_[changes_.Position()] = valid_;
    move();
    AfterHistoryMove();
    return true;
}

// The tree is back at another step of its history: the type index is built again, the
// views follow, the checks run again, and it is modified unless at the saved step.
void CVarnholtDoc::AfterHistoryMove()
{
    types_.Clear();
    types_.Build(FindChildElement(Root(), "DataTypeTemplates"));
    // A state the history was in before was checked then; only a new one is checked now.
    if (auto known = validAt_.find(changes_.Position()); known != validAt_.end())
        valid_ = known->second;
    else
        UpdateValidity();
    modified_ = changes_.Position() != savedPosition_;
    for (DocumentView* view : std::vector<DocumentView*>(views_)) view->OnHistoryMoved();
    changes_.ForgetPlayed();
}

void CVarnholtDoc::AddView(DocumentView* view)
{
    if (std::find(views_.begin(), views_.end(), view) == views_.end()) views_.push_back(view);
}

void CVarnholtDoc::RemoveView(DocumentView* view)
{
    views_.erase(std::remove(views_.begin(), views_.end(), view), views_.end());
}

void CVarnholtDoc::UpdateAllViews(DocumentView* sender)
{
    for (DocumentView* view : std::vector<DocumentView*>(views_))
        if (view != sender) view->OnUpdate(sender);
}

bool CVarnholtDoc::HasIED() const
{
    return FindChildElement(Root(), "IED") != nullptr;
}

bool CVarnholtDoc::IsHiddenElement(std::string_view name) const
{
    return std::find(hiddenElementNames_.begin(), hiddenElementNames_.end(), name) !=
           hiddenElementNames_.end();
}

bool CVarnholtDoc::Validate(xmlDoc* tree)
{
    const xmlNode* root = xmlDocGetRootElement(tree);
    if (schemas_.For(root).Validate(tree, validationLog_)) return true;
    std::vector<std::string> checkedAgainst = schemas_.CheckedAgainstLines(root);
    validationLog_.insert(validationLog_.begin(), checkedAgainst.begin(), checkedAgainst.end());
    return false;
}

bool CVarnholtDoc::ValidateElement(xmlNode* element)
{
    if (!valid_) return true;
    return WithoutDefaults([&] { return schemas_.For(Root()).ValidateElement(element); });
}

// The project's own checks after it was opened write nothing into it: every change of
// the tree is a step of its history, which an undo gives back byte for byte. Defaults
// are written when a file is read.
bool CVarnholtDoc::WithoutDefaults(const std::function<bool()>& check)
{
    const bool writes = schemas_.WritesDefaults();
    schemas_.SetWriteDefaults(false);
    const bool result = check();
    schemas_.SetWriteDefaults(writes);
    return result;
}

std::string CVarnholtDoc::EditionIndicatorText() const
{
    return schemas_.Folder().empty() ? EditionName(Edition()) : "SCL.xsd";
}

void CVarnholtDoc::ResetIndexes()
{
    types_.Clear();
    records_.Clear();
    ++recordsGeneration_;
}

void CVarnholtDoc::AdoptTree(xmlDoc* tree, bool valid)
{
    FreeTree();
    ResetIndexes();
    tree_ = tree;
    RegisterChannel(tree_, &changes_);
    valid_ = valid;
    modified_ = false;
    types_.Build(FindChildElement(Root(), "DataTypeTemplates"));
}

bool CVarnholtDoc::OnNewDocument(SclEdition edition)
{
    FreeTree();
    ResetIndexes();
    modified_ = false;
    xmlDoc* tree = ParseXmlMemory(BuiltInTemplateText(), "new_project.scd", nullptr);
    if (!tree) return true;  // commands find no tree
    xmlSetDocCompressMode(tree, 0);
    tree_ = tree;
    RegisterChannel(tree_, &changes_);
    if (edition != SclEdition::Ed2003) DeclareEdition(Root(), edition);
    valid_ = Validate(tree_);
    // The template's DataTypeTemplates is empty: the index stays empty.
    types_.SetTemplatesElement(FindChildElement(Root(), "DataTypeTemplates"));
    return true;
}

void CVarnholtDoc::OnCloseDocument()
{
    FreeTree();
    ResetIndexes();
    modified_ = false;
    pathName_.clear();
    title_ = "Untitled";
}

void CVarnholtDoc::SetPathName(const std::string& path)
{
    pathName_ = path;
    size_t slash = path.find_last_of('/');
    title_ = slash == std::string::npos ? path : path.substr(slash + 1);
}
