#include "core/atomic_save.h"
#include "core_fixture.h"

#include <grp.h>
#include <pwd.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>

namespace {

struct stat StatOf(const std::string& path)
{
    struct stat info {};
    EXPECT_EQ(stat(path.c_str(), &info), 0) << path;
    return info;
}

// The ordinary user the saves run as when the tests run as root.
const passwd* const kNobody = getpwnam("nobody");

bool BecomeOrdinaryUser()
{
    return geteuid() != 0 ||
           (setgroups(0, nullptr) == 0 && setgid(kNobody->pw_gid) == 0 && setuid(kNobody->pw_uid) == 0);
}

// Runs `body` in a child process: what it returns, and how the process ended.
std::pair<std::string, int> InChild(const std::function<std::string()>& body)
{
    int fds[2];
    if (pipe(fds) != 0) return {"no pipe", -1};
    const pid_t pid = fork();
    if (pid == 0) {
        const std::string report = body();
        _exit(write(fds[1], report.data(), report.size()) < 0 ? 3 : 0);
    }
    close(fds[1]);
    std::string text;
    char buffer[256];
    for (ssize_t got; (got = read(fds[0], buffer, sizeof buffer)) > 0;) text.append(buffer, static_cast<size_t>(got));
    close(fds[0]);
    int status = -1;
    if (pid > 0) waitpid(pid, &status, 0);
    return {text, status};
}

// The signal that a write reaching the file-size limit raises in the child.
int endingSignal = 0;
void RaiseEndingSignal(int)
{
    raise(endingSignal);
}

// How a write that reaches the file-size limit ends. kFull: it fails as on a full disk;
// SIGXFSZ: the limit ends the process; any other signal ends it in the middle of the write.
constexpr int kFull = -1;

enum class Owners { Own, RootSavesTheirs, TheySaveRoots };  // the last two only as root
enum class Link { None, Hard, Symbolic };

TEST(AtomicSave, TheFileIsReplacedWholeWrittenInPlaceOrLeftAlone)
{
    TempDir dir;
    TreePtr tree = ParsedTree("<SCL xmlns=\"http://www.iec.ch/61850/2003/SCL\"><Header id=\"p\"/><Substation name=\"S1\"/></SCL>");
    std::string reason;
    ASSERT_TRUE(SaveXmlAtomically(tree.get(), dir.File("expected.scd"), reason)) << reason;
    const std::string saved = ReadFileText(dir.File("expected.scd"));
    const bool root = geteuid() == 0;
    ASSERT_TRUE(!root || (kNobody && chmod(dir.path().c_str(), 0711) == 0));
    const struct {
        const char* name;
        mode_t fileMode, folderMode;  // fileMode 0: no file before the save
        Link link;
        int ending;  // 0: the write runs to its end
        bool unnamed;  // unnamed temporary files allowed
        std::string outcome;  // or the signal that ended the process
        Owners owners = Owners::Own;
    } rows[] = {
        {"file replaced", 0604, 0755, Link::None, 0, true, "saved as a new file"},
        {"new file", 0, 0755, Link::None, 0, true, "saved as a new file"},
        {"file its owner made read-only", 0444, 0755, Link::None, 0, true, "permission denied"},
        {"writable file in a read-only folder", 0640, 0555, Link::None, 0, true, "saved in place"},
        {"new file in a read-only folder", 0, 0555, Link::None, 0, true, "permission denied"},
        {"file with a second name", 0640, 0755, Link::Hard, 0, true, "saved in place"},
        {"file saved through a symbolic link", 0640, 0755, Link::Symbolic, 0, false, "saved as a new file"},
        {"another user's file saved by root", 0604, 0755, Link::None, 0, true, "saved as a new file",
         Owners::RootSavesTheirs},
        {"root's file in a shared folder with the sticky bit", 0666, 01777, Link::None, 0, true, "saved in place",
         Owners::TheySaveRoots},
        {"full disk", 0640, 0755, Link::None, kFull, false, "file too large"},
        {"full disk, file with a second name", 0640, 0755, Link::Hard, kFull, true, "file too large"},
        {"SIGKILL while an unnamed file is written", 0640, 0755, Link::None, SIGKILL, true, "KILL"},
        {"SIGTERM while a named file is written", 0640, 0755, Link::None, SIGTERM, false, "TERM"},
        {"SIGINT while a named file is written", 0640, 0755, Link::None, SIGINT, false, "INT"},
        {"SIGHUP while a named file is written", 0640, 0755, Link::None, SIGHUP, false, "HUP"},
        {"the file-size limit itself", 0640, 0755, Link::None, SIGXFSZ, false, "XFSZ"},
    };
    for (const auto& row : rows) {
        if (row.owners != Owners::Own && !root) continue;
        SCOPED_TRACE(row.name);
        const std::string folder = dir.File(row.name), target = folder + "/p.scd", second = folder + "/second.scd";
        // Longer than what is saved, but within the limit where writes stop at 64 bytes.
        const std::string old = row.ending ? "the only copy" : std::string(1000, 'x');
        ASSERT_EQ(mkdir(folder.c_str(), 0755), 0);
        if (row.fileMode) WriteFileText(target, old);
        ASSERT_TRUE(!row.fileMode || chmod(target.c_str(), row.fileMode) == 0);
        ASSERT_TRUE(row.link != Link::Hard || link(target.c_str(), second.c_str()) == 0);
        ASSERT_TRUE(row.link != Link::Symbolic || symlink("p.scd", second.c_str()) == 0);
        // As root, the ordinary user owns the file unless root's is saved, and the folder of their own saves.
        const bool theirs = root && row.owners != Owners::TheySaveRoots;
        ASSERT_TRUE(!theirs || !row.fileMode || chown(target.c_str(), kNobody->pw_uid, kNobody->pw_gid) == 0);
        ASSERT_TRUE(!theirs || row.owners != Owners::Own || chown(folder.c_str(), kNobody->pw_uid, kNobody->pw_gid) == 0);
        ASSERT_EQ(chmod(folder.c_str(), row.folderMode), 0);
        struct stat before {};
        if (row.fileMode) before = StatOf(target);

        auto [outcome, status] = InChild([&] {
            if (row.owners != Owners::RootSavesTheirs && !BecomeOrdinaryUser()) return std::string("cannot drop root");
            umask(027);
            AllowUnnamedTemporaryFiles(row.unnamed);
            endingSignal = row.ending;
            const rlimit limit{64, 64};
            const auto handler = row.ending == kFull ? SIG_IGN : row.ending == SIGXFSZ ? SIG_DFL : RaiseEndingSignal;
            if (row.ending && (signal(SIGXFSZ, handler) == SIG_ERR || setrlimit(RLIMIT_FSIZE, &limit) != 0))
                return std::string("cannot set up");
            std::string why;
            return SaveXmlAtomically(tree.get(), row.link == Link::Symbolic ? second : target, why) ? "saved" : why;
        });
        if (WIFSIGNALED(status)) outcome = sigabbrev_np(WTERMSIG(status));
        if (outcome == "saved") outcome = StatOf(target).st_ino == before.st_ino ? "saved in place" : "saved as a new file";
        EXPECT_EQ(outcome, row.outcome);

        ASSERT_EQ(chmod(folder.c_str(), 0755), 0);
        const bool isSaved = outcome.starts_with("saved");
        std::vector<std::string> names;
        if (row.fileMode || isSaved) names.push_back("p.scd");
        if (row.link != Link::None) names.push_back("second.scd");
        EXPECT_EQ(NamesIn(folder), names);
        EXPECT_EQ(std::filesystem::is_symlink(second), row.link == Link::Symbolic);
        if (!row.fileMode && !isSaved) continue;
        EXPECT_EQ(ReadFileText(target), isSaved ? saved : old);
        // Mode, owner and group stay; a new file is the user's, with the mode the umask leaves.
        const struct stat after = StatOf(target), &owner = row.fileMode ? before : after;
        EXPECT_EQ(std::tuple(after.st_mode & 07777, after.st_uid, after.st_gid, after.st_nlink),
                  std::tuple(row.fileMode ? row.fileMode : 0640u, owner.st_uid, owner.st_gid, row.link == Link::Hard ? 2u : 1u));
    }
}

TEST(AtomicSave, ATargetThatIsNoRegularFileIsRefusedAndLeftAsItIs)
{
    TempDir dir;
    TreePtr tree = ParsedTree("<SCL/>");
    ASSERT_EQ(mkfifo(dir.File("fifo").c_str(), 0644), 0);
    std::filesystem::create_symlink(dir.File("fifo"), dir.File("to-fifo"));
    std::filesystem::create_symlink(dir.File("missing"), dir.File("dangling"));
    std::filesystem::create_symlink(dir.File("loop-b"), dir.File("loop-a"));
    std::filesystem::create_symlink(dir.File("loop-a"), dir.File("loop-b"));
    std::filesystem::create_directory(dir.File("folder"));
    // What lstat shows of each name in the folder.
    auto entries = [&dir] {
        std::string text;
        for (const std::string& name : NamesIn(dir.path())) {
            struct stat info {};
            lstat(dir.File(name).c_str(), &info);
            text += name + " " + std::to_string(info.st_ino) + " " + std::to_string(info.st_mode) + "\n";
        }
        return text;
    };
    const std::string before = entries();
    const std::pair<const char*, const char*> targets[] = {
        {"fifo", "not a regular file"},
        {"to-fifo", "not a regular file"},
        {"dangling", "dangling symbolic link"},
        {"loop-a", "too many levels of symbolic links"},
        {"folder", "not a regular file"},
        {"", "no file name"},
    };
    for (const auto& [name, reason] : targets) {
        std::string why;
        EXPECT_FALSE(SaveXmlAtomically(tree.get(), *name ? dir.File(name) : "", why)) << name;
        EXPECT_EQ(why, reason) << name;
    }
    EXPECT_EQ(entries(), before);
}

}  // namespace
