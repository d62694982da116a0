#include "core/atomic_save.h"

#include <libxml/globals.h>
#include <libxml/xmlsave.h>

#include <libxml/encoding.h>

#include <errno.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <vector>

namespace {

// Saving through a symbolic link replaces the file it points to, not the link.
std::string ResolveTarget(const std::string& path)
{
    char resolved[PATH_MAX];
    if (realpath(path.c_str(), resolved)) return resolved;
    return path;
}

std::string FolderOf(const std::string& path)
{
    size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// The mode a new file gets, or the existing file's mode.
mode_t TargetMode(const std::string& path)
{
    struct stat info {};
    if (stat(path.c_str(), &info) == 0) return info.st_mode & 07777;
    mode_t mask = umask(0);
    umask(mask);
    return 0666 & ~mask;
}

struct FdSink {
    int fd;
    bool failed;
};

int WriteToFd(void* context, const char* buffer, int length)
{
    auto* sink = static_cast<FdSink*>(context);
    int done = 0;
    while (done < length) {
        ssize_t written = write(sink->fd, buffer + done, static_cast<size_t>(length - done));
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) {
            sink->failed = true;
            return -1;
        }
        done += static_cast<int>(written);
    }
    return done;
}

// Writes the formatted tree to `fd`, reporting every failed write, in the encoding
// the tree carries.
bool WriteFormattedTree(xmlDoc* tree, int fd)
{
    const char* encoding = reinterpret_cast<const char*>(tree->encoding);
    xmlCharEncodingHandler* encoder = nullptr;
    if (encoding) {
        encoder = xmlFindCharEncodingHandler(encoding);
        if (!encoder) return false;
    }
    FdSink sink{fd, false};
    xmlOutputBuffer* output = xmlOutputBufferCreateIO(WriteToFd, nullptr, &sink, encoder);
    if (!output) {
        if (encoder) xmlCharEncCloseFunc(encoder);
        return false;
    }
    xmlIndentTreeOutput = 1;
    int written = xmlSaveFormatFileTo(output, tree, encoding, 1);
    return written >= 0 && !sink.failed;
}

bool SyncFile(const std::string& path, int flags)
{
    int fd = open(path.c_str(), flags);
    if (fd < 0) return false;
    bool synced = fsync(fd) == 0;
    return close(fd) == 0 && synced;
}

}  // namespace

bool SaveXmlAtomically(xmlDoc* tree, const std::string& path)
{
    if (!tree || path.empty()) return false;
    const std::string target = ResolveTarget(path);
    std::string pattern = FolderOf(target) + "/.varnholt-save-XXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    int fd = mkstemp(name.data());
    if (fd < 0) return false;
    const std::string temporary(name.data());
    bool ok = fchmod(fd, TargetMode(target)) == 0;
    ok = ok && WriteFormattedTree(tree, fd);
    ok = ok && fsync(fd) == 0;
    ok = close(fd) == 0 && ok;
    ok = ok && rename(temporary.c_str(), target.c_str()) == 0;
    if (!ok) {
        unlink(temporary.c_str());
        return false;
    }
    SyncFile(FolderOf(target), O_RDONLY | O_DIRECTORY);  // makes the rename durable
    return true;
}
