#pragma once
#include "cli/arguments.h"

#include <iosfwd>
#include <memory>

class CVarnholtDoc;
class CVarnholtView;
class CliUi;

// The project a changing command works on: the file PROJECT opened for the command
// alone (as OpenForChange opens it), or, while a batch runs, the project the batch holds
// open for all its lines, which the batch checks and writes once at its end.
class ProjectSession {
public:
    ProjectSession(const Arguments& arguments, CliUi& ui, std::ostream& err);
    ~ProjectSession();
    ProjectSession(const ProjectSession&) = delete;
    ProjectSession& operator=(const ProjectSession&) = delete;

    bool IsOpen() const { return doc_ != nullptr; }
    CVarnholtDoc& Doc() { return *doc_; }
    CVarnholtView& View() { return *view_; }

private:
    std::unique_ptr<CVarnholtDoc> ownDoc_;
    std::unique_ptr<CVarnholtView> ownView_;
    CVarnholtDoc* doc_ = nullptr;
    CVarnholtView* view_ = nullptr;
};

// The project of the batch that runs, or null.
struct BatchProject {
    CVarnholtDoc& doc;
    CVarnholtView& view;
};
BatchProject* RunningBatch();
void SetRunningBatch(BatchProject* batch);
