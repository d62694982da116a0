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

TreePtr Project()
{
    return ParsedTree("<SCL xmlns=\"http://www.iec.ch/61850/2003/SCL\"><Header id=\"p\"/><Substation name=\"S1\"/></SCL>");
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

// The child's end of the pipe to the test.
int toParent = -1;

// Holds the child in the middle of a write, at the file-size limit, until a signal ends it.
void PauseForParent(int)
{
    char byte = 0;
    if (write(toParent, &byte, 1) == 1)
        for (;;) pause();
}

// A child process running `body`; what it returns comes back through a pipe.
class Child {
public:
    explicit Child(const std::function<std::string()>& body)
    {
        int fds[2];
        if (pipe(fds) != 0) return;
        pid_ = fork();
        if (pid_ == 0) {
            close(fds[0]);
            toParent = fds[1];
            std::string report = body();
            _exit(write(toParent, report.data(), report.size()) < 0 ? 3 : 0);
        }
        close(fds[1]);
        fromChild_ = fds[0];
    }
    ~Child()
    {
        close(fromChild_);
        if (pid_ > 0) kill(pid_, SIGKILL);
        Wait();
    }
    bool Started() const { return pid_ > 0; }
    pid_t Pid() const { return pid_; }
    // What the child writes, up to `bytes` or until it ends.
    std::string Read(size_t bytes = SIZE_MAX)
    {
        std::string text;
        char buffer[256];
        ssize_t got = 0;
        while (text.size() < bytes && (got = read(fromChild_, buffer, std::min(sizeof buffer, bytes - text.size()))) > 0)
            text.append(buffer, static_cast<size_t>(got));
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
