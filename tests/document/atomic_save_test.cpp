#include "core_fixture.h"
#include "document/atomic_save.h"

#include <grp.h>
#include <pwd.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <utility>

// The signal that the next truncation of a file, or the next write to a file, raises
// first, in a process of these tests.
int signalAtTruncate = 0, signalAtWrite = 0;

extern "C" int ftruncate(int fd, off_t length)
{
    if (signalAtTruncate) raise(std::exchange(signalAtTruncate, 0));
    return static_cast<int>(syscall(SYS_ftruncate, fd, length));
}

extern "C" ssize_t write(int fd, const void* buffer, size_t count)
{
    if (signalAtWrite) raise(std::exchange(signalAtWrite, 0));
    return syscall(SYS_write, fd, buffer, count);
}

namespace {

// The ordinary user the saves run as when the tests run as root.
const passwd* const kNobody = getpwnam("nobody");

bool BecomeOrdinaryUser()
{
    return geteuid() != 0 ||
           (setgroups(0, nullptr) == 0 && setgid(kNobody->pw_gid) == 0 && setuid(kNobody->pw_uid) == 0);
}

// The signal that a write reaching the file-size limit raises in the child.
int endingSignal = 0;
void RaiseEndingSignal(int)
{
    raise(endingSignal);
}

// How a write that reaches the file-size limit ends. kFull: it fails as on a full disk;
// SIGXFSZ: the limit's own signal, left to its default action; any other signal ends the
// process in the middle of the write.
constexpr int kFull = -1;

enum class Owners { Own, RootSavesTheirs, TheySaveRoots };  // the last two only as root
// What p.scd is before the save; a file of fileMode, and perhaps a second name for it
// (LargeHardLinked: and longer than the file-size limit).
enum class Kind { File, HardLinked, LargeHardLinked, SymLinked, Fifo, LinkToFifo, Dangling, Loop, Folder };

// Name, type, mode, owner and links of each entry of `folder`, with the content of p.scd.
std::string Entries(const std::string& folder)
{
    std::string text;
    for (const std::string& name : NamesIn(folder)) {
        struct stat info {};
        lstat((folder + "/" + name).c_str(), &info);
        text += name + " " + std::to_string(info.st_mode) + " " + std::to_string(info.st_uid) + ":" +
                std::to_string(info.st_gid) + " " + std::to_string(info.st_nlink) + "\n";
        if (name == "p.scd" && S_ISREG(info.st_mode)) text += ReadFileText(folder + "/" + name) + "\n";
    }
    return text;
}

TEST(AtomicSave, TheFileIsReplacedWholeWrittenInPlaceOrLeftAlone)
{
    TempDir dir;
    TreePtr tree = ParsedTree(SclDocument("<Substation name=\"S1\"/>"));
    std::string reason;
    ASSERT_TRUE(SaveXmlAtomically(tree.get(), dir.File("expected.scd"), reason)) << reason;
    const std::string saved = ReadFileText(dir.File("expected.scd"));
    auto inodeOf = [](const std::string& path) { struct stat s {}; return stat(path.c_str(), &s) == 0 ? s.st_ino : 0; };
    const bool root = geteuid() == 0;
    ASSERT_TRUE(!root || (kNobody && chmod(dir.path().c_str(), 0711) == 0));
    const std::string ownIds = root ? std::to_string(kNobody->pw_uid) + ":" + std::to_string(kNobody->pw_gid)
                                    : std::to_string(geteuid()) + ":" + std::to_string(getegid());
    const struct {
        const char* name;
        Kind kind;
        mode_t fileMode, folderMode;  // fileMode 0: no file
        int ending;  // 0: the write runs to its end
        bool unnamed;  // unnamed temporary files allowed
        std::string outcome;  // or the signal that ended the process
        Owners owners = Owners::Own;
    } rows[] = {
        {"file replaced", Kind::File, 0604, 0755, 0, true, "saved as a new file"},
        {"new file", Kind::File, 0, 0755, 0, true, "saved as a new file"},
        {"file its owner made read-only", Kind::File, 0444, 0755, 0, true, "permission denied"},
        {"writable file in a read-only folder", Kind::File, 0640, 0555, 0, true, "saved in place"},
        {"new file in a read-only folder", Kind::File, 0, 0555, 0, true, "permission denied"},
        {"file with a second name", Kind::HardLinked, 0640, 0755, 0, true, "saved in place"},
        {"file saved through a symbolic link", Kind::SymLinked, 0640, 0755, 0, false, "saved as a new file"},
        {"another user's file saved by root", Kind::File, 0604, 0755, 0, true, "saved as a new file",
         Owners::RootSavesTheirs},
        {"root's file in a shared folder with the sticky bit", Kind::File, 0666, 01777, 0, true, "saved in place",
         Owners::TheySaveRoots},
        {"FIFO", Kind::Fifo, 0, 0755, 0, true, "not a regular file"},
        {"link to a FIFO", Kind::LinkToFifo, 0, 0755, 0, true, "not a regular file"},
        {"folder", Kind::Folder, 0, 0755, 0, true, "not a regular file"},
        {"dangling link", Kind::Dangling, 0, 0755, 0, true, "dangling symbolic link"},
        {"link to itself", Kind::Loop, 0, 0755, 0, true, "too many levels of symbolic links"},
        {"full disk", Kind::File, 0640, 0755, kFull, false, "file too large"},
        {"full disk, file with a second name", Kind::HardLinked, 0640, 0755, kFull, true, "file too large"},
        {"full disk, file with a second name longer than the limit", Kind::LargeHardLinked, 0640, 0755, kFull, true,
         "file too large"},
        {"SIGKILL while an unnamed file is written", Kind::File, 0640, 0755, SIGKILL, true, "KILL"},
        {"SIGTERM while a named file is written", Kind::File, 0640, 0755, SIGTERM, false, "TERM"},
        {"the file-size limit itself", Kind::File, 0640, 0755, SIGXFSZ, false, "file too large"},
    };
    for (const auto& row : rows) {
        if (row.owners != Owners::Own && !root) continue;
        SCOPED_TRACE(row.name);
        const std::string folder = dir.File(row.name), target = folder + "/p.scd", second = folder + "/second.scd";
        // Longer than what is saved; within the 64-byte file-size limit of the rows that set it,
        // except where the row is about a larger file.
        const std::string old =
            row.ending && row.kind != Kind::LargeHardLinked ? "the only copy" : std::string(1000, 'x');
        ASSERT_EQ(mkdir(folder.c_str(), 0755), 0);
        if (row.fileMode) WriteFileText(target, old);
        ASSERT_TRUE(!row.fileMode || chmod(target.c_str(), row.fileMode) == 0);
        const bool hardLinked = row.kind == Kind::HardLinked || row.kind == Kind::LargeHardLinked;
        ASSERT_TRUE(!hardLinked || link(target.c_str(), second.c_str()) == 0);
        ASSERT_TRUE(row.kind != Kind::SymLinked || symlink("p.scd", second.c_str()) == 0);
        ASSERT_TRUE(row.kind != Kind::Fifo || mkfifo(target.c_str(), 0644) == 0);
        ASSERT_TRUE(row.kind != Kind::LinkToFifo ||
                    (mkfifo(second.c_str(), 0644) == 0 && symlink("second.scd", target.c_str()) == 0));
        ASSERT_TRUE(row.kind != Kind::Dangling || symlink("missing", target.c_str()) == 0);
        ASSERT_TRUE(row.kind != Kind::Loop || symlink("p.scd", target.c_str()) == 0);
        ASSERT_TRUE(row.kind != Kind::Folder || mkdir(target.c_str(), 0755) == 0);
        // As root, the ordinary user owns the file unless root's is saved, and the folder of their own saves.
        const bool theirs = root && row.owners != Owners::TheySaveRoots;
        ASSERT_TRUE(!theirs || !row.fileMode || chown(target.c_str(), kNobody->pw_uid, kNobody->pw_gid) == 0);
        ASSERT_TRUE(!theirs || row.owners != Owners::Own || chown(folder.c_str(), kNobody->pw_uid, kNobody->pw_gid) == 0);
        const std::string before = Entries(folder);
        const ino_t inode = inodeOf(target);
        ASSERT_EQ(chmod(folder.c_str(), row.folderMode), 0);

        // The child saves, as the ordinary user unless root saves another user's file.
        int fds[2];
        ASSERT_EQ(pipe(fds), 0);
        const pid_t pid = fork();
        if (pid == 0) {
            std::string why = "cannot set up";
            endingSignal = row.ending;
            const rlimit limit{64, 64};
            const auto handler = row.ending == kFull ? SIG_IGN : row.ending == SIGXFSZ ? SIG_DFL : RaiseEndingSignal;
            umask(027);
            AllowUnnamedTemporaryFiles(row.unnamed);
            if ((row.owners == Owners::RootSavesTheirs || BecomeOrdinaryUser()) &&
                (!row.ending || (signal(SIGXFSZ, handler) != SIG_ERR && setrlimit(RLIMIT_FSIZE, &limit) == 0)))
                why = SaveXmlAtomically(tree.get(), row.kind == Kind::SymLinked ? second : target, why) ? "saved" : why;
            _exit(write(fds[1], why.data(), why.size()) < 0 ? 3 : 0);
        }
        close(fds[1]);
        std::string outcome;
        char buffer[256];
        for (ssize_t got; (got = read(fds[0], buffer, sizeof buffer)) > 0;) outcome.append(buffer, static_cast<size_t>(got));
        close(fds[0]);
        int status = -1;
        waitpid(pid, &status, 0);
        if (WIFSIGNALED(status)) outcome = sigabbrev_np(WTERMSIG(status));
        if (outcome == "saved") outcome = inodeOf(target) == inode ? "saved in place" : "saved as a new file";
        EXPECT_EQ(outcome, row.outcome);
        ASSERT_EQ(chmod(folder.c_str(), 0755), 0);
        // A save changes the content only; mode, owner, group and links stay. A new file is
        // the user's, with the mode the umask leaves.
        std::string expected = before;
        if (outcome.starts_with("saved")) {
            expected = row.fileMode ? Replaced(before, old, saved)
                                    : "p.scd " + std::to_string(S_IFREG | 0640) + " " + ownIds + " 1\n" + saved + "\n";
        }
        EXPECT_EQ(Entries(folder), expected);
    }
}

// A file with a second name is overwritten in place. SIGTERM arriving during the write
// of the new content, or between it and the cut of the old tail, ends the process once
// the file is whole.
TEST(AtomicSave, AnEndingSignalWaitsForTheInPlaceWriteToEnd)
{
    for (int* signalAt : {&signalAtWrite, &signalAtTruncate}) {
        SCOPED_TRACE(signalAt == &signalAtWrite ? "at the write" : "at the truncation");
        TempDir dir;
        const std::string target = dir.File("p.scd"), content(100, 'n');
        WriteFileText(target, std::string(150, 'o'));
        ASSERT_EQ(link(target.c_str(), dir.File("second.scd").c_str()), 0);
        const pid_t pid = fork();
        if (pid == 0) {
            std::string reason;
            *signalAt = SIGTERM;
            WriteFileAtomically(target, content, reason);
            _exit(3);
        }
        int status = -1;
        waitpid(pid, &status, 0);
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGTERM) << status;
        EXPECT_EQ(ReadFileText(target), content);
    }
}

}  // namespace
