// Screenshot names and writing.
#include "screenshot.h"

#include <sys/stat.h>

#include <cstdio>

#include "tga.h"

namespace {

constexpr int MAX_COUNTER = 999;

bool file_exists(const std::string& name) {
    struct stat info;
    return stat(name.c_str(), &info) == 0;
}

}  // namespace

std::string screenshot_file_name(std::time_t when, const std::function<bool(const std::string&)>& exists) {
    std::tm local{};
    localtime_r(&when, &local);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "quillmoor-%Y%m%d-%H%M%S", &local);
    std::string name = std::string(stamp) + ".tga";
    for (int counter = 2; exists(name); ++counter) {
        if (counter > MAX_COUNTER) return "";
        name = std::string(stamp) + "-" + std::to_string(counter) + ".tga";
    }
    return name;
}

std::string save_screenshot(int width, int height, const unsigned char* rgb) {
    const std::string name = screenshot_file_name(std::time(nullptr), file_exists);
    if (name.empty()) {
        std::printf("screenshot not saved: too many screenshots this second\n");
    } else if (write_tga(name.c_str(), width, height, rgb, TGA_RGB) == 1) {
        std::printf("screenshot saved: %s\n", name.c_str());
    } else {
        std::printf("screenshot not saved: %s: %s\n", name.c_str(), tga_error_message(tga_error_code));
        std::fflush(stdout);
        return "";
    }
    std::fflush(stdout);
    return name.empty() ? "" : name;
}
