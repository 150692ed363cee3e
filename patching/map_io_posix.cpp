#include "base/io_error.h"
#include "patching/map_io.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#if defined(__linux__)
#include <sys/vfs.h>
#endif
#include <unistd.h>
#include <utility>

namespace quorvell::patching {

struct MapIo::Impl {
    int readFd = -1;
    int writeFd = -1;
    struct stat identity {};

    ~Impl() {
        if (writeFd >= 0) {
            ::close(writeFd);
        }
        if (readFd >= 0) {
            ::close(readFd);
        }
    }
};

namespace {

[[noreturn]] void fail(const std::filesystem::path& path, int error) {
    throw IoError(path.string(), systemReason(error));
}

// Opening a FIFO or device for reading could block or have side effects; a
// map is always a plain file.
void requireRegularFile(const std::filesystem::path& path, const struct stat& st) {
    if (!S_ISREG(st.st_mode)) {
        throw IoError(path.string(),
                      S_ISDIR(st.st_mode) ? systemReason(EISDIR) : "not a regular file");
    }
}

// A file of the kernel's own file systems (/proc/self/mem, /sys) looks
// regular to stat but is no file on disk: reading it fails or never ends,
// and writing it changes the running system.
void requireFileOnDisk(const std::filesystem::path& path, int fd) {
#if defined(__linux__)
    struct statfs fs {};
    if (::fstatfs(fd, &fs) != 0) {
        fail(path, errno);
    }
    constexpr long kProc = 0x9fa0;
    constexpr long kSys = 0x62656572;
    constexpr long kDebug = 0x64626720;
    constexpr long kSecurity = 0x73636673;
    constexpr long kTrace = 0x74726163;
    const long type = static_cast<long>(fs.f_type);
    if (type == kProc || type == kSys || type == kDebug || type == kSecurity || type == kTrace) {
        throw IoError(path.string(), "not a map file on disk (a file of the system's kernel)");
    }
#else
    (void)path;
    (void)fd;
#endif
}

} // namespace

MapIo::MapIo(std::filesystem::path path) : path_(std::move(path)) {
    const int fd = ::open(path_.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) {
        if (errno == ENOENT) {
            return; // vanished since it was listed
        }
        fail(path_, errno);
    }
    auto impl = std::make_unique<Impl>();
    impl->readFd = fd;
    if (::fstat(fd, &impl->identity) != 0) {
        fail(path_, errno);
    }
    requireRegularFile(path_, impl->identity);
    requireFileOnDisk(path_, fd);
    // The walk reads the table in large blocks and stops where it ends. The
    // system's read-ahead would go on into the map's tail, which is never
    // looked at (with a large read-ahead setting, the whole file each time).
    ::posix_fadvise(fd, 0, 0, POSIX_FADV_RANDOM);
    impl_ = std::move(impl);
}

MapIo::~MapIo() = default;

std::uint64_t MapIo::length() const noexcept {
    return impl_ ? static_cast<std::uint64_t>(impl_->identity.st_size) : 0;
}

FileIdentity MapIo::identity() const noexcept {
    if (!impl_) {
        return {};
    }
    return {static_cast<std::uint64_t>(impl_->identity.st_dev),
            static_cast<std::uint64_t>(impl_->identity.st_ino)};
}

std::uint64_t MapIo::hardLinks() const noexcept {
    return impl_ ? static_cast<std::uint64_t>(impl_->identity.st_nlink) : 0;
}

std::optional<FileIdentity> currentIdentity(const std::filesystem::path& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) {
        if (errno == ENOENT || errno == ENOTDIR) {
            return std::nullopt;
        }
        fail(path, errno);
    }
    return FileIdentity{static_cast<std::uint64_t>(st.st_dev),
                        static_cast<std::uint64_t>(st.st_ino)};
}

bool MapIo::writable() const noexcept {
    return impl_ && impl_->writeFd >= 0;
}

std::size_t MapIo::read(std::uint64_t offset, char* buffer, std::size_t size) {
    if (!impl_) {
        fail(path_, ENOENT);
    }
    std::size_t got = 0;
    while (got < size) {
        const ssize_t n =
            ::pread(impl_->readFd, buffer + got, size - got, static_cast<off_t>(offset + got));
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            fail(path_, errno);
        }
        if (n == 0) {
            break; // end of file
        }
        got += static_cast<std::size_t>(n);
    }
    return got;
}

void MapIo::write(std::uint64_t offset, std::string_view bytes) {
    if (!impl_) {
        fail(path_, ENOENT);
    }
    if (impl_->writeFd < 0) {
        // A second handle rather than an upfront O_RDWR: only maps that
        // really change need write permission. Never O_CREAT.
        const int fd = ::open(path_.c_str(), O_WRONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
        if (fd < 0) {
            if (errno == ENOENT) {
                throw MapVanished(path_.string(), systemReason(ENOENT));
            }
            fail(path_, errno);
        }
        struct stat st {};
        if (::fstat(fd, &st) != 0) {
            const int error = errno;
            ::close(fd);
            fail(path_, error);
        }
        if (st.st_dev != impl_->identity.st_dev || st.st_ino != impl_->identity.st_ino) {
            ::close(fd);
            throw IoError(path_.string(), "the file was replaced while it was being patched");
        }
        impl_->writeFd = fd;
    }
    // Cut short or lengthened by someone else: what the walk read no longer
    // describes the file, and a write could grow it again.
    struct stat now {};
    if (::fstat(impl_->writeFd, &now) != 0) {
        fail(path_, errno);
    }
    if (now.st_size != impl_->identity.st_size ||
        offset + bytes.size() > static_cast<std::uint64_t>(now.st_size)) {
        throw IoError(path_.string(), "the file changed while it was being patched");
    }
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::pwrite(impl_->writeFd, bytes.data() + done, bytes.size() - done,
                                   static_cast<off_t>(offset + done));
        if (n > 0) {
            done += static_cast<std::size_t>(n);
            continue;
        }
        if (n < 0 && errno == EINTR) {
            continue;
        }
        const IoError cause(path_.string(), systemReason(n < 0 ? errno : EIO));
        if (done > 0) {
            throw WriteStopped(cause, done);
        }
        throw cause;
    }
}

void MapIo::close() {
    if (!impl_ || impl_->writeFd < 0) {
        return;
    }
    // Linux frees the handle even when close fails, so it is never retried.
    if (::close(std::exchange(impl_->writeFd, -1)) != 0) {
        fail(path_, errno);
    }
}

} // namespace quorvell::patching
