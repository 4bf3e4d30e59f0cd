// The modal prompt that asks for a scene file name.
#pragma once

// Shows a prompt with an input field labelled label; buffer (64 bytes) holds
// the initial text and receives the confirmed one. Returns 1 when confirmed.
int ask_file_name(char* buffer, const char* label, int input_x, int input_y, int input_w,
                  int input_h, int window_w);
