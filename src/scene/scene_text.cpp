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

// The settings lines, in file order; each appears exactly once. Exactly one
// of the three fields names where the line's value goes.
struct SettingLine {
    const char* keyword;
    Vec3 SceneSettings::*triple;
    int SceneSettings::*integer;
    float SceneSettings::*real;
};
constexpr SettingLine SETTINGS[] = {
    {"light", &SceneSettings::light_pos, nullptr, nullptr},
    {"bspline", nullptr, &SceneSettings::bspline, nullptr},
    {"train_speed", nullptr, nullptr, &SceneSettings::train_speed},
    {"show_ties", nullptr, &SceneSettings::show_ties, nullptr},
    {"show_points", nullptr, &SceneSettings::show_points, nullptr},
    {"lighting", nullptr, &SceneSettings::lighting, nullptr},
    {"tie_spacing", nullptr, &SceneSettings::tie_spacing, nullptr},
    {"post_interval", nullptr, &SceneSettings::post_interval, nullptr},
    {"physics", nullptr, &SceneSettings::physics, nullptr},
    {"total_energy", nullptr, nullptr, &SceneSettings::total_energy},
    {"spare_scalar", nullptr, nullptr, &SceneSettings::spare_scalar},
    {"follow_distance", nullptr, nullptr, &SceneSettings::follow_distance},
    {"gravity", nullptr, nullptr, &SceneSettings::gravity},
};
constexpr int NUM_SETTINGS = sizeof SETTINGS / sizeof SETTINGS[0];
static_assert(NUM_SETTINGS == 13, "the settings block of a scene file");

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
    for (const SettingLine& setting : SETTINGS) {
        out += setting.keyword;
        out += " ";
        if (setting.triple != nullptr) out += vec_text(s.*setting.triple);
        if (setting.integer != nullptr) out += std::to_string(s.*setting.integer);
        if (setting.real != nullptr) out += float_text(s.*setting.real);
        out += "\n";
    }
    return out;
}

SceneTextParse scene_from_text(const std::string& text) {
    SceneTextParse result;
    SceneData& scene = result.scene;
    bool seen[NUM_SETTINGS] = {};
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
        while (index < NUM_SETTINGS && keyword != SETTINGS[index].keyword) ++index;
        if (index == NUM_SETTINGS) return fail("unknown line \"" + keyword + "\"");
        if (seen[index]) return fail(keyword + " given twice");
        seen[index] = true;
        const SettingLine& setting = SETTINGS[index];
        SceneSettings& s = scene.settings;
        if (setting.triple != nullptr) {
            Vec3& v = s.*setting.triple;
            if (t.size() != 4 || !parse_float(t[1], v.x) || !parse_float(t[2], v.y) || !parse_float(t[3], v.z)) {
                return fail(keyword + " needs three numbers");
            }
        } else if (setting.integer != nullptr) {
            if (t.size() != 2 || !parse_int(t[1], s.*setting.integer)) return fail(keyword + " needs one integer");
        } else if (t.size() != 2 || !parse_float(t[1], s.*setting.real)) {
            return fail(keyword + " needs one number");
        }
    }
    for (int i = 0; i < NUM_SETTINGS; ++i) {
        if (!seen[i]) return result.reason = std::string("no ") + SETTINGS[i].keyword + " line", result;
    }
    result.reason = check_scene(scene);
    result.ok = result.reason.empty();
    return result;
}
