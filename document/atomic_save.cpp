#include "document/atomic_save.h"

#include <libxml/encoding.h>
#include <libxml/globals.h>
#include <libxml/xmlsave.h>

#include <errno.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cctype>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <new>
#include <utility>
#include <vector>

namespace {

std::atomic<bool> unnamedFilesAllowed{true};
// The signal handling below is process-wide state: one write at a time.
std::mutex oneWriteAtATime;

bool Fail(std::string& reason, std::string text)
{
    reason = std::move(text);
    return false;
}

// The system's one-line description of `error`, starting in lower case.
std::string Describe(int error)
{
    std::string text = std::strerror(error);
    if (!text.empty()) text[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(text[0])));
    return text;
}

std::string FolderOf(const std::string& path)
{
    size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

class FileDescriptor {
public:
    explicit FileDescriptor(int fd = -1) : fd_(fd) {}
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    // Only reached on paths that are failing already or never wrote through it.
    ~FileDescriptor() { Close(); }

    int Get() const { return fd_; }
    bool IsOpen() const { return fd_ >= 0; }
    void Reset(int fd)
    {
        Close();
        fd_ = fd;
    }
    // False when the system reports a delayed write error on closing.
    bool Close()
    {
        if (fd_ < 0) return true;
        return close(std::exchange(fd_, -1)) == 0;
    }

private:
    int fd_;
};

// --- signals that would end the process in the middle of a write ---

char pendingName[PATH_MAX];
volatile sig_atomic_t pendingNameSet = 0;
volatile sig_atomic_t heldSignal = 0;
struct sigaction previousAction[NSIG];
bool handlerInstalled[NSIG];

void RemovePendingFileAndResignal(int signal)
{
    const int savedErrno = errno;
    // Nothing can be reported from here; the process ends with the signal.
    if (pendingNameSet) unlink(pendingName);
    sigaction(signal, &previousAction[signal], nullptr);
    raise(signal);
    errno = savedErrno;
}

void HoldSignal(int signal)
{
    if (!heldSignal) heldSignal = signal;
}

// The signals whose default action ends the process and that do not stand for a fault
// of the program itself.
std::vector<int> EndingSignals()
{
    std::vector<int> signals = {SIGHUP,  SIGINT,  SIGQUIT, SIGTERM,   SIGPIPE, SIGALRM, SIGUSR1,
                                SIGUSR2, SIGXCPU, SIGXFSZ, SIGVTALRM, SIGPROF, SIGIO,   SIGPWR};
    for (int signal = SIGRTMIN; signal <= SIGRTMAX; ++signal) signals.push_back(signal);
    return signals;
}

// What an ending signal does while a write runs.
enum class OnEndingSignal {
    RemovePendingFile,  // a new file: the process ends at once, without the unfinished file
    FinishFirst,        // an overwritten file: the process ends once the write is complete
};

// Installed for the time of one write, for each ending signal that the program leaves
// at its default action (one it ignores or handles itself does not end it). The
// file-size limit is ignored meanwhile, so that reaching it fails the write with "file
// too large" instead of ending the process. The handlers serve every thread, where a
// blocked signal would still reach the others.
class SignalGuard {
public:
    explicit SignalGuard(OnEndingSignal mode)
    {
        heldSignal = 0;
        struct sigaction action {};
        action.sa_handler = mode == OnEndingSignal::FinishFirst ? HoldSignal : RemovePendingFileAndResignal;
        action.sa_flags = SA_RESTART;
        if (sigfillset(&action.sa_mask) != 0) return;
        struct sigaction ignore {};
        ignore.sa_handler = SIG_IGN;
        for (int signal : EndingSignals()) {
            handlerInstalled[signal] = false;
            if (sigaction(signal, nullptr, &previousAction[signal]) != 0) continue;
            if ((previousAction[signal].sa_flags & SA_SIGINFO) || previousAction[signal].sa_handler != SIG_DFL)
                continue;
            handlerInstalled[signal] = sigaction(signal, signal == SIGXFSZ ? &ignore : &action, nullptr) == 0;
        }
    }
    SignalGuard(const SignalGuard&) = delete;
    SignalGuard& operator=(const SignalGuard&) = delete;
    // A signal held back ends the process now, with its default action.
    ~SignalGuard()
    {
        Forget();
        for (int signal = 1; signal < NSIG; ++signal)
            if (handlerInstalled[signal] && sigaction(signal, &previousAction[signal], nullptr) == 0)
                handlerInstalled[signal] = false;
        if (const int signal = heldSignal) raise(signal);
    }

    // Called before the file gets the name, so that no moment goes unwatched.
    bool Watch(const std::string& path)
    {
        if (path.size() >= sizeof pendingName) return false;
        Forget();
        std::memcpy(pendingName, path.c_str(), path.size() + 1);
        std::atomic_signal_fence(std::memory_order_seq_cst);
        pendingNameSet = 1;
        return true;
    }
    void Forget()
    {
        pendingNameSet = 0;
        std::atomic_signal_fence(std::memory_order_seq_cst);
    }
};

// A name in `folder` that no other write picks at the same time.
std::string TemporaryName(const std::string& folder)
{
    static std::atomic<unsigned long long> counter{0};
    timespec now {};
    if (clock_gettime(CLOCK_REALTIME, &now) != 0) now = {};
    unsigned long long bits = static_cast<unsigned long long>(now.tv_nsec) << 20;
    bits ^= static_cast<unsigned long long>(now.tv_sec) ^ (static_cast<unsigned long long>(getpid()) << 40);
    bits ^= counter++ * 0x9E3779B97F4A7C15ull;
    static const char kDigits[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    std::string name = folder + "/.varnholt-save-";
    for (int i = 0; i < 10; ++i, bits /= 36) name += kDigits[bits % 36];
    return name;
}

// A file being made in a folder: unnamed while it is written where the file system
// allows that, otherwise under a temporary name that is removed again unless the file
// is published. Every function returns 0 or the errno of the failure.
class NewFile {
public:
    NewFile(std::string folder, SignalGuard& cleanup) : folder_(std::move(folder)), cleanup_(cleanup) {}
    NewFile(const NewFile&) = delete;
    NewFile& operator=(const NewFile&) = delete;
    ~NewFile()
    {
        if (name_.empty()) return;
        // A failure leaves the temporary file behind; the write has failed already.
        unlink(name_.c_str());
        cleanup_.Forget();
    }

    int Fd() const { return fd_.Get(); }

    int Create()
    {
        if (unnamedFilesAllowed && access("/proc/self/fd", X_OK) == 0) {
            fd_.Reset(open(folder_.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666));
            if (fd_.IsOpen()) return 0;
            // What file systems without unnamed files answer.
            if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL) return errno;
        }
        return TakeFreeName([this](const std::string& name) {
            fd_.Reset(open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666));
            return fd_.IsOpen();
        });
    }

    // Gives the complete file the name `target`; `replace` tells that it exists.
    int Publish(const std::string& target, bool replace)
    {
        if (name_.empty()) {
            char self[64];
            std::snprintf(self, sizeof self, "/proc/self/fd/%d", fd_.Get());
            auto linkAs = [&self](const std::string& name) {
                return linkat(AT_FDCWD, self, AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0;
            };
            if (!replace) {
                if (!linkAs(target)) return errno;
                return fd_.Close() ? 0 : errno;
            }
            // A link cannot take a name that exists: the file replaces the old one
            // through a temporary name.
            if (int error = TakeFreeName(linkAs)) return error;
        }
        if (!fd_.Close()) return errno;
        if (rename(name_.c_str(), target.c_str()) != 0) return errno;
        name_.clear();
        cleanup_.Forget();
        return 0;
    }

private:
    // Runs `make` on fresh temporary names until one is free.
    template <typename Make>
    int TakeFreeName(Make make)
    {
        for (int attempt = 0; attempt < 100; ++attempt) {
            std::string name = TemporaryName(folder_);
            if (!cleanup_.Watch(name)) return ENAMETOOLONG;
            if (make(name)) {
                name_ = name;
                return 0;
            }
            const int error = errno;
            cleanup_.Forget();
            if (error != EEXIST) return error;
        }
        return EEXIST;
    }

    std::string folder_;
    SignalGuard& cleanup_;
    FileDescriptor fd_;
    std::string name_;
};

int WriteAll(int fd, std::string_view content)
{
    while (!content.empty()) {
        ssize_t written = write(fd, content.data(), std::min<size_t>(content.size(), size_t{1} << 30));
        if (written < 0 && errno == EINTR) continue;
        if (written < 0) return errno;
        if (written == 0) return EIO;
        content.remove_prefix(static_cast<size_t>(written));
    }
    return 0;
}

// The replacement of `old` keeps its owner and group where the user may set them (the
// group alone where only that is allowed), and its mode.
int KeepOwnerAndMode(int fd, const struct stat& old)
{
    struct stat made {};
    if (fstat(fd, &made) != 0) return errno;
    if ((made.st_uid != old.st_uid || made.st_gid != old.st_gid) && fchown(fd, old.st_uid, old.st_gid) != 0 &&
        fchown(fd, static_cast<uid_t>(-1), old.st_gid) != 0) {
        // Neither is allowed: the replacement belongs to the user.
    }
    return fchmod(fd, old.st_mode & 07777) == 0 ? 0 : errno;
}

// Makes the new name durable. A folder the user may not read cannot be flushed; the
// new name stands all the same.
int SyncFolder(const std::string& folder)
{
    FileDescriptor fd(open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!fd.IsOpen()) return 0;
    if (fsync(fd.Get()) != 0 && errno != EINVAL) return errno;
    return fd.Close() ? 0 : errno;
}

// Writes `content` to a new file in the folder of `target` and gives it that name;
// `old` is the file it replaces, or null. `refused` tells that the folder does not let
// the user make or replace names in it. Returns 0 or the errno.
int WriteNewFile(const std::string& target, const struct stat* old, std::string_view content, bool& refused)
{
    const std::string folder = FolderOf(target);
    SignalGuard cleanup(OnEndingSignal::RemovePendingFile);
    NewFile file(folder, cleanup);
    int error = file.Create();
    refused = error == EACCES || error == EPERM;
    if (error == 0 && old) error = KeepOwnerAndMode(file.Fd(), *old);
    if (error == 0) error = WriteAll(file.Fd(), content);
    if (error == 0 && fsync(file.Fd()) != 0) error = errno;
    if (error != 0) return error;
    error = file.Publish(target, old != nullptr);
    refused = error == EACCES || error == EPERM;
    return error == 0 ? SyncFolder(folder) : error;
}

// Repeats `call` while a signal that the program handles interrupts it.
template <typename Call>
int Retried(Call call)
{
    int result;
    do result = call();
    while (result != 0 && errno == EINTR);
    return result;
}

// Overwrites the file open as `fd`. Room for the whole content is reserved first, so
// that a full disk or a file-size limit stops the write before the first byte changes.
// Reserving room inside a file that is already larger than the file-size limit succeeds,
// and the write would then stop at the limit, so the limit is compared first. A signal
// that would end the process waits until the file is complete: ended half-way, the file
// would hold the new content followed by the tail of the old.
int WriteInPlace(int fd, std::string_view content)
{
    rlimit sizeLimit{};
    if (getrlimit(RLIMIT_FSIZE, &sizeLimit) == 0 && sizeLimit.rlim_cur != RLIM_INFINITY &&
        content.size() > sizeLimit.rlim_cur)
        return EFBIG;
    SignalGuard finishFirst(OnEndingSignal::FinishFirst);
    const off_t size = static_cast<off_t>(content.size());
    if (size > 0 && Retried([&] { return fallocate(fd, 0, 0, size); }) != 0 && errno != EOPNOTSUPP) return errno;
    if (int error = WriteAll(fd, content)) return error;
    if (Retried([&] { return ftruncate(fd, size); }) != 0) return errno;
    return Retried([&] { return fsync(fd); }) == 0 ? 0 : errno;
}

struct Target {
    std::string path;  // with links resolved
    bool exists = false;
};

bool FindTarget(const std::string& path, Target& target, std::string& reason)
{
    target.path = path;
    struct stat entry {};
    if (lstat(path.c_str(), &entry) != 0) return errno == ENOENT || Fail(reason, Describe(errno));
    const bool link = S_ISLNK(entry.st_mode);
    if (link && stat(path.c_str(), &entry) != 0)
        return Fail(reason, errno == ENOENT ? "dangling symbolic link" : Describe(errno));
    if (!S_ISREG(entry.st_mode)) return Fail(reason, "not a regular file");
    target.exists = true;
    if (!link) return true;
    char resolved[PATH_MAX];
    if (!realpath(path.c_str(), resolved)) return Fail(reason, Describe(errno));
    target.path = resolved;
    return true;
}

struct TextSink {
    std::string text;
    bool failed = false;
};

int AppendToText(void* context, const char* buffer, int length)
{
    auto* sink = static_cast<TextSink*>(context);
    try {
        sink->text.append(buffer, static_cast<size_t>(length));
    } catch (const std::bad_alloc&) {
        sink->failed = true;
        return -1;
    }
    return length;
}

// The formatted tree, in the encoding the tree carries.
bool FormatTree(xmlDoc* tree, std::string& text, std::string& reason)
{
    const char* encoding = reinterpret_cast<const char*>(tree->encoding);
    xmlCharEncodingHandler* encoder = nullptr;
    if (encoding) {
        encoder = xmlFindCharEncodingHandler(encoding);
        if (!encoder) return Fail(reason, std::string("unknown encoding ") + encoding);
    }
    TextSink sink;
    xmlOutputBuffer* output = xmlOutputBufferCreateIO(AppendToText, nullptr, &sink, encoder);
    if (!output) {
        if (encoder) xmlCharEncCloseFunc(encoder);
        return Fail(reason, "out of memory");
    }
    xmlIndentTreeOutput = 1;
    if (xmlSaveFormatFileTo(output, tree, encoding, 1) < 0 || sink.failed)
        return Fail(reason, "the document could not be formatted");
    text = std::move(sink.text);
    return true;
}

}  // namespace

