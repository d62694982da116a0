#include "cli/project_session.h"

#include "cli/commands.h"
#include "cli/project_change.h"
#include "document/varnholt_doc.h"
#include "project_tree/varnholt_view.h"

namespace {

BatchProject* running = nullptr;

}  // namespace

BatchProject* RunningBatch()
{
    return running;
}

void SetRunningBatch(BatchProject* batch)
{
    running = batch;
}

ProjectSession::ProjectSession(const Arguments& arguments, CliUi& ui, std::ostream& err)
{
    if (running) {
        doc_ = &running->doc;
        view_ = &running->view;
        return;
    }
    ownDoc_ = std::make_unique<CVarnholtDoc>();
    ownView_ = std::make_unique<CVarnholtView>(*ownDoc_);
    if (OpenForChange(*ownDoc_, ui, arguments, err) != kExitOk) return;
    doc_ = ownDoc_.get();
    view_ = ownView_.get();
}

ProjectSession::~ProjectSession() = default;
