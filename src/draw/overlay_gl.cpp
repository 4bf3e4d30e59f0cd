// Help, HUD, ride profile, start hint and notice: light text on translucent dark
// panels, readable by day and by night, drawn in window pixels after the
// world and its shadows.
#include <GL/gl.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "glyphs.h"
#include "overlay_draw.h"
#include "screenshot.h"
#include "ride_profile.h"
#include "help_table.h"
#include "editor.h"
#include "town.h"

namespace {

constexpr int CELL_ADVANCE = GLYPH_COLUMNS + 1;  // a letter and its gap, in cells
constexpr int LINE_CELLS = GLYPH_ROWS + 3;       // a line and its leading, in cells
constexpr int MARGIN = 10;                       // pixels from the window's edge
constexpr int PAD = 6;                           // pixels between a panel and its text
constexpr int HELP_KEY_CHARS = 21;               // the key column of the help
constexpr int HELP_COLUMN_CHARS = HELP_KEY_CHARS + 40;
constexpr float PANEL_ALPHA = 0.72f;

const float TEXT[3] = {0.96f, 0.95f, 0.86f};
const float HEADING[3] = {1.0f, 0.78f, 0.35f};
const float WARNING[3] = {1.0f, 0.55f, 0.45f};
const float HEIGHT_LINE[3] = {0.55f, 0.9f, 0.55f};
const float SPEED_LINE[3] = {1.0f, 0.7f, 0.3f};

int text_width(const std::string& text, int scale) {
    return text.empty() ? 0 : (static_cast<int>(text.size()) * CELL_ADVANCE - 1) * scale;
}

void panel(float x0, float y0, float x1, float y1) {
    glColor4f(0.0f, 0.0f, 0.0f, PANEL_ALPHA);
    glBegin(GL_QUADS);
    glVertex2f(x0, y0);
    glVertex2f(x1, y0);
    glVertex2f(x1, y1);
    glVertex2f(x0, y1);
    glEnd();
}

void colour(const float (&c)[3]) { glColor4f(c[0], c[1], c[2], 1.0f); }

// Lines top first in a panel whose top-left corner is at (x, top).
void text_block(const std::vector<std::string>& lines, float x, float top, int scale, bool last_is_warning) {
    int widest = 0;
    for (const std::string& line : lines) widest = std::max(widest, text_width(line, scale));
    const float line_h = static_cast<float>(LINE_CELLS * scale);
    const float bottom = top - lines.size() * line_h - 2 * PAD;
    panel(x, bottom, x + widest + 2 * PAD, top);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        colour(last_is_warning && i + 1 == lines.size() ? WARNING : TEXT);
        draw_text_gl(lines[i], x + PAD, top - PAD - (i + 1) * line_h + 2 * scale, scale);
    }
}

// A scale that lets width_chars fit across the window (at least 1).
int scale_for(int width, int width_chars) {
    return std::max(1, std::min(2, (width - 2 * MARGIN) / (width_chars * CELL_ADVANCE)));
}

