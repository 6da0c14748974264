#include "base/atomic_file.h"

#include "base/error.h"
#include "base/system_error_text.h"

#include <cerrno>
#include <fcntl.h>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace kvf {

namespace {

std::string reason(int error) {
    return SystemErrorText(error);
}

[[noreturn]] void writeFailed(const std::string& path, int error) {
    throw KvfError("Ошибка записи файла \"" + path + "\"\r\n(" + reason(error) + ")");
}

bool writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        bytes.remove_prefix(static_cast<size_t>(written));
    }
    return true;
}

std::string folderOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// The file a path names after following its symbolic links, so that the new
// image replaces the link's target and the link stays; the path itself when
// it is no link. A link that points nowhere names the file it would create.
std::string linkTarget(const std::string& path) {
    std::string file = path;
    for (int hops = 0;; ++hops) {
        struct stat info {};
        if (::lstat(file.c_str(), &info) != 0 || !S_ISLNK(info.st_mode))
            return file;
        if (hops >= 40)
            writeFailed(path, ELOOP);
        std::string target(static_cast<size_t>(info.st_size > 0 ? info.st_size : 4096), '\0');
        const ssize_t length = ::readlink(file.c_str(), target.data(), target.size());
        if (length < 0)
            writeFailed(path, errno);
        target.resize(static_cast<size_t>(length));
        file = target.front() == '/' ? target : folderOf(file) + "/" + target;
    }
}

} // namespace

void WriteFileAtomic(const std::string& linkOrFile, std::string_view bytes) {
    const std::string path = linkTarget(linkOrFile);
    // A fresh name beside the target, created exclusively so no other file is
    // ever overwritten; the umask applies as to any new file.
    std::random_device seed;
    std::mt19937 engine(seed());
    std::string temporary;
    int fd = -1;
    for (int attempt = 0; fd < 0; ++attempt) {
        temporary = path + ".~" + std::to_string(engine() % 1000000000u) + ".tmp";
        fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && (errno != EEXIST || attempt > 100))
            writeFailed(path, errno);
    }
    struct stat old {};
    if (::stat(path.c_str(), &old) == 0)
        ::fchmod(fd, old.st_mode & 07777);

    if (!writeAll(fd, bytes) || ::fsync(fd) != 0) {
        const int error = errno;
        ::close(fd);
        ::unlink(temporary.c_str());
        writeFailed(path, error);
    }
    if (::close(fd) != 0 || ::rename(temporary.c_str(), path.c_str()) != 0) {
        const int error = errno;
        ::unlink(temporary.c_str());
        writeFailed(path, error);
    }
    // Make the rename itself durable; a failure here leaves a complete file either way.
    const int dir = ::open(folderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
}

std::string ReadFileBytes(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        throw KvfError("Ошибка чтения файла \"" + path + "\"\r\n(" + reason(errno) + ")");
    std::string bytes;
    char buffer[65536];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            const int error = errno;
            ::close(fd);
            throw KvfError("Ошибка чтения файла \"" + path + "\"\r\n(" + reason(error) + ")");
        }
        if (got == 0)
            break;
        bytes.append(buffer, static_cast<size_t>(got));
    }
    ::close(fd);
    return bytes;
}

} // namespace kvf
