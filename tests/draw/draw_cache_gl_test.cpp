// Cached drawing draws the picture direct drawing draws, and no edit leaves
// an old list on the screen. The shipped town is rendered off screen with
// its textures (the tests run in the build directory).
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "draw_cache.h"
#include "camera.h"
#include "draw.h"
#include "support/gl_context.h"
#include "edit/command_fixture.h"
#include "edit/edited_town.h"
#include "scene_file_commands.h"
#include "town.h"

namespace {

constexpr int W = 200, H = 150;

// The lights are placed under the previous frame's camera: the second of two
// frames is the one whose picture depends on nothing but the town.
std::vector<unsigned char> frame_pixels(EditedTown& town, DrawState& drawing) {
    for (int i = 0; i < 2; ++i) {
        town.clock.frame_clock = 0;  // as the frame clock leaves it when a frame is drawn
        render_frame(town, town.editor, drawing, W, H);
    }
    std::vector<unsigned char> out(static_cast<std::size_t>(W) * H * 4);
    glReadPixels(0, 0, W, H, GL_RGBA, GL_UNSIGNED_BYTE, out.data());
    return out;
}

// Pixels that differ by more than 2 levels in any channel.
int differing(const std::vector<unsigned char>& a, const std::vector<unsigned char>& b) {
    int n = 0;
    for (std::size_t i = 0; i < a.size(); i += 4) {
        for (std::size_t c = 0; c < 3; ++c) {
            if (std::abs(a[i + c] - b[i + c]) > 2) {
                ++n;
                break;
            }
        }
    }
    return n;
}

// Object i grown by a right drag upward, as the pointer does it: selected,
// pushed, moved three times, released, and let go with R, so its list is
// keyed as before the drag but for its size and height.
void right_drag_object(EditedTown& town, int i) {
    ScriptedKeys none, r;
    r.hold('R');
    town.editor.selected_object = i;
    handle_event(town, town.editor, EVENT_PUSH, 100, 100, BUTTON_RIGHT, none);
    for (int k = 1; k <= 3; ++k) handle_event(town, town.editor, EVENT_DRAG, 100, 100 - 4 * k, BUTTON_RIGHT, none);
    handle_event(town, town.editor, EVENT_RELEASE, 100, 88, BUTTON_RIGHT, none);
    handle_event(town, town.editor, EVENT_MOVE, 100, 88, 0, r);
}

class DrawCacheGl : public ::testing::Test {
protected:
    void SetUp() override {
        start_town(town, town.editor, "town");
        // Seen from above the south-east, so the track, its ties and the
        // objects' shadows fill the picture.
        town.editor.camera->eye = {30, 40, 40};
        town.train.train_running = 0;
    }
    // The same frame drawn directly, then from the lists (compiled by the
    // first of its two frames, replayed by the second), must look the same.
    void expect_same_picture(const std::string& what) {
        drawing.cached_drawing = 0;
        const std::vector<unsigned char> direct = frame_pixels(town, drawing);
        drawing.cached_drawing = 1;
        const std::vector<unsigned char> cached = frame_pixels(town, drawing);
        EXPECT_LE(differing(direct, cached), W * H / 1000) << what;
    }
    // An edit made while the lists are in use changes the picture, and the
    // next frame from the lists shows it as direct drawing does.
    void expect_edit_shown(const std::string& what, const std::function<void(EditedTown&)>& apply) {
        drawing.cached_drawing = 1;
        const std::vector<unsigned char> before = frame_pixels(town, drawing);
        apply(town);
        const std::vector<unsigned char> cached = frame_pixels(town, drawing);
        drawing.cached_drawing = 0;
        const std::vector<unsigned char> direct = frame_pixels(town, drawing);
        drawing.cached_drawing = 1;
        EXPECT_GT(differing(before, direct), 0) << what << " changes nothing to look at";
        EXPECT_LE(differing(cached, direct), W * H / 1000) << what << " left a stale picture";
    }

    OffscreenContext context{W, H};
    EditedTown town;
    DrawState drawing;
};

}  // namespace

