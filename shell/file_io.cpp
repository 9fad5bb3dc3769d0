#include "shell/file_io.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace nibbo {

namespace {

const std::string kCannotOpen = "Die Datei kann nicht geöffnet werden. ";
const std::string kCannotRead = "Die Datei kann nicht gelesen werden. ";
const std::string kCannotCreate = "Die Datei kann nicht angelegt werden. ";
const std::string kCannotWrite = "Die Datei kann nicht geschrieben werden. ";
const std::string kOldFileKept = " Eine vorhandene Datei bleibt unverändert.";

// Links are followed at most this often on the way to a file, as the system itself does.
constexpr int kMaxLinkHops = 40;

// Files of several names are rewritten in place only up to this size (their old bytes are held to
// put them back should the write fail); larger ones are replaced like any other file.
constexpr off_t kMaxInPlaceBytes = off_t(64) << 20;

std::string NotAFile(mode_t mode) {
    if (S_ISDIR(mode)) return "Das ist ein Ordner.";
    if (S_ISFIFO(mode)) return "Das ist eine Pipe, keine gewöhnliche Datei.";
    if (S_ISSOCK(mode)) return "Das ist ein Socket, keine gewöhnliche Datei.";
    if (S_ISCHR(mode) || S_ISBLK(mode)) return "Das ist ein Gerät, keine gewöhnliche Datei.";
    return "Das ist keine gewöhnliche Datei.";
}

// Why a path cannot be opened: a link to nothing says so rather than that the file is missing.
std::string OpenReason(const std::string& path, int error) {
    struct stat link {};
    if (error == ENOENT && ::lstat(path.c_str(), &link) == 0 && S_ISLNK(link.st_mode))
        return "Sie ist eine Verknüpfung auf etwas, das nicht existiert.";
    return ReasonFor(error);
}

std::string FolderOf(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// A descriptor that closes itself.
class Descriptor {
public:
    explicit Descriptor(int fd = -1) : fd_(fd) {}
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    ~Descriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    int Get() const { return fd_; }
    // Closes now and tells whether the system reported no error (some file systems report a
    // failed write only here).
    bool Close() {
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0;
    }

private:
    int fd_;
};

// Opens a regular file for reading, or explains why not. The look before opening keeps a pipe
// from being opened at all; O_NONBLOCK keeps a file swapped for one in between from blocking.
int OpenRegularFile(const std::string& path, struct stat& info, std::string& problem) {
    if (::stat(path.c_str(), &info) != 0) {
        problem = kCannotOpen + OpenReason(path, errno);
        return -1;
    }
    if (!S_ISREG(info.st_mode)) {
        problem = kCannotOpen + NotAFile(info.st_mode);
        return -1;
    }
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        problem = kCannotOpen + OpenReason(path, errno);
        return -1;
    }
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        problem = kCannotOpen + NotAFile(info.st_mode);
        return -1;
    }
    return fd;
}

// Reads up to `count` bytes from the start; false with errno set on a read error. The buffer starts
// at `expected` bytes (what the file's size says) and grows only for a file that grew meanwhile.
bool ReadUpTo(int fd, std::size_t count, std::string& bytes, std::size_t expected) {
    bytes.resize(std::min(count, std::max<std::size_t>(expected, 1)));
    std::size_t got = 0;
    while (got < count) {
        if (got == bytes.size()) bytes.resize(std::min(count, bytes.size() * 2));
        const ssize_t n = ::pread(fd, bytes.data() + got, bytes.size() - got, off_t(got));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return false;
        if (n == 0) break;
        got += std::size_t(n);
    }
    bytes.resize(got);
    return true;
}

bool WriteAll(int fd, std::string_view bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::pwrite(fd, bytes.data() + done, bytes.size() - done, off_t(done));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return false;
        done += std::size_t(n);
    }
    return true;
}

// Replaces the whole content of an open file by bytes; false with errno set.
bool Rewrite(int fd, std::string_view bytes) {
    return WriteAll(fd, bytes) && ::ftruncate(fd, off_t(bytes.size())) == 0 && ::fsync(fd) == 0;
}