bool WriteFileAtomically(const std::string& path, std::string_view content, std::string& reason)
{
    reason.clear();
    if (path.empty()) return Fail(reason, "no file name");
    std::lock_guard<std::mutex> lock(oneWriteAtATime);
    Target target;
    if (!FindTarget(path, target, reason)) return false;
    bool refused = false;
    if (!target.exists) {
        int error = WriteNewFile(target.path, nullptr, content, refused);
        return error == 0 || Fail(reason, Describe(error));
    }
    // Opening the file for writing asks the system whether the user may write it.
    FileDescriptor existing(open(target.path.c_str(), O_WRONLY | O_NOCTTY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC));
    if (!existing.IsOpen()) return Fail(reason, Describe(errno));
    struct stat info {};
    if (fstat(existing.Get(), &info) != 0) return Fail(reason, Describe(errno));
    if (!S_ISREG(info.st_mode)) return Fail(reason, "not a regular file");
    if (info.st_nlink == 1) {
        int error = WriteNewFile(target.path, &info, content, refused);
        if (!refused) return error == 0 || Fail(reason, Describe(error));
    }
    // A replacement would split the file from its other names, or the folder does not
    // allow one.
    int error = WriteInPlace(existing.Get(), content);
    if (error == 0 && !existing.Close()) error = errno;
    return error == 0 || Fail(reason, Describe(error));
}

bool SaveXmlAtomically(xmlDoc* tree, const std::string& path, std::string& reason)
{
    reason.clear();
    if (!tree) return Fail(reason, "no document");
    std::string text;
    return FormatTree(tree, text, reason) && WriteFileAtomically(path, text, reason);
}

void AllowUnnamedTemporaryFiles(bool allow)
{
    unnamedFilesAllowed = allow;
}
