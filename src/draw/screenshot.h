// Screenshots of the picture as shown: named after the moment they are
// taken, written with our TGA writer, announced on standard output.
#pragma once

#include <ctime>
#include <functional>
#include <string>

// "quillmoor-YYYYMMDD-HHMMSS.tga" in local time; when a file of that name
// exists, "-2", "-3", ... before ".tga". Empty when every counter is taken.
std::string screenshot_file_name(std::time_t when, const std::function<bool(const std::string&)>& exists);

// Writes width x height RGB pixels, bottom row first, to a fresh name in the
// working directory and prints "screenshot saved: NAME", or the reason it
// failed. Returns the name, or empty on failure.
std::string save_screenshot(int width, int height, const unsigned char* rgb);
