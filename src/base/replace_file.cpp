// Whole-file writes that keep the old file until the new one is complete.
#include "replace_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

// Where a save really lands: a name that is a symbolic link is followed, so
// the rename replaces the file it points to and the link stays a link.
std::string save_target(const char* name) {
    struct stat link_info {};
    if (lstat(name, &link_info) != 0 || !S_ISLNK(link_info.st_mode)) return name;
    char resolved[PATH_MAX];
    if (realpath(name, resolved) == nullptr) return name;
    return resolved;
}

// The permissions the old file had, or those a freshly created file gets.
mode_t save_mode(const std::string& target) {
    struct stat info {};
    if (stat(target.c_str(), &info) == 0) return info.st_mode & 07777;
    const mode_t mask = umask(0);
    umask(mask);
    return 0666 & ~mask;
}

// A device, a pipe or a socket: something a rename would remove, not replace.
bool is_special(const std::string& target) {
    struct stat info {};
    return stat(target.c_str(), &info) == 0 && !S_ISREG(info.st_mode) && !S_ISDIR(info.st_mode);
}

FileWrite failed(FileWrite::Stage stage, int error) {
    return {stage, error != 0 ? std::strerror(error) : "write failed"};
}

// Every byte through the descriptor, then a checked close. Nothing is
// created or removed, so a failure leaves the node as it was.
FileWrite write_in_place(const std::string& target, const std::vector<unsigned char>& bytes) {
    const int fd = open(target.c_str(), O_WRONLY | O_CLOEXEC);
    if (fd < 0) return failed(FileWrite::OPEN_FAILED, errno);
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            const int error = n < 0 ? errno : 0;
            close(fd);
            return failed(FileWrite::WRITE_FAILED, error);
        }
        done += static_cast<std::size_t>(n);
    }
    if (close(fd) != 0) return failed(FileWrite::WRITE_FAILED, errno);
    return {};
}

}  // namespace

FileWrite replace_file(const char* name, const std::vector<unsigned char>& bytes) {
    const std::string target = save_target(name);
    if (is_special(target)) return write_in_place(target, bytes);
    std::string temp_name = target + ".XXXXXX";
    const int fd = mkstemp(&temp_name[0]);
    if (fd < 0) return failed(FileWrite::OPEN_FAILED, errno);
    fchmod(fd, save_mode(target));  // best effort: the bytes matter more than the mode

    std::FILE* file = fdopen(fd, "wb");
    if (file == nullptr) {
        const int error = errno;
        close(fd);
        unlink(temp_name.c_str());
        return failed(FileWrite::OPEN_FAILED, error);
    }
    auto fail = [&](int error) {
        if (file != nullptr) std::fclose(file);
        unlink(temp_name.c_str());
        return failed(FileWrite::WRITE_FAILED, error);
    };
    errno = 0;
    if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size()) {
        return fail(errno);
    }
    if (std::fflush(file) != 0) return fail(errno);
    if (fsync(fileno(file)) != 0) return fail(errno);
    const int closed = std::fclose(file);
    file = nullptr;
    if (closed != 0) return fail(errno);
    if (std::rename(temp_name.c_str(), target.c_str()) != 0) return fail(errno);
    return {};
}

std::string write_file_replacing(const char* name, const std::vector<unsigned char>& bytes) {
    return replace_file(name, bytes).reason;
}
