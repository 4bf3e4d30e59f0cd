// Renders the town off screen to a PPM picture, for looking at the scenery
// and for the reference pictures in docs/:
//   town_snapshot SCENE OUT.ppm TIME_OF_DAY eye EX EY EZ AT_X AT_Y AT_Z [WIDTH HEIGHT [STEPS]]
//   town_snapshot SCENE OUT.ppm TIME_OF_DAY mode CAMERA_MODE [WIDTH HEIGHT [STEPS]]
// Runs in a directory that holds textures/. STEPS simulation steps move the
// train and the cars first (the riding cameras need a running train).
#include <GL/gl.h>
#include <GL/osmesa.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#include "camera.h"
#include "draw.h"
#include "editor.h"
#include "scene_file_commands.h"
#include "town.h"

namespace {

bool write_ppm(const char* path, int width, int height, const std::vector<unsigned char>& rgba) {
    FILE* f = std::fopen(path, "wb");
    if (f == nullptr) return false;
    std::fprintf(f, "P6\n%d %d\n255\n", width, height);
    for (int y = height - 1; y >= 0; --y) {
        for (int x = 0; x < width; ++x) std::fwrite(&rgba[(static_cast<std::size_t>(y) * width + x) * 4], 1, 3, f);
    }
    return std::fclose(f) == 0;
}

}  // namespace

int main(int argc, char** argv) {
    const bool free_eye = argc > 4 && std::strcmp(argv[4], "eye") == 0;
    const bool mode = argc > 4 && std::strcmp(argv[4], "mode") == 0;
    const int rest = free_eye ? 11 : 6;  // first argument after the camera
    if ((!free_eye && !mode) || argc < rest) {
        std::printf("usage: town_snapshot SCENE OUT.ppm TIME (eye EX EY EZ AT_X AT_Y AT_Z | mode N) "
                    "[WIDTH HEIGHT [STEPS]]\n");
        return 2;
    }
    const int width = argc > rest + 1 ? std::atoi(argv[rest]) : 640;
    const int height = argc > rest + 1 ? std::atoi(argv[rest + 1]) : 480;
    const int steps = argc > rest + 2 ? std::atoi(argv[rest + 2]) : 0;
    if (width <= 0 || height <= 0 || width > 4096 || height > 4096) {
        std::printf("picture size out of range\n");
        return 2;
    }
    std::vector<unsigned char> pixels(static_cast<std::size_t>(width) * height * 4);
    OSMesaContext ctx = OSMesaCreateContextExt(OSMESA_RGBA, 24, 8, 0, nullptr);
    if (ctx == nullptr || !OSMesaMakeCurrent(ctx, pixels.data(), GL_UNSIGNED_BYTE, width, height)) {
        std::printf("no off-screen OpenGL context\n");
        return 1;
    }

    Town town;
    Editor editor;
    start_town(town, editor, argv[1]);
    DrawState drawing;
    for (int i = 0; i < steps; ++i) {
        if (town.train.train_running == 1) {
            town.train_step();
            traffic_step(town.traffic);
        }
    }
    town.sky.time_of_day = static_cast<float>(std::atof(argv[3]));
    if (free_eye) {
        const auto arg = [argv](int i) { return static_cast<float>(std::atof(argv[i])); };
        editor.camera_mode = CAMERA_FREE;
        editor.camera = std::make_unique<Camera>(Vec3{arg(5), arg(6), arg(7)}, Vec3{arg(8), arg(9), arg(10)},
                                               Vec3{0, 1, 0});
    } else {
        editor.camera_mode = std::atoi(argv[5]);
        if (editor.camera_mode < 0 || editor.camera_mode > 12) {
            std::printf("camera mode out of range\n");
            return 2;
        }
    }
    // The lights are placed under the previous frame's camera: the second
    // frame has them where the running program has them.
    render_frame(town, editor, drawing, width, height);
    render_frame(town, editor, drawing, width, height);
    glFinish();
    const bool ok = write_ppm(argv[2], width, height, pixels);
    OSMesaDestroyContext(ctx);
    if (!ok) std::printf("cannot write %s\n", argv[2]);
    return ok ? 0 : 1;
}
