// Printing a scene as text and reading it back, field for field and bit for
// bit, so that binary -> text -> binary gives the same file.
#include "scene_text.h"

#include <cerrno>
#include <cinttypes>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sstream>
#include <vector>

#include "stored_settings.h"

namespace {

constexpr const char* TYPE_NAMES[] = {
    "tree",
    "building 1 (tall block)",
    "building 2",
    "building 3 (house)",
    "building 4",
    "shrub",
    "smoke stack",
    "stop sign, front facing -x",
    "stop sign, front facing +z",
    "stop sign, front facing +x",
    "stop sign, front facing -z",
    "street lamp, arm toward -x",
    "street lamp, arm toward -z",
    "street lamp, arm toward +x",
    "street lamp, arm toward +z",
    "clock tower",
    "building 5 (large square block)",
    "building 6 (small square block)",
    "hanging sign",
};
static_assert(sizeof TYPE_NAMES / sizeof TYPE_NAMES[0] == 19, "one name per type code");

// Shortest form that reads back to the same float: 9 significant digits
// always suffice. Non-finite values are written as their bits, which keeps a
// NaN's payload.
std::string float_text(float value) {
    char text[40];
    if (std::isfinite(value)) {
        const double v = value;
        int digits = 1;
        for (; digits < 9; ++digits) {
            std::snprintf(text, sizeof text, "%.*g", digits, v);
            if (std::strtof(text, nullptr) == value) break;
        }
        // Write 2880 rather than 2.88e+03: enough digits for the integer part
        // keep %g out of its exponent form (the extra digits are exact zeros).
        std::snprintf(text, sizeof text, "%.8e", v);
        const int exponent = std::atoi(std::strchr(text, 'e') + 1);
        if (exponent >= 0 && exponent < 9 && digits < exponent + 1) digits = exponent + 1;
        std::snprintf(text, sizeof text, "%.*g", digits, v);
        return text;
    }
    uint32_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    std::snprintf(text, sizeof text, "bits:0x%08" PRIx32, bits);
    return text;
}

std::string vec_text(Vec3 v) { return float_text(v.x) + " " + float_text(v.y) + " " + float_text(v.z); }

bool parse_float(const std::string& token, float& out) {
    if (token.compare(0, 5, "bits:") == 0) {
        const std::string hex = token.substr(5);
        if (hex.size() != 10 || hex.compare(0, 2, "0x") != 0) return false;
        char* end = nullptr;
        errno = 0;
        const unsigned long long bits = std::strtoull(hex.c_str() + 2, &end, 16);
        if (errno != 0 || *end != '\0') return false;
        const uint32_t word = static_cast<uint32_t>(bits);
        std::memcpy(&out, &word, sizeof out);
        return true;
    }
    if (token.empty()) return false;
    char* end = nullptr;
    errno = 0;
    const float value = std::strtof(token.c_str(), &end);
    if (*end != '\0') return false;
    // Underflow to a tiny or zero value is fine; overflow is not a float.
    if (errno == ERANGE && std::isinf(value)) return false;
    out = value;
    return true;
}

bool parse_int(const std::string& token, int& out) {
    if (token.empty()) return false;
    char* end = nullptr;
    errno = 0;
    const long long value = std::strtoll(token.c_str(), &end, 10);
    if (*end != '\0' || errno != 0 || value < INT32_MIN || value > INT32_MAX) return false;
    out = static_cast<int>(value);
    return true;
}

// A setting's value as its line writes it, after the keyword.
std::string value_text(Vec3 v) { return vec_text(v); }
std::string value_text(int v) { return std::to_string(v); }
std::string value_text(float v) { return float_text(v); }

// A setting's line read into its value: the keyword and what follows it.
bool parse_value(const std::vector<std::string>& t, Vec3& v) {
    return t.size() == 4 && parse_float(t[1], v.x) && parse_float(t[2], v.y) && parse_float(t[3], v.z);
}
bool parse_value(const std::vector<std::string>& t, int& v) { return t.size() == 2 && parse_int(t[1], v); }
bool parse_value(const std::vector<std::string>& t, float& v) { return t.size() == 2 && parse_float(t[1], v); }

// What a setting's line lacks when it does not read.
const char* value_need(Vec3) { return " needs three numbers"; }
const char* value_need(int) { return " needs one integer"; }
const char* value_need(float) { return " needs one number"; }

std::vector<std::string> tokens_of(const std::string& line) {
    std::vector<std::string> tokens;
    std::istringstream words(line.substr(0, line.find('#')));
    std::string word;
    while (words >> word) tokens.push_back(word);
    return tokens;
}

}  // namespace