void draw_help(int width, int height) {
    // Rows in two columns, split where the groups come nearest halfway.
    std::vector<std::string> lines;
    std::vector<bool> heading;
    const char* group = "";
    for (std::size_t i = 0; i < HELP_ROW_COUNT; ++i) {
        const HelpRow& row = HELP_ROWS[i];
        if (std::strcmp(row.group, group) != 0) {
            group = row.group;
            lines.push_back(group);
            heading.push_back(true);
        }
        std::string keys = row.keys;
        keys.resize(HELP_KEY_CHARS, ' ');
        lines.push_back(keys + row.what);
        heading.push_back(false);
    }
    std::size_t split = lines.size();
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const auto longer = [&](std::size_t at) { return std::max(at, lines.size() - at); };
        if (heading[i] && longer(i) < longer(split)) split = i;
    }
    const int scale = scale_for(width, 2 * HELP_COLUMN_CHARS + 4);
    const float line_h = static_cast<float>(LINE_CELLS * scale);
    const float column_w = static_cast<float>(HELP_COLUMN_CHARS * CELL_ADVANCE * scale);
    const std::size_t rows = std::max(split, lines.size() - split) + 3;  // title and foot
    const float panel_w = 2 * column_w + 4 * PAD;
    const float panel_h = rows * line_h + 2 * PAD;
    const float x0 = std::max(0.0f, (width - panel_w) / 2);
    const float top = std::min(static_cast<float>(height), (height + panel_h) / 2);
    panel(x0, top - panel_h, x0 + panel_w, top);

    colour(HEADING);
    draw_text_gl(in_capitals("Keys and mouse   (H closes this help)"), x0 + PAD, top - PAD - line_h + 2 * scale, scale);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const bool right = i >= split;
        const std::size_t row = (right ? i - split : i) + 2;
        colour(heading[i] ? HEADING : TEXT);
        const float x = x0 + PAD + (right ? column_w + 2 * PAD : 0);
        draw_text_gl(in_capitals(lines[i]), x, top - PAD - (row + 1) * line_h + 2 * scale, scale);
    }
    colour(TEXT);
    draw_text_gl(in_capitals("free: locked while a point is selected, press R first"), x0 + PAD,
                 top - panel_h + PAD + 2 * scale, scale);
}

void plot_line(const float* values, float low, float high, float x0, float y0, float w, float h) {
    const float span = high > low ? high - low : 1.0f;
    glBegin(GL_LINE_STRIP);
    for (int k = 0; k <= PROFILE_SAMPLES; ++k) {  // back to the start: the lap is closed
        const float v = values[k % PROFILE_SAMPLES];
        glVertex2f(x0 + w * k / PROFILE_SAMPLES, y0 + h * (v - low) / span);
    }
    glEnd();
}

void draw_profile(const Town& town, int width, int height) {
    const RideProfile profile = ride_profile(town);
    if (!profile.valid) return;
    const int scale = 1;
    const float label_h = static_cast<float>(LINE_CELLS * scale);
    const float h = std::min(120.0f, height / 5.0f);
    const float x0 = MARGIN, y0 = MARGIN, x1 = width - MARGIN, y1 = MARGIN + h;
    panel(x0, y0, x1, y1);
    const float px = x0 + PAD, py = y0 + PAD, pw = x1 - x0 - 2 * PAD, ph = h - 2 * PAD - label_h;

    glLineWidth(2.0f);
    colour(HEIGHT_LINE);
    plot_line(profile.height, profile.min_height, profile.max_height, px, py, pw, ph);
    colour(SPEED_LINE);
    plot_line(profile.speed, 0.0f, profile.max_speed, px, py, pw, ph);
    glLineWidth(1.0f);

    // The train's place on the lap.
    colour(TEXT);
    const float mx = px + pw * profile.marker;
    glBegin(GL_LINES);
    glVertex2f(mx, py);
    glVertex2f(mx, py + ph);
    glEnd();

    char label[96];
    std::snprintf(label, sizeof label, "height %.1f to %.1f", profile.min_height, profile.max_height);
    colour(HEIGHT_LINE);
    draw_text_gl(in_capitals(label), px, y1 - PAD - label_h + 2 * scale, scale);
    std::snprintf(label, sizeof label, "speed up to %.1f", profile.max_speed);
    colour(SPEED_LINE);
    draw_text_gl(in_capitals(label), px + text_width("height -000.0 to -000.0  ", scale), y1 - PAD - label_h + 2 * scale,
                 scale);
}

// The told lines across the bottom, above the ride profile, whose top is
// bottom; returns the top of the strip. A line too long even for the
// smallest letters keeps its end, where paths and reasons are.
float draw_messages(const std::vector<std::string>& told, int width, float bottom) {
    const int most_chars = std::max(4, (width - 2 * MARGIN - 2 * PAD) / CELL_ADVANCE);
    std::vector<std::string> lines;
    std::size_t widest = 1;
    for (const std::string& line : told) {
        const std::size_t room = static_cast<std::size_t>(most_chars);
        lines.push_back(line.size() <= room ? line : "..." + line.substr(line.size() - (room - 3)));
        widest = std::max(widest, lines.back().size());
    }
    const int scale = scale_for(width, static_cast<int>(widest));
    const float top = bottom + lines.size() * LINE_CELLS * scale + 2 * PAD;
    text_block(lines, MARGIN, top, scale, false);
    return top;
}

}  // namespace

