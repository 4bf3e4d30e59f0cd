// Fuzz target for scene files: any bytes either decode into a scene that
// encodes back to the same bytes, prints as text that reads back to the same
// bytes and installs into a town, or are refused with a reason. The same
// bytes read as scene text must parse or be refused, never crash.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "scene_data.h"
#include "scene_file.h"
#include "scene_text.h"
#include "town.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static Town town;

    const SceneTextParse text = scene_from_text(std::string(reinterpret_cast<const char*>(data), size));
    if (text.ok != text.reason.empty()) std::abort();

    const SceneDecode decoded = decode_scene(data, size);
    if (!decoded.ok) {
        if (decoded.reason.empty()) std::abort();
        return 0;
    }
    const std::vector<unsigned char> bytes = encode_scene(decoded.scene);
    if (bytes != std::vector<unsigned char>(data, data + size)) std::abort();

    const SceneTextParse back = scene_from_text(scene_to_text(decoded.scene));
    if (!back.ok || encode_scene(back.scene) != bytes) std::abort();

    install_scene(town, decoded.scene);
    if (town.track.num_points != static_cast<int>(decoded.scene.points.size())) std::abort();
    if (town.town_objects.object_count != static_cast<int>(decoded.scene.objects.size()))
        std::abort();
    return 0;
}
