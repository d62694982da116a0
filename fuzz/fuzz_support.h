#pragma once
// What the fuzz targets share: a scratch folder for the files an input is split into,
// an interface that answers every question so that a command goes on, the document
// kept for the whole run, and the split of one input into two files.
#include "document/user_interface.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

class CVarnholtDoc;

// Goes on after findings, accepts every dialog and confirms every message.
class GoOnUi : public UserInterface {
public:
    MessageAnswer ShowMessage(const std::string&, const std::string&, MessageIcon, MessageButtons buttons) override;
    std::optional<std::string> AskOpenFileName(const FileDialogRequest&) override { return std::nullopt; }
    std::optional<std::string> AskSaveFileName(const FileDialogRequest&) override { return std::nullopt; }
    bool RunDialog(DialogModel& model) override;
    bool SetClipboardText(const std::string&) override { return false; }
};

// The path of `name` in this process's scratch folder, which is made on first use
// (in TMPDIR, else /dev/shm, else /tmp) and removed at exit.
std::string ScratchFile(const std::string& name);
// Removes every file of the scratch folder: nothing of one input is left for the next.
void ClearScratch();
// Writes the bytes as `path`'s whole content; aborts the run when that fails.
void WriteScratchFile(const std::string& path, std::string_view bytes);

// One document for the whole run, as in the desktop program: compiling the built-in
// schema costs more than most inputs. Never destroyed, so no order of exit matters.
CVarnholtDoc& TheDocument();

// Between the two files of one input; no XML file holds a NUL byte.
inline constexpr std::string_view kFileSeparator{"\0==\0", 4};
// The input before and after the first separator; nothing when it has none.
std::optional<std::pair<std::string_view, std::string_view>> SplitInput(const uint8_t* data, size_t size);
