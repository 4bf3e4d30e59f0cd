// Whole-file writes that keep the old file until the new one is complete.
#include "replace_file.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "regular_file.h"

namespace {

// Where a save really lands: a name that is a symbolic link is followed, so
// the rename replaces the file it points to and the link stays a link. A
// link to nothing is refused rather than replaced by a file of its own.
struct SaveTarget {
    std::string path;
    std::string refusal;
};
SaveTarget save_target(const char* name) {
    struct stat link_info {};
    if (lstat(name, &link_info) != 0 || !S_ISLNK(link_info.st_mode)) return {name, ""};
    char resolved[PATH_MAX];
    if (realpath(name, resolved) != nullptr) return {resolved, ""};
    if (errno != ENOENT) return {name, std::strerror(errno)};
    return {name, "it is a link to a file that does not exist"};
}

// The permissions the old file had, or those a freshly created file gets.
mode_t save_mode(const std::string& target) {
    struct stat info {};
    if (stat(target.c_str(), &info) == 0) return info.st_mode & 07777;
    const mode_t mask = umask(0);
    umask(mask);
    return 0666 & ~mask;
}

// A directory, a pipe, a device or a socket already under the name: a
// rename would remove it, and writing into a pipe waits for a reader.
std::string not_replaceable(const std::string& target) {
    struct stat info {};
    if (stat(target.c_str(), &info) != 0 || S_ISREG(info.st_mode)) return "";
    return not_a_file_reason(info.st_mode);
}

FileWrite failed(FileWrite::Stage stage, int error) {
    return {stage, error != 0 ? std::strerror(error) : "write failed"};
}

}  // namespace

FileWrite replace_file(const char* name, const std::vector<unsigned char>& bytes) {
    const SaveTarget save = save_target(name);
    if (!save.refusal.empty()) return {FileWrite::OPEN_FAILED, save.refusal};
    const std::string& target = save.path;
    const std::string refusal = not_replaceable(target);
    if (!refusal.empty()) return {FileWrite::OPEN_FAILED, refusal};
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
