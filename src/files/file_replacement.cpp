#include "files/file_replacement.h"

#include <atomic>
#include <cerrno>
#include <cstdint>
#include <memory>
#include <new>
#include <streambuf>
#include <system_error>
#include <variant>
#include <vector>

#include <csignal>

#include <fcntl.h>
#include <pthread.h>
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
            written_ += static_cast<std::uint64_t>(written);
        }
        setp(buffer_.data(), buffer_.data() + buffer_.size());
        startWriteBack();
        return true;
    }

    // A long table's bytes start on their way to the disk while the run goes on, so that the
    // fsync that ends the save waits for the last few megabytes only. A hint: the fsync still
    // tells whether everything reached the disk.
    void startWriteBack() {
#ifdef __linux__
        constexpr std::uint64_t step = std::uint64_t{8} << 20;
        if (written_ - startedUpTo_ < step) return;
        sync_file_range(fd_, static_cast<off_t>(startedUpTo_), static_cast<off_t>(written_ - startedUpTo_),
                        SYNC_FILE_RANGE_WRITE);
        startedUpTo_ = written_;
#endif
    }

    int fd_;
    std::vector<char> buffer_;
    int error_ = 0;
    std::uint64_t written_ = 0;     // bytes written to the file
    std::uint64_t startedUpTo_ = 0; // bytes whose write-back has been started
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

// A target resolved and checked, with its temporary file open for writing.
struct Pending {
    fs::path target;
    fs::path temporary;
    int fd = -1;
    std::optional<struct stat> previous;
};

