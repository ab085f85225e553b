#include "files/file_replacement.h"

#include <atomic>
#include <cerrno>
#include <new>
#include <streambuf>
#include <system_error>
#include <variant>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace korvel {

namespace {

namespace fs = std::filesystem;

// The longest file name, in bytes, that the usual file systems take.
constexpr std::size_t fileNameLimit = 255;
// Links followed before the chain counts as a loop, as the kernel does.
constexpr int linkLimit = 40;

// What an error number means to the user, in plain words.
std::string reasonOf(int error) {
    switch (error) {
    case ENOSPC:
    case EDQUOT:
        return "the disk is full";
    case EACCES:
    case EPERM:
        return "permission denied";
    case EROFS:
        return "the disk is read-only";
    case ENOENT:
    case ENOTDIR:
        return "the folder does not exist";
    case EISDIR:
        return "it is a folder";
    case ENAMETOOLONG:
        return "the file name is too long";
    case ELOOP:
        return "there are too many symbolic links";
    case EIO:
        return "the disk reported a read or write error";
    case EFBIG:
        return "the file is too large";
    case EMFILE:
    case ENFILE:
        return "too many files are open";
    case EBUSY:
    case ETXTBSY:
        return "the file is in use";
    default:
        break;
    }
    std::string text = std::generic_category().message(error);
    if (!text.empty() && text[0] >= 'A' && text[0] <= 'Z') text[0] = static_cast<char>(text[0] - 'A' + 'a');
    return text;
}

// The file a path finally names: each symbolic link of the chain replaced by what it points to
// (relative to the link's own folder), so that the rename replaces that file and the links stay.
// A link to a file not yet there names the file it would create.
std::variant<fs::path, std::string> resolveLinks(fs::path path) {
    for (int hop = 0; hop < linkLimit; ++hop) {
        std::error_code ec;
        if (!fs::is_symlink(fs::symlink_status(path, ec))) return path;
        const fs::path next = fs::read_symlink(path, ec);
        if (ec) return reasonOf(ec.value());
        path = next.is_absolute() ? next : path.parent_path() / next;
    }
    return reasonOf(ELOOP);
}

// Why an existing target may not be replaced, or nothing. Rename replaces a file whatever its
// own permissions, and the administrator may write any file, so the permission bits are looked at
// first: a file without any write permission bit is read-only for everybody. Otherwise the
// system decides whether this user may write it (owner, group, access lists, read-only disk).
std::optional<std::string> protectionReason(const fs::path& target, const struct stat& status) {
    if (S_ISDIR(status.st_mode)) return reasonOf(EISDIR);
    if (!S_ISREG(status.st_mode)) return "it is not an ordinary file";
    if ((status.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) return "the file is read-only";
    if (faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0) return reasonOf(errno);
    return std::nullopt;
}

// The length of the longest start of `text` within `limit` bytes that does not end inside a
// UTF-8 sequence.
std::size_t utf8Cut(const std::string& text, std::size_t limit) {
    if (text.size() <= limit) return text.size();
    std::size_t cut = limit;
    while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) --cut;
    return cut;
}

// A hidden name beside the target, unique to this process and attempt, within the file-name
// limit: a long target name is shortened, never the part that makes the name unique.
fs::path temporaryPath(const fs::path& target) {
    static std::atomic<unsigned> counter{0};
    const std::string suffix =
        ".korvel-" + std::to_string(static_cast<long>(getpid())) + "-" + std::to_string(++counter);
    const std::string name = target.filename().string();
    const std::size_t room = fileNameLimit - 1 - suffix.size();
    return target.parent_path() / ("." + name.substr(0, utf8Cut(name, room)) + suffix);
}

// An output buffer straight onto a file descriptor that remembers the first error number, so
// that a full disk is reported as such.
class DescriptorBuffer final : public std::streambuf {
public:
    explicit DescriptorBuffer(int fd) : fd_(fd), buffer_(1 << 16) {
        setp(buffer_.data(), buffer_.data() + buffer_.size());
    }
    int error() const { return error_; }

protected:
    int_type overflow(int_type ch) override {
        if (!drain()) return traits_type::eof();
        if (!traits_type::eq_int_type(ch, traits_type::eof())) {
            *pptr() = traits_type::to_char_type(ch);
            pbump(1);
        }
        return traits_type::not_eof(ch);
    }
    int sync() override { return drain() ? 0 : -1; }

private:
    bool drain() {
        if (error_ != 0) return false;
        const char* from = pbase();
        std::size_t left = static_cast<std::size_t>(pptr() - pbase());
        while (left > 0) {
            const ssize_t written = ::write(fd_, from, left);
            if (written < 0) {
                if (errno == EINTR) continue;
                error_ = errno;
                return false;
            }
            from += written;
            left -= static_cast<std::size_t>(written);
        }
        setp(buffer_.data(), buffer_.data() + buffer_.size());
        return true;
    }

