// Telling the user: standard output keeps every line, and the window shows
// it for a few seconds for whoever never sees that output.
#include <cstdio>

#include "town.h"

void Town::tell_user(const std::string& line, const char* ending) {
    std::printf("%s%s", line.c_str(), ending);
    std::fflush(stdout);
    overlays.messages.post(line, GetTickCount());
}
