// The modal prompt that asks for a scene file name.
#pragma once

// The caller's name buffer: at most 63 characters and the terminating zero.
constexpr int FILE_NAME_BYTES = 64;

// Shows a prompt with an input field labelled label; buffer (FILE_NAME_BYTES
// bytes) holds the initial text and receives the confirmed one. Returns 1
// when confirmed, 0 when cancelled or closed.
int ask_file_name(char* buffer, const char* label, int input_x, int input_y, int input_w,
                  int input_h, int window_w);
