// One input is one file given to Open: written to disk as it is (gzip-compressed
// input takes the compressed path), opened with every question answered so that the
// open goes on, verified three ways, saved with a version history entry, and removed.
#include "core/varnholt_doc.h"
#include "core/version_history_dialog.h"
#include "goose/verify_goose_inputs.h"
#include "tree/varnholt_view.h"
#include "tree/verify_addresses.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

namespace {

// Goes on after findings, accepts every dialog and confirms every message.
class GoOnUi : public UserInterface {
public:
    MessageAnswer ShowMessage(const std::string&, const std::string&, MessageIcon,
                              MessageButtons buttons) override
    {
        return buttons == MessageButtons::Ok ? MessageAnswer::Ok : MessageAnswer::Yes;
    }
    std::optional<std::string> AskOpenFileName(const FileDialogRequest&) override { return std::nullopt; }
    std::optional<std::string> AskSaveFileName(const FileDialogRequest&) override { return std::nullopt; }
    bool RunDialog(DialogModel& model) override
    {
        if (auto* history = dynamic_cast<CVerHistDialog*>(&model)) return AnswerHistory(*history);
        return true;
    }
    bool SetClipboardText(const std::string&) override { return false; }

private:
    // Keeps the proposed numbers; where the file's header makes them unacceptable,
    // types the smallest acceptable ones instead, as a person would.
    static bool AnswerHistory(CVerHistDialog& dialog)
    {
        dialog.userName = "fuzz";
        if (dialog.Accept().empty()) return true;
        dialog.versionText = std::to_string(CVerHistDialog::kMinVersion);
        dialog.revisionText = std::to_string(CVerHistDialog::kMinRevision);
        return dialog.Accept().empty();
    }
};

struct Scratch {
    std::string folder;
    std::string input;
    std::string output;
};

void RemoveScratch();

// TMPDIR when set; otherwise memory, where the save's fsync calls cost nothing.
std::string ScratchParent()
{
    if (const char* tmp = std::getenv("TMPDIR"); tmp && *tmp) return tmp;
    if (access("/dev/shm", W_OK | X_OK) == 0) return "/dev/shm";
    return "/tmp";
}

const Scratch& TheScratch()
{
    // Never destroyed: RemoveScratch reads it at exit.
    static const Scratch& scratch = *[] {
        std::string pattern = ScratchParent() + "/varnholt-fuzz-XXXXXX";
        if (!mkdtemp(pattern.data())) {
            std::perror("varnholt fuzz: mkdtemp");
            std::abort();
        }
        std::atexit(RemoveScratch);
        return new Scratch{pattern, pattern + "/input.scd", pattern + "/saved.scd"};
    }();
    return scratch;
}

void RemoveScratch()
{
    const Scratch& scratch = TheScratch();
    unlink(scratch.input.c_str());
    unlink(scratch.output.c_str());
    rmdir(scratch.folder.c_str());
}

bool WriteWhole(const std::string& path, const uint8_t* data, size_t size)
{
    int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0) return false;
    size_t done = 0;
    while (done < size) {
        ssize_t written = write(fd, data + done, size - done);
        if (written <= 0) break;
        done += static_cast<size_t>(written);
    }
    return close(fd) == 0 && done == size;
}

// One document for the whole run, as in the desktop program: compiling the built-in
// schema costs more than most inputs. Never destroyed, so no order of exit matters.
CVarnholtDoc& TheDocument()
{
    static CVarnholtDoc& doc = *new CVarnholtDoc;
    return doc;
}

void OpenVerifySave(CVarnholtDoc& doc, const Scratch& scratch)
{
    CVarnholtView view(doc);
    GoOnUi ui;
    if (!doc.OpenDocumentFile(scratch.input, ui)) return;
    std::vector<std::string> lines;
    doc.VerifySyntax(lines);
    VerifyAddresses(view);
    VerifyGooseInputs(view);
    doc.SetModifiedFlag(true);
    doc.OnSaveDocument(scratch.output, ui);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const Scratch& scratch = TheScratch();
    if (!WriteWhole(scratch.input, data, size)) {
        std::perror("varnholt fuzz: writing the input");
        std::abort();
    }
    CVarnholtDoc& doc = TheDocument();
    OpenVerifySave(doc, scratch);
    // Nothing of this input is left for the next one but the compiled schema.
    doc.OnCloseDocument();
    unlink(scratch.input.c_str());
    unlink(scratch.output.c_str());
    return 0;
}
