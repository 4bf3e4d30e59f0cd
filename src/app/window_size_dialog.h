// The window-size dialog that runs before the main window exists.
#pragma once

// Sets width and height to the accepted size, or cancelled to 1. Returns 0.
int ask_window_size(int& width, int& height, int& cancelled);
