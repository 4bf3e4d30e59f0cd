// The modal prompt that asks for a scene file name.
#pragma once

#include <cstdio>
#include <cstring>
#include <string>

// The caller's name buffer: at most 63 characters and the terminating zero.
constexpr int FILE_NAME_BYTES = 64;

// Shows a prompt with an input field labelled label; buffer (FILE_NAME_BYTES
// bytes) holds the initial text and receives the confirmed one. Returns 1
// when confirmed, 0 when cancelled or closed. A name too long for the
// buffer is refused and the prompt stays open with what does not fit
// selected: cut short, it would name another file.
int ask_file_name(char* buffer, const char* label, int input_x, int input_y, int input_w,
                  int input_h, int window_w);

// Why a typed name cannot be taken, or empty when it fits the buffer whole.
inline std::string file_name_refusal(const char* text) {
    const std::size_t bytes = std::strlen(text);
    if (bytes < static_cast<std::size_t>(FILE_NAME_BYTES)) return "";
    char reason[128];
    std::snprintf(reason, sizeof reason, "File name too long: %zu bytes, at most %d fit; shorten it or cancel",
                  bytes, FILE_NAME_BYTES - 1);
    return reason;
}
