// Opening a file to read it without ever waiting on it: a pipe, a device, a
// socket or a folder named where a scene, a picture or res.cfg is expected is
// refused at once, with a reason, instead of freezing the window.
#pragma once

#include <sys/types.h>

#include <cstdio>
#include <memory>
#include <string>

struct StdioClose {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using StdioFile = std::unique_ptr<std::FILE, StdioClose>;

// An open regular file (a symbolic link to one is followed), or null and the
// reason: the system's words, or what the name is instead of a file.
struct RegularFile {
    StdioFile file;
    std::string reason;
};
RegularFile open_regular_file(const char* name);

// "it is a pipe, not a file" and the like, for a node that is not a regular file.
std::string not_a_file_reason(mode_t mode);
