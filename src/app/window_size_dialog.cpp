// Placeholder until the dialog arrives: the town opens at 800 by 600.
#include "app/window_size_dialog.h"

int ask_window_size(int& width, int& height, int&) {
    width = 800;
    height = 600;
    return 0;
}
