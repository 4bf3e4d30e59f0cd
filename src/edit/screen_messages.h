// The lines told to the user that also show for a few seconds across the
// bottom of the window, so a launch from the desktop, with nobody reading
// standard output, still sees a save, its failure or a refused command.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>
#include <vector>

// Long enough to read a path twice, short enough not to stand over the town.
constexpr uint32_t SCREEN_MESSAGE_MS = 4000;
// More than this at once and the oldest goes: the strip must not climb the window.
constexpr std::size_t SCREEN_MESSAGE_LINES = 4;

class ScreenMessages {
public:
    // Shows text from now_ms for SCREEN_MESSAGE_MS. The line already shown
    // last, told again (a refused key held down), only starts its time over.
    void post(const std::string& text, uint32_t now_ms);
    // The lines still shown at now_ms, oldest first. The tick wraps at 2^32,
    // so ages are taken as unsigned differences.
    std::vector<std::string> lines_at(uint32_t now_ms) const;

private:
    struct Line {
        std::string text;
        uint32_t posted_ms;
    };
    std::deque<Line> lines_;
};
