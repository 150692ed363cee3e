#include "base/io_error.h"
#include "patching/map_io.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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
    impl_ = std::move(impl);
}

MapIo::~MapIo() = default;

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
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::pwrite(impl_->writeFd, bytes.data() + done, bytes.size() - done,
                                   static_cast<off_t>(offset + done));
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            fail(path_, errno);
        }
        if (n == 0) {
            fail(path_, EIO);
        }
        done += static_cast<std::size_t>(n);
    }
}

} // namespace quorvell::patching
