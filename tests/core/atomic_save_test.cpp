#include "core/atomic_save.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <grp.h>
#include <pwd.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <memory>

namespace {

const char* kProject =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<SCL xmlns=\"http://www.iec.ch/61850/2003/SCL\"><Header id=\"p\" version=\"3\" revision=\"7\"/>"
    "<Substation name=\"S1\"><VoltageLevel name=\"V1\"><Bay name=\"B1\"/></VoltageLevel></Substation>"
    "</SCL>";

using TreePtr = std::unique_ptr<xmlDoc, void (*)(xmlDoc*)>;

TreePtr Project()
{
    return TreePtr(ParseSclText(kProject), xmlFreeDoc);
}

std::vector<std::string> NamesIn(const std::string& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

struct stat StatOf(const std::string& path)
{
    struct stat info {};
    EXPECT_EQ(stat(path.c_str(), &info), 0) << path;
    return info;
}

uid_t NobodyUid()
{
    const passwd* entry = getpwnam("nobody");
    return entry ? entry->pw_uid : 65534;
}

gid_t NobodyGid()
{
    const passwd* entry = getpwnam("nobody");
    return entry ? entry->pw_gid : 65534;
}

// The child's ends of the two pipes between a test and its child process.
int toParent = -1;
int fromParent = -1;

// Holds the child in the middle of a write, at the file-size limit, until the parent
// lets it go on.
void PauseForParent(int)
{
    char byte = 0;
    if (write(toParent, &byte, 1) == 1 && read(fromParent, &byte, 1) < 0) return;
}

// A child process running `body`, which may talk to the parent through the pipes.
class Child {
public:
    explicit Child(const std::function<std::string()>& body)
    {
        int up[2], down[2];
        if (pipe(up) != 0 || pipe(down) != 0) return;
        pid_ = fork();
        if (pid_ == 0) {
            close(up[0]);
            close(down[1]);
            toParent = up[1];
            fromParent = down[0];
            std::string report = body();
            if (write(toParent, report.data(), report.size()) < 0) _exit(3);
            _exit(0);
        }
        close(up[1]);
        close(down[0]);
        fromChild_ = up[0];
        toChild_ = down[1];
    }
    // Closing the pipes lets a paused child go on.
    ~Child()
    {
        close(fromChild_);
        close(toChild_);
        if (pid_ > 0) Wait();
    }
    bool Started() const { return pid_ > 0; }
    pid_t Pid() const { return pid_; }
    // What the child writes, up to `bytes` or until it ends.
    std::string Read(size_t bytes = SIZE_MAX)
    {
        std::string text;
        char buffer[256];
        while (text.size() < bytes) {
            ssize_t got = read(fromChild_, buffer, std::min(sizeof buffer, bytes - text.size()));
            if (got <= 0) break;
            text.append(buffer, static_cast<size_t>(got));
        }
        return text;
    }
    int Wait()
    {
        int status = -1;
        if (pid_ > 0 && waitpid(pid_, &status, 0) == pid_) pid_ = -1;
        return status;
    }

private:
    pid_t pid_ = -1;
    int fromChild_ = -1;
    int toChild_ = -1;
};

// Takes the rights of an ordinary user when the tests run as root.
bool BecomeOrdinaryUser()
{
    if (geteuid() != 0) return true;
    return setgroups(0, nullptr) == 0 && setgid(NobodyGid()) == 0 && setuid(NobodyUid()) == 0;
}

std::string Outcome(xmlDoc* tree, const std::string& path)
{
    std::string reason;
    return SaveXmlAtomically(tree, path, reason) ? "saved" : reason;
}

TEST(AtomicSave, OnlyWhatTheUserMayWriteIsWritten)
{
    TempDir dir;
    TreePtr tree = Project();
    // A folder that belongs to the ordinary user the saves run as.
    const std::string home = dir.File("home");
    ASSERT_EQ(mkdir(home.c_str(), 0755), 0);
    if (geteuid() == 0) {
        ASSERT_EQ(chown(home.c_str(), NobodyUid(), NobodyGid()), 0);
        ASSERT_EQ(chmod(dir.path().c_str(), 0711), 0);
    }
    const struct {
        const char* name;
        mode_t fileMode;  // 0: no file before the save
        mode_t folderMode;
        const char* outcome;
        mode_t modeAfter;  // 0: no file after the save
    } cases[] = {
        {"file its owner made read-only", 0444, 0755, "permission denied", 0444},
        {"writable file in a read-only folder", 0640, 0555, "saved in place", 0640},
        {"new file in a read-only folder", 0, 0555, "permission denied", 0},
        {"new file", 0, 0755, "saved as a new file", 0640},
    };
    for (const auto& row : cases) {
        const std::string folder = home + "/" + row.name;
        const std::string target = folder + "/p.scd";
        Child child([&]() -> std::string {
            if (!BecomeOrdinaryUser()) return "cannot become an ordinary user";
            umask(027);
            if (mkdir(folder.c_str(), 0755) != 0) return "cannot make the folder";
            struct stat before {};
            if (row.fileMode) {
                WriteFileText(target, "the only copy");
                if (chmod(target.c_str(), row.fileMode) != 0 || stat(target.c_str(), &before) != 0)
                    return "cannot make the file";
            }
            if (chmod(folder.c_str(), row.folderMode) != 0) return "cannot protect the folder";
            std::string outcome = Outcome(tree.get(), target);
            struct stat after {};
            if (outcome != "saved" || stat(target.c_str(), &after) != 0) return outcome;
            return after.st_ino == before.st_ino ? "saved in place" : "saved as a new file";
        });
        ASSERT_TRUE(child.Started());
        EXPECT_EQ(child.Read(), row.outcome) << row.name;
        EXPECT_EQ(chmod(folder.c_str(), 0755), 0);
        if (!row.modeAfter) {
            EXPECT_FALSE(FileExists(target)) << row.name;
        } else {
            EXPECT_EQ(StatOf(target).st_mode & 07777, row.modeAfter) << row.name;
            const bool saved = std::string(row.outcome).starts_with("saved");
            EXPECT_EQ(ReadFileText(target).find("<Substation") != std::string::npos, saved) << row.name;
        }
        EXPECT_EQ(NamesIn(folder), row.modeAfter ? std::vector<std::string>{"p.scd"} : std::vector<std::string>{})
            << row.name;
    }
}

TEST(AtomicSave, AnotherUsersFileKeepsItsOwner)
{
    if (geteuid() != 0) GTEST_SKIP() << "only root can make files of another user";
    TempDir dir;
    TreePtr tree = Project();
    std::string reason;

    // Replaced by root: owner, group and mode stay.
    const std::string theirs = dir.File("theirs.scd");
    WriteFileText(theirs, "old");
    ASSERT_EQ(chown(theirs.c_str(), NobodyUid(), NobodyGid()), 0);
    ASSERT_EQ(chmod(theirs.c_str(), 0604), 0);
    const ino_t old = StatOf(theirs).st_ino;
    ASSERT_TRUE(SaveXmlAtomically(tree.get(), theirs, reason)) << reason;
    struct stat after = StatOf(theirs);
    EXPECT_NE(after.st_ino, old);
    EXPECT_EQ(after.st_uid, NobodyUid());
    EXPECT_EQ(after.st_gid, NobodyGid());
    EXPECT_EQ(after.st_mode & 07777, 0604u);

    // In a shared folder with the sticky bit another user's file cannot be replaced:
    // where it is writable it is written in place and stays its owner's.
    const std::string shared = dir.File("shared");
    ASSERT_EQ(mkdir(shared.c_str(), 0755), 0);
    ASSERT_EQ(chmod(shared.c_str(), 01777), 0);
    ASSERT_EQ(chmod(dir.path().c_str(), 0711), 0);
    const std::string rootFile = shared + "/p.scd";
    WriteFileText(rootFile, "the only copy");
    ASSERT_EQ(chmod(rootFile.c_str(), 0666), 0);
    const ino_t before = StatOf(rootFile).st_ino;
    Child child([&] { return BecomeOrdinaryUser() ? Outcome(tree.get(), rootFile) : "cannot become nobody"; });
    ASSERT_TRUE(child.Started());
    EXPECT_EQ(child.Read(), "saved");
    EXPECT_EQ(StatOf(rootFile).st_ino, before);
    EXPECT_EQ(StatOf(rootFile).st_uid, 0u);
    EXPECT_NE(ReadFileText(rootFile).find("<Substation"), std::string::npos);
    EXPECT_EQ(NamesIn(shared), std::vector<std::string>{"p.scd"});
}

TEST(AtomicSave, AnEndedSaveLeavesNoFileBehind)
{
    const struct {
        const char* name;
        bool unnamed;  // the file system offers unnamed files
        int signal;
        bool sentMidWrite;  // else the file-size limit itself ends the process
    } cases[] = {
        {"SIGKILL while an unnamed file is written", true, SIGKILL, true},
        {"SIGTERM while a named file is written", false, SIGTERM, true},
        {"SIGINT while a named file is written", false, SIGINT, true},
        {"SIGHUP while a named file is written", false, SIGHUP, true},
        {"SIGXFSZ at the file-size limit", false, SIGXFSZ, false},
    };
    TreePtr tree = Project();
    for (const auto& row : cases) {
        TempDir dir;
        const std::string target = dir.File("p.scd");
        WriteFileText(target, "the only copy");
        Child child([&] {
            AllowUnnamedTemporaryFiles(row.unnamed);
            struct sigaction action {};
            action.sa_handler = row.sentMidWrite ? PauseForParent : SIG_DFL;
            rlimit limit {};
            if (sigemptyset(&action.sa_mask) != 0 || sigaction(SIGXFSZ, &action, nullptr) != 0 ||
                getrlimit(RLIMIT_FSIZE, &limit) != 0)
                return std::string("cannot set up");
            limit.rlim_cur = 64;
            if (setrlimit(RLIMIT_FSIZE, &limit) != 0) return std::string("cannot set up");
            return Outcome(tree.get(), target);
        });
        ASSERT_TRUE(child.Started());
        if (row.sentMidWrite) {
            ASSERT_EQ(child.Read(1).size(), 1u) << row.name;
            ASSERT_EQ(kill(child.Pid(), row.signal), 0);
        }
        const int status = child.Wait();
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == row.signal) << row.name << ": " << status;
        EXPECT_EQ(ReadFileText(target), "the only copy") << row.name;
        EXPECT_EQ(NamesIn(dir.path()), std::vector<std::string>{"p.scd"}) << row.name;
    }
}

}  // namespace
