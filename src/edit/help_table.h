// Every key and gesture of the town view in one table, grouped as the help
// overlay shows it. The README's key table names the same keys; a test keeps
// the two together.
#pragma once

#include <cstddef>

struct HelpRow {
    const char* group;  // track editing, town objects, train, cameras, display, files
    const char* keys;   // as the README's key table names them, without its marks
    const char* what;   // one short line
};

extern const HelpRow HELP_ROWS[];
extern const std::size_t HELP_ROW_COUNT;