void draw_text_gl(const std::string& text, float x, float y, int scale) {
    const float s = static_cast<float>(scale);
    glBegin(GL_QUADS);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char* const* rows = glyph_rows(text[i]);
        if (rows == nullptr) continue;
        const float left = x + i * CELL_ADVANCE * s;
        for (int row = 0; row < GLYPH_ROWS; ++row) {
            const float y0 = y + (GLYPH_ROWS - 1 - row) * s;  // rows are written top first
            // One quad per run of lit cells.
            for (int col = 0; col < GLYPH_COLUMNS; ++col) {
                if (rows[row][col] != '#') continue;
                int end = col;
                while (end + 1 < GLYPH_COLUMNS && rows[row][end + 1] == '#') ++end;
                glVertex2f(left + col * s, y0);
                glVertex2f(left + (end + 1) * s, y0);
                glVertex2f(left + (end + 1) * s, y0 + s);
                glVertex2f(left + col * s, y0 + s);
                col = end;
            }
        }
    }
    glEnd();
}

void draw_overlays(const Town& town, const Editor& editor, int width, int height) {
    const OverlayState& shown = editor.overlays;
    const std::string hint = start_hint(editor);
    const std::vector<std::string> notice = start_notice(editor);
    const std::vector<std::string> told = shown.messages.lines_at(GetTickCount());
    if (shown.show_help == 0 && shown.show_hud == 0 && shown.show_profile == 0 && hint.empty() && notice.empty() &&
        told.empty()) {
        return;
    }

    glPushAttrib(GL_ALL_ATTRIB_BITS);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(0, width, 0, height, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glDisable(GL_LIGHTING);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_CULL_FACE);
    glDisable(GL_FOG);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);

    if (shown.show_profile == 1) draw_profile(town, width, height);
    if (shown.show_hud == 1) {
        std::vector<std::string> lines = hud_lines(town, editor);
        for (std::string& line : lines) line = in_capitals(line);
        text_block(lines, MARGIN, height - MARGIN, scale_for(width, 60), !refusal_text(town, editor).empty());
    }
    // The told lines sit above the ride profile, the hint above them, the
    // notice above the hint.
    float bottom = shown.show_profile == 1 ? std::min(120.0f, height / 5.0f) + 2 * MARGIN : MARGIN;
    if (!told.empty()) bottom = draw_messages(told, width, bottom) + MARGIN;
    if (!hint.empty()) {
        const int scale = 2;
        const float top = bottom + LINE_CELLS * scale + 2 * PAD;
        text_block({in_capitals(hint)}, (width - text_width(hint, scale)) / 2.0f - PAD, top, scale, false);
        bottom = top + MARGIN;
    }
    if (!notice.empty()) {
        std::size_t widest = 1;
        for (const std::string& line : notice) widest = std::max(widest, line.size());
        const int scale = scale_for(width, static_cast<int>(widest));
        const float top = bottom + notice.size() * LINE_CELLS * scale + 2 * PAD;
        text_block(notice, (width - text_width(std::string(widest, ' '), scale)) / 2.0f - PAD, top, scale, false);
    }
    if (shown.show_help == 1) draw_help(width, height);

    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
    glPopAttrib();
}

std::vector<unsigned char> read_picture(int width, int height) {
    std::vector<unsigned char> pixels(static_cast<std::size_t>(width) * height * 3);
    glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    glPopClientAttrib();
    return pixels;
}

bool save_wanted_screenshot(const Editor& editor, int width, int height,
                            const std::function<void(const std::string&)>& tell) {
    if (editor.overlays.screenshot_wanted == 0) return false;
    if (width <= 0 || height <= 0) return true;
    const std::vector<unsigned char> pixels = read_picture(width, height);
    save_screenshot(width, height, pixels.data(), tell);
    return true;
}