// Follows links from path to the file they name, which need not exist yet. False with errno set
// when a link cannot be read, or after too many hops.
bool ResolveLinks(const std::string& path, std::string& target) {
    std::string current = path;
    for (int hop = 0; hop <= kMaxLinkHops; ++hop) {
        struct stat info {};
        if (::lstat(current.c_str(), &info) != 0) {
            if (errno != ENOENT) return false;
            target = current;
            return true;
        }
        if (!S_ISLNK(info.st_mode)) {
            target = current;
            return true;
        }
        std::string link(std::size_t(info.st_size > 0 ? info.st_size : 255) + 1, '\0');
        const ssize_t length = ::readlink(current.c_str(), link.data(), link.size());
        if (length < 0) return false;
        if (std::size_t(length) >= link.size()) {
            errno = ENAMETOOLONG;
            return false;
        }
        link.resize(std::size_t(length));
        current = !link.empty() && link[0] == '/' ? link : FolderOf(current) + '/' + link;
    }
    errno = ELOOP;
    return false;
}

mode_t NewFileMode() {
    // The only way to read the umask is to set it; it is put back at once.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// Why an existing file may not be replaced, or "" when it may.
std::string ReplaceObstacle(const std::string& target, const struct stat& old) {
    if (S_ISDIR(old.st_mode)) return "Unter diesem Namen gibt es schon einen Ordner.";
    if (!S_ISREG(old.st_mode)) return NotAFile(old.st_mode);
    // A file whose mode grants nobody write access stays as it is, also for root, who may write
    // anything.
    if (!(old.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH))) return "Sie ist schreibgeschützt.";
    if (::access(target.c_str(), W_OK) != 0)
        return errno == EACCES ? "Sie ist schreibgeschützt." : ReasonFor(errno);
    return {};
}

// A file with other names (hard links), or one whose owner a replacement could not keep, is
// rewritten where it is, so that every name still shows the same file. The complete new content
// was already written to a temporary file, which proves there is room for it; should the
// rewrite fail all the same, the old bytes are put back.
std::string RewriteInPlace(const std::string& target, std::string_view bytes) {
    Descriptor file(::open(target.c_str(), O_RDWR | O_NOFOLLOW | O_CLOEXEC));
    std::string old;
    struct stat info {};
    if (file.Get() < 0 || ::fstat(file.Get(), &info) != 0 ||
        !ReadUpTo(file.Get(), std::size_t(kMaxInPlaceBytes) + 1, old, std::size_t(info.st_size)))
        return kCannotWrite + ReasonFor(errno) + kOldFileKept;
    if (Rewrite(file.Get(), bytes) && file.Close()) return {};
    const int error = errno;
    if (file.Get() >= 0 && Rewrite(file.Get(), old)) return kCannotWrite + ReasonFor(error) + kOldFileKept;
    return kCannotWrite + ReasonFor(error) + " Die alte Datei ist vielleicht beschädigt.";
}

} // namespace

std::string ReasonFor(int error) {
    switch (error) {
    case ENOENT:
        return "Sie existiert nicht.";
    case EACCES:
    case EPERM:
        return "Der Zugriff wurde verweigert.";
    case EISDIR:
        return "Das ist ein Ordner.";
    case ENOTDIR:
        return "Ein Teil ihres Pfades ist kein Ordner.";
    case ELOOP:
        return "Ihr Pfad führt über zu viele Verknüpfungen; wahrscheinlich zeigt eine Verknüpfung im Kreis.";
    case ENAMETOOLONG:
        return "Ihr Name oder Pfad ist zu lang.";
    case ENOSPC:
        return "Der Datenträger ist voll.";
    case EDQUOT:
        return "Der zugeteilte Speicherplatz (Quota) ist aufgebraucht.";
    case EROFS:
        return "Der Datenträger ist schreibgeschützt.";
    case EFBIG:
        return "Die Datei wäre zu groß.";
    case EIO:
        return "Beim Zugriff auf den Datenträger ist ein Fehler aufgetreten.";
    case EMFILE:
    case ENFILE:
        return "Es sind zu viele Dateien gleichzeitig geöffnet.";
    case ETXTBSY:
    case EBUSY:
        return "Sie wird gerade von einem anderen Programm benutzt.";
    case ENXIO:
    case ENODEV:
        return "Das Gerät ist nicht verfügbar.";
    case ENOMEM:
        return "Der Arbeitsspeicher reicht nicht aus.";
    default:
        return "Unbekannter Fehler (Nummer " + std::to_string(error) + ").";
    }
}