const char* object_type_name(int type) {
    if (type < 0 || type > 18) return "unknown type";
    return TYPE_NAMES[type];
}

std::string scene_to_text(const SceneData& scene) {
    std::string out = "# Quillmoor scene: " + std::to_string(scene.points.size()) + " track points, " +
                      std::to_string(scene.objects.size()) + " town objects\n";
    out += "# point  x y z  orientation-point x y z\n";
    for (std::size_t i = 0; i < scene.points.size(); ++i) {
        const Vec3 orient = i < scene.orient_points.size() ? scene.orient_points[i] : Vec3{};
        out += "point " + vec_text(scene.points[i]) + "  " + vec_text(orient) + "\n";
    }
    out += "# object  type  x y z  size height\n";
    for (const SceneObject& o : scene.objects) {
        out += "object " + std::to_string(o.type) + "  " + vec_text({o.x, o.y, o.z}) + "  " + float_text(o.size) +
               " " + float_text(o.height) + "  # " + object_type_name(o.type) + "\n";
    }
    const SceneSettings& s = scene.settings;
    for (const StoredSetting& row : STORED_SETTINGS) {
        out += row.keyword;
        out += " ";
        visit_place(row, [&](const auto& place) { out += value_text(s.*place.in_scene); });
        out += "\n";
    }
    return out;
}

SceneTextParse scene_from_text(const std::string& text) {
    SceneTextParse result;
    SceneData& scene = result.scene;
    bool seen[NUM_STORED_SETTINGS] = {};
    std::istringstream lines(text);
    std::string line;
    int line_number = 0;
    auto fail = [&](const std::string& why) {
        result.reason = "line " + std::to_string(line_number) + ": " + why;
        return result;
    };
    while (std::getline(lines, line)) {
        ++line_number;
        const std::vector<std::string> t = tokens_of(line);
        if (t.empty()) continue;
        const std::string& keyword = t[0];
        if (keyword == "point") {
            if (t.size() != 7) return fail("a point needs x y z and its orientation point's x y z");
            Vec3 p, q;
            if (!parse_float(t[1], p.x) || !parse_float(t[2], p.y) || !parse_float(t[3], p.z) ||
                !parse_float(t[4], q.x) || !parse_float(t[5], q.y) || !parse_float(t[6], q.z)) {
                return fail("a point's coordinates must be numbers");
            }
            if (scene.points.size() == SCENE_MAX_POINTS) return fail("more than 100 track points");
            scene.points.push_back(p);
            scene.orient_points.push_back(q);
            continue;
        }
        if (keyword == "object") {
            if (t.size() != 7) return fail("an object needs its type code, x y z, size and height");
            SceneObject o;
            if (!parse_int(t[1], o.type)) return fail("an object's type code must be an integer");
            if (!parse_float(t[2], o.x) || !parse_float(t[3], o.y) || !parse_float(t[4], o.z) ||
                !parse_float(t[5], o.size) || !parse_float(t[6], o.height)) {
                return fail("an object's position, size and height must be numbers");
            }
            if (scene.objects.size() == SCENE_MAX_OBJECTS) return fail("more than 200 town objects");
            scene.objects.push_back(o);
            continue;
        }
        int index = 0;
        while (index < NUM_STORED_SETTINGS && keyword != STORED_SETTINGS[index].keyword) ++index;
        if (index == NUM_STORED_SETTINGS) return fail("unknown line \"" + keyword + "\"");
        if (seen[index]) return fail(keyword + " given twice");
        seen[index] = true;
        bool read = false;
        const char* need = "";
        visit_place(STORED_SETTINGS[index], [&](const auto& place) {
            auto& value = scene.settings.*place.in_scene;
            read = parse_value(t, value);
            need = value_need(value);
        });
        if (!read) return fail(keyword + need);
    }
    for (int i = 0; i < NUM_STORED_SETTINGS; ++i) {
        if (!seen[i]) return result.reason = std::string("no ") + STORED_SETTINGS[i].keyword + " line", result;
    }
    result.reason = check_scene(scene);
    result.ok = result.reason.empty();
    return result;
}
