#include "start_dir.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>

void advise_if_no_textures() {
    struct stat info {};
    if (stat("textures", &info) == 0 && S_ISDIR(info.st_mode)) return;
    char dir[4096];
    if (getcwd(dir, sizeof dir) == nullptr) std::snprintf(dir, sizeof dir, "the working directory");
    std::printf("No textures/ directory in %s, where the town and its textures are looked for.\n"
                "Start Quillmoor with the launcher `quillmoor' once it is installed, "
                "or from the build directory: cd build && ./quillmoor\n",
                dir);
}
