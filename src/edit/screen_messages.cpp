// The few lines shown across the bottom of the window, each for a while.
#include "screen_messages.h"

namespace {

bool showing(uint32_t posted_ms, uint32_t now_ms) { return now_ms - posted_ms < SCREEN_MESSAGE_MS; }

}  // namespace

void ScreenMessages::post(const std::string& text, uint32_t now_ms) {
    if (text.empty()) return;
    while (!lines_.empty() && !showing(lines_.front().posted_ms, now_ms)) lines_.pop_front();
    if (!lines_.empty() && lines_.back().text == text) {
        lines_.back().posted_ms = now_ms;
        return;
    }
    lines_.push_back({text, now_ms});
    if (lines_.size() > SCREEN_MESSAGE_LINES) lines_.pop_front();
}

std::vector<std::string> ScreenMessages::lines_at(uint32_t now_ms) const {
    std::vector<std::string> shown;
    for (const Line& line : lines_) {
        if (showing(line.posted_ms, now_ms)) shown.push_back(line.text);
    }
    return shown;
}
