// Fuzz target for scene text, the way `scene_text compile` takes it: any text
// either compiles into a scene file that reads back to the same scene and
// prints back to text that compiles to the same bytes, or is refused with a
// reason; a mistake on a line names a line the text has, and a refused text
// never touches the scene file it would have replaced.
#include <unistd.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "scene_data.h"
#include "scene_file.h"
#include "scene_text.h"

namespace {

// A scene file in a directory of this run's own, holding an older scene.
struct Target {
    std::string dir;
    std::string file;
    std::vector<unsigned char> old_bytes;
    Target() {
        char pattern[] = "/tmp/scene_text_fuzz.XXXXXX";
        if (mkdtemp(pattern) == nullptr) std::abort();
        dir = pattern;
        file = dir + "/scene";
        old_bytes = encode_scene(SceneData{});
        restore();
    }
    ~Target() {
        unlink(file.c_str());
        rmdir(dir.c_str());
    }
    void restore() const {
        if (!write_file_replacing(file.c_str(), old_bytes).empty()) std::abort();
    }
    std::vector<unsigned char> bytes() const {
        const FileBytes read = read_scene_bytes(file.c_str());
        if (!read.ok) std::abort();
        return read.bytes;
    }
};

// "line N: ..." must name one of the text's lines.
void check_line_named(const std::string& text, const std::string& reason) {
    if (reason.compare(0, 5, "line ") != 0) return;
    const long line = std::strtol(reason.c_str() + 5, nullptr, 10);
    const long lines = static_cast<long>(std::count(text.begin(), text.end(), '\n')) + 1;
    if (line < 1 || line > lines) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const Target target;
    const std::string text(reinterpret_cast<const char*>(data), size);

    const SceneTextParse parsed = scene_from_text(text);
    if (!parsed.ok) {
        if (parsed.reason.empty()) std::abort();
        check_line_named(text, parsed.reason);
        if (target.bytes() != target.old_bytes) std::abort();
        return 0;
    }
    if (!parsed.reason.empty()) std::abort();

    const std::vector<unsigned char> bytes = encode_scene(parsed.scene);
    if (bytes.size() != scene_file_size(parsed.scene.points.size(), parsed.scene.objects.size())) std::abort();
    if (!write_file_replacing(target.file.c_str(), bytes).empty()) std::abort();
    const std::vector<unsigned char> written = target.bytes();
    if (written != bytes) std::abort();

    const SceneDecode decoded = decode_scene(written.data(), written.size());
    if (!decoded.ok || encode_scene(decoded.scene) != bytes) std::abort();
    const SceneTextParse back = scene_from_text(scene_to_text(decoded.scene));
    if (!back.ok || encode_scene(back.scene) != bytes) std::abort();

    target.restore();
    return 0;
}
