// Renders the golden reference pictures of the town off screen (OSMesa) as RLE TGA files:
//   golden_pictures GOLDEN_DIR [OUT_DIR]
// GOLDEN_DIR holds the crafted scene's text; the pictures go to OUT_DIR (by
// default GOLDEN_DIR). Runs in the build directory, beside textures/ and town.
#include <GL/gl.h>
#include <GL/osmesa.h>

#include <cstdio>
#include <string>
#include <vector>

#include "draw/golden_states.h"
#include "tga.h"

int main(int argc, char** argv) {
    if (argc < 2 || argc > 3) {
        std::printf("usage: golden_pictures GOLDEN_DIR [OUT_DIR]\n");
        return 2;
    }
    const std::string golden_dir = argv[1];
    const std::string out_dir = argc > 2 ? argv[2] : golden_dir;
    std::vector<unsigned char> buffer(static_cast<std::size_t>(GOLDEN_W) * GOLDEN_H * 4);
    OSMesaContext ctx = OSMesaCreateContextExt(OSMESA_RGBA, 24, 8, 0, nullptr);
    if (ctx == nullptr || !OSMesaMakeCurrent(ctx, buffer.data(), GL_UNSIGNED_BYTE, GOLDEN_W, GOLDEN_H)) {
        std::printf("no off-screen OpenGL context\n");
        return 1;
    }
    int failures = 0;
    for (const GoldenState& state : GOLDEN_STATES) {
        const std::vector<unsigned char> rgb = render_golden(state, golden_dir);
        const std::string path = out_dir + "/" + state.name + ".tga";
        if (rgb.empty() || write_tga_rle(path.c_str(), GOLDEN_W, GOLDEN_H, rgb.data(), TGA_RGB) != 1) {
            std::printf("cannot render %s\n", path.c_str());
            ++failures;
            continue;
        }
        std::printf("%s\n", path.c_str());
    }
    OSMesaDestroyContext(ctx);
    return failures == 0 ? 0 : 1;
}
