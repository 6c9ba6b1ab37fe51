// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/FileImage.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdint>
#include <filesystem>
#include <limits>
#include <new>
#include <optional>
#include <string>
#include <utility>

namespace tintorb {

namespace {

// Closes a descriptor when it goes out of scope.
class Descriptor {
  public:
    explicit Descriptor(int fd) : fd_(fd) {}
    Descriptor(Descriptor&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
    ~Descriptor() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    [[nodiscard]] int get() const { return fd_; }
    // Closes now, reporting the error a late write-back may give.
    [[nodiscard]] int Close() {
        const int rc = ::close(fd_);
        fd_ = -1;
        return rc;
    }

  private:
    int fd_;
};

[[noreturn]] void Fail(const char* text) {
    throw FileError(text);
}

[[noreturn]] void FailIo(int error) {
    throw FileError("I/O error " + std::to_string(error));
}

// A limit on the size of files this process may write (ulimit -f), not a full disk.
[[noreturn]] void FailTooLarge() {
    Fail("The file is larger than the system lets this program write");
}

// The message for an operating-system error while writing, syncing or closing.
[[noreturn]] void FailWrite(int error) {
    if (error == EFBIG) {
        FailTooLarge();
    }
    error == ENOSPC || error == EDQUOT ? Fail("Disk full") : FailIo(error);
}

// The message for an operating-system error while opening, creating or renaming.
[[noreturn]] void FailOpen(int error) {
    switch (error) {
        case ENOENT:
        case ENOTDIR:
        case ENAMETOOLONG:
        case ELOOP:
        case EINVAL:
            Fail("Invalid filename");
        case EMFILE:
        case ENFILE:
            Fail("Too many open files");
        case EACCES:
        case EPERM:
        case EROFS:
        case EISDIR:
        case ETXTBSY:
            Fail("File access denied");
        case ENOMEM:
            Fail("Out of memory");
        case ENOSPC:
        case EDQUOT:
            Fail("Disk full");
        case EFBIG:
            FailTooLarge();
        default:
            throw FileError("I/O error " + std::to_string(error));
    }
}

// Whether the folder part of path exists, so that a missing file and a missing folder are told apart.
[[nodiscard]] bool FolderExists(const std::string& path) {
    const std::filesystem::path parent = std::filesystem::path(path).parent_path();
    std::error_code ignored;
    return parent.empty() || std::filesystem::is_directory(parent, ignored);
}

void ReadAll(int fd, std::uint8_t* data, std::size_t size) {
    std::size_t done = 0;
    while (done < size) {
        const ssize_t got = ::read(fd, data + done, size - done);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            errno == EISDIR ? Fail("File access denied") : FailIo(errno);
        }
        if (got == 0) {
            Fail("Read beyond end of file");
        }
        done += static_cast<std::size_t>(got);
    }
}

void WriteAll(int fd, const std::uint8_t* data, std::size_t size) {
    std::size_t done = 0;
    while (done < size) {
        const ssize_t put = ::write(fd, data + done, size - done);
        if (put < 0 && errno == EINTR) {
            continue;
        }
        if (put < 0) {
            FailWrite(errno);
        }
        if (put == 0) {
            Fail("Disk full");
        }
        done += static_cast<std::size_t>(put);
    }
}

// The file a save really replaces: links are followed, so that a link stays and its target is written. A
// target that does not exist yet is created where the link points, as writing through the link would.
[[nodiscard]] std::string ResolveTarget(const std::string& path) {
    // As many links as the kernel follows in one lookup before it gives up with ELOOP.
    constexpr int MaxLinks = 40;
    std::filesystem::path target = path;
    for (int links = 0;; ++links) {
        std::error_code error;
        if (!std::filesystem::is_symlink(std::filesystem::symlink_status(target, error))) {
            return target.string();
        }
        if (links == MaxLinks) {
            FailOpen(ELOOP);
        }
        const std::filesystem::path next = std::filesystem::read_symlink(target, error);
        if (error) {
            FailOpen(error.value());
        }
        // A relative link is read from the folder that holds it.
        target = next.is_absolute() ? next : target.parent_path() / next;
    }
}

// Removes the temporary file unless the save went through.
class TemporaryFile {
  public:
    explicit TemporaryFile(std::string path) : path_(std::move(path)) {}
    ~TemporaryFile() { Remove(); }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;
    void Keep() { kept_ = true; }
    void Remove() {
        if (!kept_) {
            ::unlink(path_.c_str());
            kept_ = true;
        }
    }

