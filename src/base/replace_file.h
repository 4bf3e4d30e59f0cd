// Writing a whole file so that a failure never costs what was there before:
// scene saves, the scene compiler and the picture writers all go through it.
#pragma once

#include <string>
#include <vector>

// How a write ended: done, or failed before any byte could be placed (no
// temporary file could be made beside the target, or the target could not be
// opened), or failed while writing. reason holds the system's words for it.
struct FileWrite {
    enum Stage { DONE, OPEN_FAILED, WRITE_FAILED };
    Stage stage = DONE;
    std::string reason;
};

// Writes the bytes beside the target under a temporary name, checks every
// write, flush and close, then renames it over the target. On failure the
// old file is untouched and the temporary file is gone. A target that is a
// symbolic link is followed; a link to nothing, and a name that holds a
// directory, a pipe, a device or a socket, are refused and left as they are.
FileWrite replace_file(const char* name, const std::vector<unsigned char>& bytes);

// The same, giving the reason for a failure or an empty string on success.
std::string write_file_replacing(const char* name, const std::vector<unsigned char>& bytes);
