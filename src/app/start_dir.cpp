#include "start_dir.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>

std::vector<std::string> advise_if_no_textures() {
    struct stat info {};
    if (stat("textures", &info) == 0 && S_ISDIR(info.st_mode)) return {};
    char dir[4096];
    if (getcwd(dir, sizeof dir) == nullptr) std::snprintf(dir, sizeof dir, "the working directory");
    const std::vector<std::string> advice = {
        std::string("No textures/ directory in ") + dir + ", where the town and its textures are looked for.",
        "Start Quillmoor with the launcher `quillmoor' once it is installed, "
        "or from the build directory: cd build && ./quillmoor"};
    for (const std::string& line : advice) std::printf("%s\n", line.c_str());
    return advice;
}
