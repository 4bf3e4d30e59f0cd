// Screenshot names, the PNG encoding of the picture and its safe writing.
#include "screenshot.h"

#include <png.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>

#include "replace_file.h"

namespace {

constexpr int MAX_COUNTER = 999;
// Far beyond any window, and small enough that a row's byte count and the
// encoder's worst-case size stay well inside their integer types.
constexpr int MAX_SIDE = 16384;

bool file_exists(const std::string& name) {
    struct stat info;
    return stat(name.c_str(), &info) == 0;
}

// The name with the folder it lands in, so the user can find the picture.
std::string in_working_folder(const std::string& name) {
    char folder[PATH_MAX];
    if (getcwd(folder, sizeof folder) == nullptr) return name;
    const std::string dir = folder;
    return dir == "/" ? dir + name : dir + "/" + name;
}

}  // namespace

std::string screenshot_file_name(std::time_t when, const std::function<bool(const std::string&)>& exists) {
    std::tm local{};
    localtime_r(&when, &local);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "quillmoor-%Y%m%d-%H%M%S", &local);
    std::string name = std::string(stamp) + ".png";
    for (int counter = 2; exists(name); ++counter) {
        if (counter > MAX_COUNTER) return "";
        name = std::string(stamp) + "-" + std::to_string(counter) + ".png";
    }
    return name;
}

PngBytes encode_png(int width, int height, const unsigned char* rgb) {
    if (width <= 0 || height <= 0) return {{}, "the picture has no pixels"};
    if (width > MAX_SIDE || height > MAX_SIDE) return {{}, "the picture is too large"};
    if (rgb == nullptr) return {{}, "no pixels were read"};
    // libpng's simplified interface keeps its error jumps inside itself, so
    // no jump crosses our frames; it reports a failure as a message.
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(width);
    image.height = static_cast<png_uint_32>(height);
    image.format = PNG_FORMAT_RGB;
    std::vector<unsigned char> bytes(PNG_IMAGE_PNG_SIZE_MAX(image));
    png_alloc_size_t size = bytes.size();
    // A negative stride tells libpng the first row in memory is the bottom one.
    const png_int_32 stride = -static_cast<png_int_32>(PNG_IMAGE_ROW_STRIDE(image));
    if (png_image_write_to_memory(&image, bytes.data(), &size, 0, rgb, stride, nullptr) == 0) {
        return {{}, std::string("PNG encoding failed: ") + image.message};
    }
    bytes.resize(size);
    return {std::move(bytes), ""};
}

std::string write_png(const std::string& path, int width, int height, const unsigned char* rgb) {
    const PngBytes png = encode_png(width, height, rgb);
    if (!png.reason.empty()) return png.reason;
    return write_file_replacing(path.c_str(), png.bytes);
}

std::string save_screenshot(int width, int height, const unsigned char* rgb,
                            const std::function<void(const std::string&)>& tell) {
    const std::string name = screenshot_file_name(std::time(nullptr), file_exists);
    if (name.empty()) {
        tell("screenshot not saved: too many screenshots this second");
        return "";
    }
    const std::string path = in_working_folder(name);
    const std::string reason = write_png(path, width, height, rgb);
    tell(reason.empty() ? "screenshot saved: " + path : "screenshot not saved: " + path + ": " + reason);
    return reason.empty() ? path : "";
}