    int fd_;
    std::vector<char> buffer_;
    int error_ = 0;
};

// Writes the new content to the open temporary file; the reason it failed, or nothing.
using Fill = std::function<std::optional<std::string>(int fd)>;

// Runs `fill`; an exception out of it is a failure like any other.
std::optional<std::string> guarded(const Fill& fill, int fd) {
    try {
        return fill(fd);
    } catch (const std::bad_alloc&) {
        return std::string("there is not enough memory");
    } catch (...) {
        return std::string("the content could not be produced");
    }
}

// Makes the temporary file the target's equal (its permissions and, where allowed, owner) and
// puts it on the disk.
std::optional<std::string> settle(int fd, const std::optional<struct stat>& previous) {
    if (previous) {
        if (fchmod(fd, previous->st_mode & 07777) != 0) return reasonOf(errno);
        // Only the administrator may give a file away; anyone else keeps the file as their own.
        if (previous->st_uid != geteuid() || previous->st_gid != getegid()) {
            [[maybe_unused]] const int given = fchown(fd, previous->st_uid, previous->st_gid);
        }
    }
    if (fsync(fd) != 0) return reasonOf(errno);
    return std::nullopt;
}

// Puts the rename itself on the disk. The new content is already in place under the target's
// name, so a folder that cannot be flushed does not fail the save.
void syncFolder(const fs::path& folder) {
    const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    fsync(fd);
    close(fd);
}

std::optional<std::string> replaceFile(const fs::path& given, const Fill& fill, const TemporaryNotice& notice = {}) {
    if (given.empty()) return std::string("no file name was given");
    auto resolved = resolveLinks(given);
    if (const auto* reason = std::get_if<std::string>(&resolved)) return *reason;
    const fs::path target = std::get<fs::path>(resolved);

    std::optional<struct stat> previous;
    struct stat status {};
    if (stat(target.c_str(), &status) == 0) {
        if (auto reason = protectionReason(target, status)) return reason;
        previous = status;
    } else if (errno != ENOENT) {
        return reasonOf(errno);
    }
    if (target.filename().empty()) return std::string("no file name was given");

    fs::path temporary;
    int fd = -1;
    for (unsigned attempt = 0; fd < 0; ++attempt) {
        temporary = temporaryPath(target);
        fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && (errno != EEXIST || attempt == 100)) return reasonOf(errno);
    }
    if (notice) notice(temporary);

    std::optional<std::string> failure = guarded(fill, fd);
    if (!failure) failure = settle(fd, previous);
    if (close(fd) != 0 && !failure) failure = reasonOf(errno);
    if (!failure && rename(temporary.c_str(), target.c_str()) != 0) failure = reasonOf(errno);
    if (failure) unlink(temporary.c_str());
    if (notice) notice(fs::path());
    if (failure) return failure;
    syncFolder(target.has_parent_path() ? target.parent_path() : fs::path("."));
    return std::nullopt;
}

} // namespace

std::string plainErrorReason(int error) {
    return reasonOf(error);
}

std::string saveFailureMessage(const std::string& path, const std::string& reason) {
    return "can't save file - " + path + ": " + reason;
}

std::optional<std::string> replaceFileContent(const fs::path& target, std::string_view content) {
    return replaceFileWith(target, [content](std::ostream& out) {
        out.write(content.data(), static_cast<std::streamsize>(content.size()));
    });
}

std::optional<std::string> replaceFileWith(const fs::path& target, const std::function<void(std::ostream&)>& write,
                                           const TemporaryNotice& notice) {
    return replaceFile(
        target,
        [&write](int fd) -> std::optional<std::string> {
            DescriptorBuffer buffer(fd);
            std::ostream out(&buffer);
            write(out);
            out.flush();
            if (buffer.error() != 0) return reasonOf(buffer.error());
            if (!out) return std::string("the file could not be written completely");
            return std::nullopt;
        },
        notice);
}

bool sameFile(const fs::path& a, const fs::path& b) {
    std::error_code ec;
    const bool same = fs::equivalent(a, b, ec);
    return !ec && same;
}

} // namespace korvel