TEST_F(DrawCacheGl, CachedFramesMatchDirectOnesByDayAndNightWithAndWithoutTies) {
    ASSERT_GT(town.track.num_points, 2) << "the shipped town is beside the tests";
    town.editor.sel_point = 3;
    town.track.show_points = 1;
    town.editor.selected_object = 0;
    for (const float t : {0.45f, 0.9f}) {
        town.sky.time_of_day = t;
        for (const int ties : {1, 0}) {
            town.track.show_ties = ties;
            town.rebuild_track();
            town.track.track_edited = 1;
            expect_same_picture("time " + std::to_string(t) + ", ties " + std::to_string(ties));
        }
    }
}

TEST_F(DrawCacheGl, EveryKindOfEditShowsAtTheNextFrame) {
    struct Edit {
        const char* what;
        std::function<void(EditedTown&)> apply;
    };
    const std::vector<Edit> edits = {
        {"point moved",
         [](EditedTown& t) {
             t.editor.sel_point = 2;
             move_selected_point(t, t.editor, {1.5f, 0, 0});
         }},
        {"object type",
         [](EditedTown& t) {
             t.editor.selected_object = 0;
             cycle_object_type(t, t.editor);
         }},
        {"object moved", [](EditedTown& t) { t.town_objects.objects[1]->x += 2; }},
        {"ties apart",
         [](EditedTown& t) {
             t.track.tie_spacing += 3;
             t.rebuild_track();
         }},
        {"posts", [](EditedTown& t) { t.track.post_interval = 2; }},
        {"ties off", [](EditedTown& t) { t.track.show_ties = 0; }},
        {"curve kind",
         [](EditedTown& t) {
             t.track.bspline = 0;
             t.rebuild_track();
             t.rebuild_orientation();
         }},
        {"dusk lamps", [](EditedTown& t) { t.sky.time_of_day = 0.72f; }},
        {"cleared", [](EditedTown& t) { clear_scene(t, t.editor); }},
        {"loaded", [](EditedTown& t) { load_scene(t, t.editor, "town"); }},
    };
    for (const Edit& edit : edits) expect_edit_shown(edit.what, edit.apply);
}

TEST_F(DrawCacheGl, AnObjectGrownByARightDragShowsItsNewSizeAtTheNextFrame) {
    struct Resize {
        const char* what;
        int object;
        Vec3 eye, target;
    };
    const Resize resizes[] = {{"tree canopy", 87, {7, 5, 19}, {7, 2, 12.2f}},
                              {"hanging sign's height", 13, {4, 2.5f, -6}, {9.54f, 2, -6}}};
    for (const Resize& r : resizes) {
        town.editor.camera = std::make_unique<Camera>(r.eye, r.target, Vec3{0, 1, 0});
        expect_edit_shown(r.what, [&](EditedTown& t) { right_drag_object(t, r.object); });
    }
}

TEST_F(DrawCacheGl, AStillTownIsCompiledOnceAndReplayed) {
    drawing.cached_drawing = 1;
    frame_pixels(town, drawing);  // textures loaded, lists compiled
    const DrawCaches* caches = drawing.caches.get();
    ASSERT_NE(caches, nullptr);
    const int track = caches->track[0].compiles(), shadow = caches->track[1].compiles();
    const int sky = caches->sky.compiles(), object = caches->objects[0][0].compiles();
    for (int i = 0; i < 3; ++i) frame_pixels(town, drawing);
    EXPECT_EQ(caches->track[0].compiles(), track);
    EXPECT_EQ(caches->track[1].compiles(), shadow);
    EXPECT_EQ(caches->sky.compiles(), sky);
    EXPECT_EQ(caches->objects[0][0].compiles(), object);
}

TEST_F(DrawCacheGl, AContextMadeAnewDrawsTheSamePicture) {
    const std::vector<unsigned char> before = frame_pixels(town, drawing);
    OffscreenContext next{W, H};  // the window made again, as full screen is without a window manager
    drawing_context_lost(drawing);
    EXPECT_EQ(differing(before, frame_pixels(town, drawing)), 0);
}
