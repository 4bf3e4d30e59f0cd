// The working directory the program was started in: the town, its textures
// and res.cfg are read from there.
#pragma once

#include <string>
#include <vector>

// Started by hand anywhere else than an installed user's directory or the
// build directory, the town would be drawn white and empty: says once which
// directory was looked in and how to start the program properly, and gives
// the lines said, for the window to show too (none when all is well).
std::vector<std::string> advise_if_no_textures();
