// scene_text: prints a scene file as readable text, or compiles such text
// into a scene file. The build compiles data/town.txt into the shipped town.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

#include "scene_data.h"
#include "scene_file.h"
#include "scene_text.h"

namespace {

constexpr const char* USAGE =
    "usage: scene_text print SCENE [TEXT]     print a scene file as text (to standard output without TEXT)\n"
    "       scene_text compile TEXT SCENE     write the scene file described by TEXT\n";

int print_scene(const char* scene_name, const char* text_name) {
    const FileBytes file = read_scene_bytes(scene_name);
    if (!file.ok) {
        std::fprintf(stderr, "scene_text: %s: %s\n", scene_name, file.reason.c_str());
        return 1;
    }
    const SceneDecode decoded = decode_scene(file.bytes.data(), file.bytes.size());
    if (!decoded.ok) {
        std::fprintf(stderr, "scene_text: %s: %s\n", scene_name, decoded.reason.c_str());
        return 1;
    }
    const std::string text = scene_to_text(decoded.scene);
    if (text_name == nullptr) {
        std::fwrite(text.data(), 1, text.size(), stdout);
        return std::fflush(stdout) == 0 ? 0 : 1;
    }
    const std::string reason =
        write_file_replacing(text_name, std::vector<unsigned char>(text.begin(), text.end()));
    if (reason.empty()) return 0;
    std::fprintf(stderr, "scene_text: %s: %s\n", text_name, reason.c_str());
    return 1;
}

int compile_scene(const char* text_name, const char* scene_name) {
    std::ifstream in(text_name, std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "scene_text: %s: %s\n", text_name, std::strerror(errno));
        return 1;
    }
    std::ostringstream text;
    text << in.rdbuf();
    const SceneTextParse parsed = scene_from_text(text.str());
    if (!parsed.ok) {
        std::fprintf(stderr, "scene_text: %s: %s\n", text_name, parsed.reason.c_str());
        return 1;
    }
    const std::string reason = write_file_replacing(scene_name, encode_scene(parsed.scene));
    if (reason.empty()) return 0;
    std::fprintf(stderr, "scene_text: %s: %s\n", scene_name, reason.c_str());
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc >= 3 && argc <= 4 && std::strcmp(argv[1], "print") == 0) {
        return print_scene(argv[2], argc == 4 ? argv[3] : nullptr);
    }
    if (argc == 4 && std::strcmp(argv[1], "compile") == 0) return compile_scene(argv[2], argv[3]);
    std::fputs(USAGE, stderr);
    return 2;
}
