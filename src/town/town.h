// Town: the model of the town and its train, its parts each with its own
// step, and the operations of the simulation on them. No toolkit, no OpenGL
// and nothing of what the user is doing here: the town view holds a town
// beside its editor, and the drawing layer reads both.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "control_point.h"
#include "frame_clock.h"
#include "ride_telemetry.h"
#include "sky.h"
#include "town_bounds.h"
#include "town_objects.h"
#include "track.h"
#include "track_segment.h"
#include "train.h"
#include "vec3.h"
#include "traffic.h"

struct Town {
    // Builds the town: defaults, cars, intersections, and the random turns
    // seeded.
    Town();
    ~Town();
    Town(const Town&) = delete;
    Town& operator=(const Town&) = delete;

    // --- Track points (control points and orientation points) -------------
    // A control point at the centre of town, its orientation point above it,
    // at the end of the track; a point the track has no room for is not
    // added. Returns why not, for the user, when its ties would be too many.
    std::string append_point();
    // Moves of point i stop at the town's bound; a control point's move that
    // would make the track need more ties than any track may have is not
    // made. An index that names no point moves nothing.
    void move_point(int i, Vec3 d);
    void move_orient_point(int i, Vec3 d);
    // Where the control points stand, in track order.
    std::vector<Vec3> control_positions() const;
    // Every point and its segment gone, the tie table released.
    void clear_points();

    // --- Curves and track tables ------------------------------------------
    void rebuild_track();
    void rebuild_orientation();
    // Between B-spline and Catmull-Rom, unless the other basis would make
    // the track need more ties than any track may have: then says why not.
    std::string switch_basis();
    Vec3 track_point(float t) const;       // track curve at global parameter t
    Vec3 track_derivative(float t) const;  // its derivative with respect to u
    Vec3 orient_point_at(float t) const;   // orientation curve at t
    void release_tie_table();              // free the table, keep tie_capacity
    // The tie table in steps of 25 ties; on failure ties are computed as drawn.
    void resize_tie_table(int capacity);
    // Every tie's frame from the curves as they stand, when a table is in use.
    void fill_tie_table();

    // --- Train -----------------------------------------------------------
    void train_step();
    void start_train();   // by an append or a load: keeps a valid train_param
    void toggle_train();  // the space bar: start or stop, back to parameter 0
    // Puts the train at parameter t: its position, direction and up hint.
    void place_train(float t);
    // The train's controls; each acts only within its bounds and mode.
    void toggle_physics();
    void raise_energy();       // physics mode: +500 while below 200000
    void lower_energy();       // physics mode: -500 while above 1000
    void speed_up();           // by hand: +0.5 while below 100
    void slow_down();          // by hand: -0.5 while above 1
    void stronger_gravity();   // -0.5 while above -100, then rebuild_track
    void weaker_gravity();     // +0.5 while below -5, then rebuild_track
    void reset_physics();      // speed 3, gravity -20.8, then rebuild_track
    void recompute_energy();   // rebuild_track, which sets total_energy

    // --- Town objects ----------------------------------------------------
    // A new object at the end of the list, while there is room.
    void create_object();
    // The next type code for object i; an index that names none does nothing.
    void cycle_object_type(int i);

    // --- Frame clock -----------------------------------------------------
    // Advances the clock by the real time since the last frame, steps the
    // day, the train and the traffic once; true when this frame must draw.
    bool frame_begin();
    // Consumes one step of real time after the frame.
    void frame_end();

    // ===== The town's parts, each with its own step ======================
    Track track;
    Train train;
    TownObjects town_objects;
    Traffic traffic;
    Sky sky;
    FrameClock clock;

    // Clears of the scene so far: drawing starts its own phases over.
    unsigned scene_clears = 0;

    // ===== Stored with the scene ==========================================
    float follow_distance = 15.0f;  // how far the view follows a selected point
    float spare_scalar = 0.0f;      // kept only for the scene file

    // ===== The ride's telemetry, recorded at every step of the train =====
    RideTelemetry telemetry;
};
