// Opening a file to read without ever waiting on a pipe or a device.
#include "regular_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <utility>

std::string not_a_file_reason(mode_t mode) {
    if (S_ISDIR(mode)) return "it is a directory, not a file";
    if (S_ISFIFO(mode)) return "it is a pipe, not a file";
    if (S_ISSOCK(mode)) return "it is a socket, not a file";
    if (S_ISCHR(mode) || S_ISBLK(mode)) return "it is a device, not a file";
    return "it is not a regular file";
}

RegularFile open_regular_file(const char* name) {
    // Looked at before it is opened: opening a pipe or a device can wait, or
    // do something to it (wake its writer, rewind a tape).
    struct stat info {};
    if (stat(name, &info) != 0) return {nullptr, std::strerror(errno)};
    if (!S_ISREG(info.st_mode)) return {nullptr, not_a_file_reason(info.st_mode)};

    // Without blocking, and checked again once open, in case the name was
    // replaced by a pipe in between.
    const int fd = open(name, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return {nullptr, std::strerror(errno)};
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        close(fd);
        return {nullptr, not_a_file_reason(info.st_mode)};
    }
    StdioFile file(fdopen(fd, "rb"));
    if (!file) {
        const int error = errno;
        close(fd);
        return {nullptr, std::strerror(error)};
    }
    return {std::move(file), ""};
}