  private:
    std::string path_;
    bool kept_ = false;
};

// Writes all of data to the open file and makes it durable; the file is closed after.
void WriteDurably(Descriptor& file, std::span<const std::uint8_t> data) {
    WriteAll(file.get(), data.data(), data.size());
    if (::fsync(file.get()) != 0) {
        FailWrite(errno);
    }
    if (file.Close() != 0) {
        FailWrite(errno);
    }
}

// Overwrites the file itself: what a save does to a file with other hard links, which a file renamed over
// this name would leave with the old bytes.
void WriteInPlace(const std::string& target, std::span<const std::uint8_t> data) {
    Descriptor file(::open(target.c_str(), O_WRONLY | O_CLOEXEC));
    if (file.get() < 0) {
        FailOpen(errno);
    }
    WriteAll(file.get(), data.data(), data.size());
    if (::ftruncate(file.get(), static_cast<off_t>(data.size())) != 0) {
        FailWrite(errno);
    }
    WriteDurably(file, {});
}

// Makes the rename itself durable. The new bytes are already safe, so a failure here is not reported.
void SyncFolder(const std::filesystem::path& folder) {
    const std::string name = folder.empty() ? std::string(".") : folder.string();
    const Descriptor directory(::open(name.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (directory.get() >= 0) {
        [[maybe_unused]] const int ignored = ::fsync(directory.get());
    }
}

[[nodiscard]] FileStamp StampFrom(const struct stat& info) {
    return {static_cast<std::int64_t>(info.st_size),
            static_cast<std::int64_t>(info.st_mtim.tv_sec) * 1'000'000'000 + info.st_mtim.tv_nsec};
}

// Opens the file at path to be read whole, and gives its size in info; refuses what cannot be read whole.
[[nodiscard]] Descriptor OpenWhole(const std::string& path, struct stat& info) {
    if (path.empty()) {
        Fail("Invalid filename");
    }
    // Non-blocking, so that a pipe given as the path reads as empty instead of hanging the window.
    Descriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (file.get() < 0) {
        const int error = errno;
        if (error == ENOENT && FolderExists(path)) {
            Fail("File not found");
        }
        FailOpen(error);
    }
    if (::fstat(file.get(), &info) != 0) {
        FailIo(errno);
    }
    if (S_ISDIR(info.st_mode)) {
        Fail("File access denied");
    }
    // Offsets into the image are signed 32-bit; a larger file cannot be addressed, so it is not read.
    if (info.st_size < 0 || info.st_size > std::numeric_limits<std::int32_t>::max()) {
        Fail("Out of memory");
    }
    return file;
}

}  // namespace

std::optional<FileStamp> StampOf(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        return std::nullopt;
    }
    return StampFrom(info);
}

bool SameFile(const std::string& a, const std::string& b) {
    std::error_code error;
    return std::filesystem::equivalent(a, b, error) && !error;
}

FileStamp LoadFileData(FileBytes& fileData, const std::string& path) {
    struct stat info {};
    const Descriptor file = OpenWhole(path, info);
    // A fresh image, so that a failed read leaves the loaded one alone; the read overwrites all of it, so
    // it is not zeroed first.
    FileBytes fresh;
    try {
        fresh.ResizeForOverwrite(static_cast<std::size_t>(info.st_size));
    } catch (const std::bad_alloc&) {
        Fail("Out of memory");
    }
    ReadAll(file.get(), fresh.data(), fresh.size());
    fileData.swap(fresh);
    return StampFrom(info);
}

std::string LoadFileText(const std::string& path) {
    struct stat info {};
    const Descriptor file = OpenWhole(path, info);
    std::string text;
    try {
        text.resize(static_cast<std::size_t>(info.st_size));
    } catch (const std::bad_alloc&) {
        Fail("Out of memory");
    }
    ReadAll(file.get(), reinterpret_cast<std::uint8_t*>(text.data()), text.size());
    return text;
}

void IgnoreFileSizeSignal() {
    std::signal(SIGXFSZ, SIG_IGN);
}

void SaveFileData(std::span<const std::uint8_t> data, const std::string& path) {
    if (path.empty()) {
        Fail("Invalid filename");
    }
    const std::string target = ResolveTarget(path);
    struct stat existing {};
    const bool exists = ::stat(target.c_str(), &existing) == 0;
    // Renaming over a folder, a device or a pipe would destroy it rather than write into it.
    if (exists && !S_ISREG(existing.st_mode)) {
        Fail("File access denied");
    }
    // The rename would go through even over a read-only file; keep such a file as safe as it looks.
    if (exists && ::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0) {
        FailOpen(errno);
    }

    const std::filesystem::path folder = std::filesystem::path(target).parent_path();
    std::string temporary = (folder / ".tintorb-XXXXXX").string();
    Descriptor file(::mkostemp(temporary.data(), O_CLOEXEC));
    if (file.get() < 0) {
        FailOpen(errno);
    }
    TemporaryFile cleanup(temporary);

    if (exists) {
        // A replaced file keeps its owner where that is allowed (always for root) and its permission bits;
        // the owner goes first because changing it clears the set-id bits.
        [[maybe_unused]] const int ignored = ::fchown(file.get(), existing.st_uid, existing.st_gid);
    }
    mode_t mode = existing.st_mode & 07777;
    if (!exists) {
        // A new file gets what creating it plainly would give.
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    if (::fchmod(file.get(), mode) != 0) {
        FailIo(errno);
    }
    WriteDurably(file, data);
    if (exists && existing.st_nlink > 1) {
        // The full copy showed that the bytes fit; it goes before the file is overwritten, so that the
        // space it took is there for the file to grow into.
        cleanup.Remove();
        WriteInPlace(target, data);
        return;
    }
    if (::rename(temporary.c_str(), target.c_str()) != 0) {
        FailOpen(errno);
    }
    cleanup.Keep();
    SyncFolder(folder);
}

}  // namespace tintorb