std::string FileMessage(const std::string& path, const std::string& problem) {
    return path + '\n' + problem;
}

FileRead ReadFileStart(const std::string& path, std::size_t count) {
    FileRead result;
    struct stat info {};
    const Descriptor file(OpenRegularFile(path, info, result.Problem));
    if (file.Get() < 0) return result;
    if (!ReadUpTo(file.Get(), count, result.Bytes, std::size_t(info.st_size)))
        result.Problem = kCannotRead + ReasonFor(errno);
    return result;
}

FileRead ReadTextFileBytes(const std::string& path) {
    const std::string tooLarge = "Die Datei ist zu groß für den Editor (höchstens " +
                                 std::to_string(kMaxTextFileBytes / 1024) + " KB).";
    FileRead result;
    struct stat info {};
    const Descriptor file(OpenRegularFile(path, info, result.Problem));
    if (file.Get() < 0) return result;
    if (std::size_t(info.st_size) > kMaxTextFileBytes) {
        result.Problem = tooLarge;
        return result;
    }
    // One byte more than allowed tells a file that grew since the look at its size.
    if (!ReadUpTo(file.Get(), kMaxTextFileBytes + 1, result.Bytes, std::size_t(info.st_size) + 1))
        result.Problem = kCannotRead + ReasonFor(errno);
    else if (result.Bytes.size() > kMaxTextFileBytes)
        result.Problem = tooLarge;
    if (!result.Ok()) result.Bytes.clear();
    return result;
}

std::string SaveFile(const std::string& path, std::string_view bytes) {
    std::string target;
    if (!ResolveLinks(path, target)) return kCannotCreate + ReasonFor(errno);
    const std::string folder = FolderOf(target);
    struct stat folderInfo {};
    const bool folderSeen = ::stat(folder.c_str(), &folderInfo) == 0;
    if ((folderSeen && !S_ISDIR(folderInfo.st_mode)) || (!folderSeen && errno == ENOENT))
        return kCannotCreate + "Der Ordner „" + folder + "“ existiert nicht.";
    if (!folderSeen) return kCannotCreate + ReasonFor(errno);
    struct stat old {};
    const bool exists = ::lstat(target.c_str(), &old) == 0;
    if (!exists && errno != ENOENT) return kCannotCreate + ReasonFor(errno);
    if (exists)
        if (const std::string obstacle = ReplaceObstacle(target, old); !obstacle.empty())
            return kCannotCreate + obstacle;

    // mkostemp creates the name exclusively: a file or link already there is never opened.
    std::string temporary = folder + "/.nibbo-XXXXXX";
    Descriptor file(::mkostemp(temporary.data(), O_CLOEXEC));
    if (file.Get() < 0) return kCannotCreate + ReasonFor(errno);
    const auto failed = [&](int error) {
        ::unlink(temporary.c_str());
        return kCannotWrite + ReasonFor(error) + kOldFileKept;
    };
    if (!WriteAll(file.Get(), bytes)) return failed(errno);
    if (::fchmod(file.Get(), exists ? old.st_mode & 07777 : NewFileMode()) != 0) return failed(errno);
    bool keepsOwner = true;
    if (exists && (old.st_uid != ::geteuid() || old.st_gid != ::getegid()))
        keepsOwner = ::fchown(file.Get(), old.st_uid, old.st_gid) == 0;
    if (::fsync(file.Get()) != 0) return failed(errno);
    if (!file.Close()) return failed(errno);

    if (exists && (old.st_nlink > 1 || !keepsOwner) && old.st_size <= kMaxInPlaceBytes) {
        ::unlink(temporary.c_str());
        return RewriteInPlace(target, bytes);
    }
    if (::rename(temporary.c_str(), target.c_str()) != 0) return failed(errno);
    // The new name is on the disk only once its folder is.
    if (const Descriptor dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)); dir.Get() >= 0)
        ::fsync(dir.Get());
    return {};
}

} // namespace nibbo
