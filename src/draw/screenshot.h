// Screenshots of the picture as shown: named after the moment they are
// taken, written as PNG, announced on standard output with their full path.
#pragma once

#include <ctime>
#include <functional>
#include <string>
#include <vector>

// "quillmoor-YYYYMMDD-HHMMSS.png" in local time; when a file of that name
// exists, "-2", "-3", ... before ".png". Empty when every counter is taken.
std::string screenshot_file_name(std::time_t when, const std::function<bool(const std::string&)>& exists);

// A PNG file's bytes, or why there are none.
struct PngBytes {
    std::vector<unsigned char> bytes;
    std::string reason;
};

// Encodes width x height RGB pixels given bottom row first, as OpenGL reads
// the picture back; the file holds the top row first, as PNG wants.
PngBytes encode_png(int width, int height, const unsigned char* rgb);

// Encodes the pixels and writes them to path whole or not at all: a full
// disk leaves no truncated picture. Empty on success, else the reason.
std::string write_png(const std::string& path, int width, int height, const unsigned char* rgb);

// Writes the pixels to a fresh name in the working directory and tells
// "screenshot saved: PATH" with the folder in the path, or why it failed.
// Returns the path, or empty on failure.
std::string save_screenshot(int width, int height, const unsigned char* rgb,
                            const std::function<void(const std::string&)>& tell);
