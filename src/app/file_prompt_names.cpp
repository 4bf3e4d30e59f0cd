// The file prompt's rules for names: which it refuses, how the folder it
// shows is shortened, and how a chosen file is named in the field.
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "file_prompt.h"

namespace {

constexpr char ELLIPSIS[] = "...";

bool is_continuation_byte(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// The longest end of text that fits after an ellipsis, never starting in the
// middle of a UTF-8 character.
std::string ending_that_fits(const std::string& text, double max_width,
                             const std::function<double(const std::string&)>& width_of) {
    std::size_t start = 0;
    while (start < text.size()) {
        if (!is_continuation_byte(text[start]) && width_of(ELLIPSIS + text.substr(start)) <= max_width) break;
        ++start;
    }
    return ELLIPSIS + text.substr(start);
}

}  // namespace

std::string file_name_refusal(const char* text) {
    const std::size_t bytes = std::strlen(text);
    if (bytes == 0) return "No file name given: type one, choose one with Browse..., or cancel";
    if (bytes < static_cast<std::size_t>(FILE_NAME_BYTES)) return "";
    char reason[128];
    std::snprintf(reason, sizeof reason, "File name too long: %zu bytes, at most %d fit; shorten it or cancel",
                  bytes, FILE_NAME_BYTES - 1);
    return reason;
}

std::string shortened_folder(const std::string& folder, double max_width,
                             const std::function<double(const std::string&)>& width_of) {
    if (width_of(folder) <= max_width) return folder;
    // "/home/ann/.../quillmoor/build": the start says where it is rooted,
    // the end which folder it is; whole folder names only.
    const std::size_t head_end = folder.find('/', 1);
    const std::string head = head_end == std::string::npos ? "" : folder.substr(0, head_end);
    for (std::size_t cut = folder.find('/', head_end == std::string::npos ? 1 : head_end + 1);
         cut != std::string::npos; cut = folder.find('/', cut + 1)) {
        const std::string shortened = head + "/" + ELLIPSIS + folder.substr(cut);
        if (width_of(shortened) <= max_width) return shortened;
    }
    const std::size_t last = folder.rfind('/');
    const std::string last_folder = last == std::string::npos ? folder : folder.substr(last);
    if (width_of(ELLIPSIS + last_folder) <= max_width) return ELLIPSIS + last_folder;
    return ending_that_fits(last_folder, max_width, width_of);
}

std::string field_name_for_chosen(const std::string& chosen, const std::string& folder) {
    namespace fs = std::filesystem;
    const fs::path file = fs::path(chosen).lexically_normal();
    const fs::path relative = file.lexically_relative(fs::path(folder).lexically_normal());
    if (relative.empty() || relative == "." || *relative.begin() == "..") return file.string();
    return relative.string();
}