std::variant<Pending, std::string> beginReplacement(const fs::path& given) {
    if (given.empty()) return std::string("no file name was given");
    auto resolved = resolveLinks(given);
    if (const auto* reason = std::get_if<std::string>(&resolved)) return *reason;
    Pending pending;
    pending.target = std::get<fs::path>(resolved);

    struct stat status {};
    if (stat(pending.target.c_str(), &status) == 0) {
        if (auto reason = protectionReason(pending.target, status)) return *reason;
        pending.previous = status;
    } else if (errno != ENOENT) {
        return reasonOf(errno);
    }
    if (pending.target.filename().empty()) return std::string("no file name was given");

    for (unsigned attempt = 0; pending.fd < 0; ++attempt) {
        pending.temporary = temporaryPath(pending.target);
        pending.fd = open(pending.temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (pending.fd < 0 && (errno != EEXIST || attempt == 100)) return reasonOf(errno);
    }
    return pending;
}

// Puts the written temporary file on the disk and closes it; the reason it failed, or nothing.
std::optional<std::string> settleAndClose(Pending& pending, std::optional<std::string> failure) {
    if (!failure) failure = settle(pending.fd, pending.previous);
    if (close(pending.fd) != 0 && !failure) failure = reasonOf(errno);
    pending.fd = -1;
    return failure;
}

// The signals that end a program held back while a temporary file exists but its owner has not yet
// been told of it: a signal in that moment would leave the file behind. Held signals arrive as
// soon as the owner knows the file (and can remove it).
class HeldSignals {
public:
    HeldSignals() {
        sigset_t held;
        sigemptyset(&held);
        for (const int s : {SIGINT, SIGTERM, SIGHUP}) sigaddset(&held, s);
        active_ = pthread_sigmask(SIG_BLOCK, &held, &previous_) == 0;
    }
    ~HeldSignals() {
        if (active_) pthread_sigmask(SIG_SETMASK, &previous_, nullptr);
    }
    HeldSignals(const HeldSignals&) = delete;
    HeldSignals& operator=(const HeldSignals&) = delete;

private:
    sigset_t previous_{};
    bool active_ = false;
};

fs::path folderOf(const fs::path& target) {
    return target.has_parent_path() ? target.parent_path() : fs::path(".");
}

std::optional<std::string> replaceFile(const fs::path& given, const Fill& fill, const TemporaryNotice& notice = {}) {
    std::optional<HeldSignals> held(std::in_place);
    auto begun = beginReplacement(given);
    if (const auto* reason = std::get_if<std::string>(&begun)) return *reason;
    Pending& pending = std::get<Pending>(begun);
    if (notice) notice(pending.temporary);
    held.reset();

    std::optional<std::string> failure = settleAndClose(pending, guarded(fill, pending.fd));
    if (!failure && rename(pending.temporary.c_str(), pending.target.c_str()) != 0) failure = reasonOf(errno);
    if (failure) unlink(pending.temporary.c_str());
    if (notice) notice(fs::path());
    if (failure) return failure;
    syncFolder(folderOf(pending.target));
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

std::optional<FilesFailure> replaceFilesWith(const std::vector<fs::path>& targets,
                                             const std::function<void(const std::vector<std::ostream*>&)>& write,
                                             const TemporariesNotice& notice) {
    std::vector<Pending> pending;
    std::vector<fs::path> temporaries;
    std::optional<HeldSignals> held(std::in_place);
    const auto discard = [&] {
        for (Pending& p : pending) {
            if (p.fd >= 0) close(p.fd);
            unlink(p.temporary.c_str());
        }
        if (notice) notice({});
    };
    for (std::size_t i = 0; i < targets.size(); ++i) {
        auto begun = beginReplacement(targets[i]);
        if (const auto* reason = std::get_if<std::string>(&begun)) {
            discard();
            return FilesFailure{i, *reason};
        }
        pending.push_back(std::move(std::get<Pending>(begun)));
        temporaries.push_back(pending.back().temporary);
    }
    if (notice) notice(temporaries);
    held.reset();

    std::vector<std::unique_ptr<DescriptorBuffer>> buffers;
    std::vector<std::unique_ptr<std::ostream>> streams;
    std::vector<std::ostream*> outs;
    for (const Pending& p : pending) {
        buffers.push_back(std::make_unique<DescriptorBuffer>(p.fd));
        streams.push_back(std::make_unique<std::ostream>(buffers.back().get()));
        outs.push_back(streams.back().get());
    }
    std::optional<std::string> produced = guarded(
        [&](int) -> std::optional<std::string> {
            write(outs);
            return std::nullopt;
        },
        -1);
    for (std::size_t i = 0; i < pending.size(); ++i) {
        std::optional<std::string> failure = produced;
        if (!failure) {
            streams[i]->flush();
            if (buffers[i]->error() != 0)
                failure = reasonOf(buffers[i]->error());
            else if (!*streams[i])
                failure = std::string("the file could not be written completely");
        }
        failure = settleAndClose(pending[i], failure);
        if (failure) {
            discard();
            return FilesFailure{i, *failure};
        }
    }

    // The files there before are kept under a second name until every new one is in place, so
    // that a rename that fails can put back those already replaced.
    std::vector<fs::path> kept(pending.size());
    for (std::size_t i = 0; i < pending.size(); ++i) {
        if (!pending[i].previous) continue;
        const fs::path keep = temporaryPath(pending[i].target);
        if (link(pending[i].target.c_str(), keep.c_str()) == 0) kept[i] = keep;
    }
    std::optional<FilesFailure> failed;
    std::size_t renamed = 0;
    for (; renamed < pending.size(); ++renamed) {
        if (rename(pending[renamed].temporary.c_str(), pending[renamed].target.c_str()) != 0) {
            failed = FilesFailure{renamed, reasonOf(errno)};
            break;
        }
    }
    if (failed) {
        for (std::size_t i = 0; i < renamed; ++i) {
            if (!kept[i].empty())
                rename(kept[i].c_str(), pending[i].target.c_str());
            else if (!pending[i].previous)
                unlink(pending[i].target.c_str());
        }
        for (std::size_t i = renamed; i < pending.size(); ++i) unlink(pending[i].temporary.c_str());
    }
    for (const fs::path& keep : kept)
        if (!keep.empty()) unlink(keep.c_str());
    if (notice) notice({});
    if (failed) return failed;
    for (const Pending& p : pending) syncFolder(folderOf(p.target));
    return std::nullopt;
}

bool sameFile(const fs::path& a, const fs::path& b) {
    std::error_code ec;
    const bool same = fs::equivalent(a, b, ec);
    return !ec && same;
}

} // namespace korvel
