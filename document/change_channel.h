#pragma once
#include <libxml/tree.h>

#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The one way the project's XML tree is changed. Every edit is recorded with what it
// takes to reverse it; the edits of one command form a named step that Undo takes back
// and Redo makes again, in order. A step keeps only the nodes and values it changed, so
// it costs memory in proportion to the change, not to the document.
//
// Nodes an edit takes out of the tree stay alive while a step refers to them, so that
// pointers held by the steps stay valid; they are freed when the steps that keep them
// are dropped (a new step after an undo, Clear, or the end of the channel).
class ChangeChannel {
public:
    ChangeChannel();
    ChangeChannel(const ChangeChannel&) = delete;
    ChangeChannel& operator=(const ChangeChannel&) = delete;
    ~ChangeChannel();

    // Opens a step; the edits until the matching EndStep belong to it. Steps opened
    // inside an open step join it (the outer name stands). An edit outside any step is
    // a step of its own, named "Edit".
    void BeginStep(std::string name);
    // The open step checked what it changed itself: the step-end observer is not called.
    void CheckedByItself() { checkedByItself_ = true; }
    // Called when an outermost step opens, before its first edit: the owner notes what it
    // knows of the state the step starts from.
    void OnStepBegins(std::function<void()> observer) { stepBegins_ = std::move(observer); }
    // Called when an outermost step that made edits is about to close, while it is still
    // open (OpenStepTouched tells what it touched).
    void OnStepEnds(std::function<void()> observer) { stepEnds_ = std::move(observer); }
    // Closes the step opened last. The outermost one becomes the newest undoable step
    // (a step without edits is dropped) and every redoable step is dropped.
    void EndStep();
    // Takes back the edits of the open outermost step and closes it: a command that is
    // refused after it began to change the tree leaves the tree as it was.
    void AbandonStep();
    bool InStep() const { return depth_ > 0; }

    // What the edits of the open step touched, for checking only that: the elements whose
    // attributes changed, and the elements whose children changed (the parents of nodes
    // put in, taken out or with a new text).
    struct Touched {
        std::vector<xmlNode*> attributesOf;
        std::vector<xmlNode*> childrenOf;
        std::vector<xmlNode*> inserted;  // the nodes put in
        std::vector<xmlNode*> removed;   // the nodes taken out
        bool unknown = false;            // some of it was forgotten: anything may have changed
    };
    Touched OpenStepTouched() const;
    // What the Undos and Redos since the last ForgetPlayed touched, for a view that keeps
    // itself in step with the tree.
    const Touched& PlayedTouched() const { return played_; }
    void ForgetPlayed() { played_ = {}; }

    // The edits. Attribute names are without namespace unless `ns` is given.
    void SetAttribute(xmlNode* element, const char* name, std::string_view value, xmlNs* ns = nullptr);
    void RemoveAttribute(xmlNode* element, const char* name, xmlNs* ns = nullptr);
    // Puts `node` (not in any tree) under `parent` before `before`, last when null.
    void Insert(xmlNode* parent, xmlNode* before, xmlNode* node);
    // Takes `node` (element, text or comment) out of the tree.
    void Remove(xmlNode* node);
    // Changes the content of one text node.
    void SetNodeText(xmlNode* textNode, std::string_view text);

    bool CanUndo() const { return done_ > 0; }
    bool CanRedo() const { return done_ < steps_.size(); }
    // The name of the step Undo / Redo would take ("" when none).
    const std::string& UndoName() const;
    const std::string& RedoName() const;
    bool Undo();
    bool Redo();

    // A number that names the current position in the history; equal numbers mean the
    // tree is as it was (for the modified flag: the position of the last save).
    size_t Position() const;

    // Forgets every step (a new or opened document) and frees the nodes they kept.
    void Clear();

    size_t StepCount() const { return steps_.size(); }
    // How many steps were ever made (it only grows).
    size_t StepsMade() const { return nextId_ - 1; }

private:
    struct Record;
    struct Step;

    static void AddTouched(const std::vector<Record>& records, bool undone, Touched& touched);
    void Add(Record record);
    void Play(const Record& record, bool undo);
    void DropUndone();
    void FreeDetached(std::vector<std::unique_ptr<Step>> dropped);

    std::vector<std::unique_ptr<Step>> steps_;
    size_t done_ = 0;  // steps_[0, done_) are done, the rest undone
    std::unique_ptr<Step> open_;
    std::vector<size_t> marks_;  // the record count of the open step at each BeginStep
    std::function<void()> stepBegins_;
    std::function<void()> stepEnds_;
    bool implicitStep_ = false;
    bool checkedByItself_ = false;
    std::vector<xmlAttr*> displaced_;  // attributes that gave way to one a step put back
    Touched played_;
    int depth_ = 0;
    size_t nextId_ = 1;
};

// Opens a step on construction and closes it on destruction, unless Abandon was
// called; for commands with several ways out.
class ChangeStep {
public:
    ChangeStep(ChangeChannel& channel, std::string name) : channel_(channel) { channel_.BeginStep(std::move(name)); }
    ChangeStep(const ChangeStep&) = delete;
    ChangeStep& operator=(const ChangeStep&) = delete;
    ~ChangeStep()
    {
        if (!abandoned_) channel_.EndStep();
    }
    void Abandon()
    {
        if (!abandoned_) channel_.AbandonStep();
        abandoned_ = true;
    }

private:
    ChangeChannel& channel_;
    bool abandoned_ = false;
};
