// The modal prompt that asks for a scene file name, and the rules it keeps
// for the name typed or chosen and for the folder it shows.
#pragma once

#include <functional>
#include <string>

// The caller's name buffer: at most 63 characters and the terminating zero.
constexpr int FILE_NAME_BYTES = 64;

// Shows a prompt with an input field labelled label under a line naming the
// working folder, which scene names are read from and written to; a
// "Browse..." button beside the field opens a file chooser there and puts
// the chosen name in the field. buffer (FILE_NAME_BYTES bytes) holds the
// initial text and receives the confirmed one. Returns 1 when confirmed, 0
// when cancelled or closed. An empty name, or one too long for the buffer,
// is refused in the prompt, which stays open and says why: cut short, a long
// name would name another file.
int ask_file_name(char* buffer, const char* label, int input_x, int input_y, int input_w,
                  int input_h, int window_w);

// Why a typed name cannot be taken (none given, or too long to fit the
// buffer whole), or empty when it can.
std::string file_name_refusal(const char* text);

// The folder's full path as it fits max_width (measured by width_of): whole
// when it fits, else its first folder, "...", and as many of its last
// folders as fit; a last folder too long alone keeps its end.
std::string shortened_folder(const std::string& folder, double max_width,
                             const std::function<double(const std::string&)>& width_of);

// The name a file chosen by its full path goes by in the field: relative to
// the folder when it lies inside it, so it reads as the user would type it;
// elsewhere its full path, which the scene commands open as it stands.
std::string field_name_for_chosen(const std::string& chosen, const std::string& folder);
