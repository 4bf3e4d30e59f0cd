// The window size as res.cfg keeps it and as the size dialog accepts it:
// reading the two fields, validating a confirmed answer, writing the file.
// Toolkit-free and header-only, so the shell and the core's tests share it.
#pragma once

#include <sys/stat.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "regular_file.h"
#include "replace_file.h"

constexpr int MIN_WINDOW_WIDTH = 320;
constexpr int MAX_WINDOW_WIDTH = 1600;
constexpr int MIN_WINDOW_HEIGHT = 240;
constexpr int MAX_WINDOW_HEIGHT = 1200;
constexpr int DEFAULT_WINDOW_WIDTH = 800;
constexpr int DEFAULT_WINDOW_HEIGHT = 600;

// Each field holds at most 4 characters and its terminating zero.
constexpr int SIZE_FIELD_BYTES = 5;

struct WindowSizeText {
    char width[SIZE_FIELD_BYTES] = "800";
    char height[SIZE_FIELD_BYTES] = "600";
};

// Reads one field: digits up to the first non-digit (end of file included),
// at most 4 of them. The character that ends the field is consumed, and so
// is a fifth character even when it is a digit. Returns that character.
inline int read_size_field(std::FILE* file, char (&field)[SIZE_FIELD_BYTES]) {
    for (int i = 0;; ++i) {
        const int c = std::fgetc(file);
        if (c < '0' || c > '9' || i == SIZE_FIELD_BYTES - 1) {
            field[i] = '\0';
            return c;
        }
        field[i] = static_cast<char>(c);
    }
}

// The text the dialog starts with: res.cfg's two fields, or 800 and 600
// when the file cannot be opened. A res.cfg edited on Windows ends its
// first line with CR LF, which is one line end, not an empty height.
// A res.cfg that is a pipe or a directory is refused with a line, since
// reading a pipe would wait before any window is shown.
inline WindowSizeText read_res_cfg(const char* path = "res.cfg") {
    WindowSizeText text;
    const RegularFile opened = open_regular_file(path);
    if (!opened.file) {
        struct stat info {};
        if (stat(path, &info) == 0) std::printf("Window size not read from %s: %s\n", path, opened.reason.c_str());
        return text;
    }
    std::FILE* const file = opened.file.get();
    if (read_size_field(file, text.width) == '\r') {
        const int next = std::fgetc(file);
        if (next != '\n' && next != EOF) std::ungetc(next, file);
    }
    read_size_field(file, text.height);
    return text;
}

// Writes the two fields as they stand, replacing the old file only once the
// new one is whole; a file that cannot be written (or a name that is not a
// file) is ignored, and the next start falls back to the defaults.
inline void write_res_cfg(const WindowSizeText& text, const char* path = "res.cfg") {
    const std::string lines = std::string(text.width) + "\n" + text.height;
    replace_file(path, std::vector<unsigned char>(lines.begin(), lines.end()));
}

// Copies at most the first 4 characters of a typed field.
inline void copy_size_field(char (&field)[SIZE_FIELD_BYTES], const char* typed) {
    int i = 0;
    for (; i < SIZE_FIELD_BYTES - 1 && typed[i] != '\0'; ++i) field[i] = typed[i];
    field[i] = '\0';
}

struct AcceptedSize {
    int width = DEFAULT_WINDOW_WIDTH;
    int height = DEFAULT_WINDOW_HEIGHT;
    WindowSizeText text;    // what res.cfg is to hold
    bool fell_back = false; // the answer was refused for 800 by 600
};

// Validates what the dialog's two fields hold when the user confirms: the
// first 4 characters of each, read as decimal numbers; a size outside 320 x
// 240 to 1600 x 1200 (an empty or non-numeric field reads as 0) gives 800
// by 600. res.cfg gets the numbers as they were read ("+900" or " 900"
// becomes "900"), since the next start reads digits only.
inline AcceptedSize accept_window_size(const char* width_input, const char* height_input) {
    AcceptedSize size;
    copy_size_field(size.text.width, width_input);
    copy_size_field(size.text.height, height_input);
    const long width = std::strtol(size.text.width, nullptr, 10);
    const long height = std::strtol(size.text.height, nullptr, 10);

    const bool width_ok = width >= MIN_WINDOW_WIDTH && width <= MAX_WINDOW_WIDTH;
    const bool height_ok = height >= MIN_WINDOW_HEIGHT && height <= MAX_WINDOW_HEIGHT;
    if (!width_ok || !height_ok) {
        size.fell_back = true;
        size.text = WindowSizeText{};
        return size;
    }
    size.width = static_cast<int>(width);
    size.height = static_cast<int>(height);
    std::snprintf(size.text.width, SIZE_FIELD_BYTES, "%d", size.width);
    std::snprintf(size.text.height, SIZE_FIELD_BYTES, "%d", size.height);
    return size;
}
