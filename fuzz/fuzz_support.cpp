#include "fuzz/fuzz_support.h"

#include "document/varnholt_doc.h"
#include "document/version_history_dialog.h"
#include "import/add_ied_dialog.h"

#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

namespace {

// Keeps the proposed numbers; where the file's header makes them unacceptable, types
// the smallest acceptable ones instead, as a person would.
bool AnswerHistory(CVerHistDialog& dialog)
{
    dialog.userName = "fuzz";
    if (dialog.Accept().empty()) return true;
    dialog.versionText = std::to_string(CVerHistDialog::kMinVersion);
    dialog.revisionText = std::to_string(CVerHistDialog::kMinRevision);
    return dialog.Accept().empty();
}

// Keeps the proposed IED and subnetwork; a name the project already has gives way to
// the first free one of Fuzz1, Fuzz2, ...
bool AnswerAddIED(CAddIEDDialog& dialog)
{
    for (int number = 1; number <= 1000 && !dialog.Accept().empty(); ++number)
        dialog.iedName = "Fuzz" + std::to_string(number);
    return dialog.Accept().empty();
}

void RemoveScratch();

// TMPDIR when set; otherwise memory, where the save's fsync calls cost nothing.
std::string ScratchParent()
{
    if (const char* tmp = std::getenv("TMPDIR"); tmp && *tmp) return tmp;
    if (access("/dev/shm", W_OK | X_OK) == 0) return "/dev/shm";
    return "/tmp";
}

const std::string& ScratchFolder()
{
    // Never destroyed: RemoveScratch reads it at exit.
    static const std::string& folder = *[] {
        std::string pattern = ScratchParent() + "/varnholt-fuzz-XXXXXX";
        if (!mkdtemp(pattern.data())) {
            std::perror("varnholt fuzz: mkdtemp");
            std::abort();
        }
        std::atexit(RemoveScratch);
        return new std::string(pattern);
    }();
    return folder;
}

void RemoveScratch()
{
    ClearScratch();
    rmdir(ScratchFolder().c_str());
}

}  // namespace

MessageAnswer GoOnUi::ShowMessage(const std::string&, const std::string&, MessageIcon, MessageButtons buttons)
{
    return buttons == MessageButtons::Ok ? MessageAnswer::Ok : MessageAnswer::Yes;
}

bool GoOnUi::RunDialog(DialogModel& model)
{
    if (auto* history = dynamic_cast<CVerHistDialog*>(&model)) return AnswerHistory(*history);
    if (auto* addIED = dynamic_cast<CAddIEDDialog*>(&model)) return AnswerAddIED(*addIED);
    return true;
}

std::string ScratchFile(const std::string& name)
{
    return ScratchFolder() + "/" + name;
}

void ClearScratch()
{
    DIR* dir = opendir(ScratchFolder().c_str());
    if (!dir) return;
    while (const dirent* entry = readdir(dir)) {
        const std::string name = entry->d_name;
        if (name != "." && name != "..") unlink(ScratchFile(name).c_str());
    }
    closedir(dir);
}

void WriteScratchFile(const std::string& path, std::string_view bytes)
{
    int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    size_t done = 0;
    while (fd >= 0 && done < bytes.size()) {
        ssize_t written = write(fd, bytes.data() + done, bytes.size() - done);
        if (written <= 0) break;
        done += static_cast<size_t>(written);
    }
    if (fd < 0 || close(fd) != 0 || done != bytes.size()) {
        std::perror(("varnholt fuzz: writing " + path).c_str());
        std::abort();
    }
}

CVarnholtDoc& TheDocument()
{
    static CVarnholtDoc& doc = *new CVarnholtDoc;
    return doc;
}

std::optional<std::pair<std::string_view, std::string_view>> SplitInput(const uint8_t* data, size_t size)
{
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const size_t at = input.find(kFileSeparator);
    if (at == std::string_view::npos) return std::nullopt;
    return std::pair{input.substr(0, at), input.substr(at + kFileSeparator.size())};
}
