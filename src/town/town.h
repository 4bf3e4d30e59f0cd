// Town: every piece of scene state the town view owns, and the operations of
// the simulation on it. No toolkit and no OpenGL here: the FLTK widget
// (TownView) derives from this, and the drawing layer reads it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <memory>
#include <vector>

#include "camera.h"
#include "autosave_place.h"
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
#include "edit_history.h"
#include "key_latches.h"
#include "key_poll.h"
#include "overlays.h"
#include "drawn_frames.h"

struct Town {
    // Builds the town: defaults, cars, intersections, the free camera, then
    // loads startup_scene (skipped when null) and seeds the random turns.
    explicit Town(const char* startup_scene);
    virtual ~Town();
    Town(const Town&) = delete;
    Town& operator=(const Town&) = delete;

    // --- Seams: the toolkit shell and tests override these. ---------------
    // Asks the toolkit to redraw the view (damage(1)). Use redraw() below.
    virtual void request_redraw() {}
    // The file-name prompt: fills a 64-byte buffer, returns 1 when confirmed.
    virtual int ask_file_name(char* buffer, const char* label);
    // Where unsaved edits are kept: the working folder, then the user's own.
    virtual AutosavePlaces autosave_places() const;
    // The dialog of typed numbers (P): one field per name, filled from values;
    // true with values replaced when confirmed, every one within its bound.
    virtual bool ask_numbers(const std::string& title, const std::vector<std::string>& names,
                             std::vector<float>& values);

    // A redraw is requested only while the train stands: while it runs the
    // idle pump redraws anyway.
    void redraw() {
        if (train.train_running == 0) request_redraw();
    }

    // --- Track points (control points and orientation points) -------------
    void append_point();
    void select_next_point();
    void select_next_orient_point();
    // Moves stop at the town's bound; a control point's move that would make
    // the track need more ties than any track may have is not made.
    void move_selected_point(Vec3 d);
    void move_selected_orient_point(Vec3 d);
    // Where the control points stand, in track order.
    std::vector<Vec3> control_positions() const;
    void deselect_points();
    void clear_points();

    // --- Curves and track tables ------------------------------------------
    void rebuild_track();
    void rebuild_orientation();
    // Between B-spline and Catmull-Rom, unless the other basis would make
    // the track need more ties than any track may have.
    void switch_basis();
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
    void create_object();
    void select_next_object();
    void cycle_object_type();

    // --- Scene files -----------------------------------------------------
    void load_scene(const char* name);
    void save_scene(const char* name);

    // --- Commands --------------------------------------------------------
    // Runs the key commands and mouse gestures for one toolkit event and
    // returns what the toolkit's handle must return.
    int handle_event(int event, int event_x, int event_y, int button, const KeyPoll& keys);
    void clear_scene();
    void print_report() const;
    // A line for the user: printed on standard output as it stands, ending
    // included, and shown across the bottom of the window for a few seconds.
    void tell_user(const std::string& line, const char* ending = "\n");

    // --- Frame clock -----------------------------------------------------
    // Advances the clock by the real time since the last frame, steps the
    // day, the train and the traffic once; true when this frame must draw.
    bool frame_begin();
    // Consumes one step of real time after the frame.
    void frame_end();
    // One whole frame: begin, the picture when the clock says so, end. The
    // picture says whether it read images from disk: that took real time
    // the clock must not simulate, so the clock starts over.
    void run_frame(const std::function<bool()>& draw_picture);
    // True while no step changes the picture and nothing asked for a new
    // one: the frame clock keeps time, but no frame is drawn.
    bool picture_still_right() const;
    bool picture_wanted = true;  // an event arrived or the window was exposed
    DrawnFrames drawn_frames;

    // ===== Projection =====================================================
    double fov = 45.0;

    // ===== The town's parts, each with its own step ======================
    Track track;
    Train train;
    TownObjects town_objects;
    Traffic traffic;
    Sky sky;
    FrameClock clock;

    // ===== What the user selected =========================================
    int sel_point = -1;
    int sel_orient_point = -1;
    int selected_object = -1;

    // Clears of the scene so far: drawing starts its own phases over.
    unsigned scene_clears = 0;

    // ===== Cameras ========================================================
    std::unique_ptr<Camera> camera;
    int camera_mode = 0;    // 0..12
    int vehicle_view = 0;   // 0..19
    float follow_distance = 15.0f;

    // ===== Editing state ==================================================
    int ground_drag = 1;
    int light_edit = 0;
    int mouse_x = 0, mouse_y = 0, mouse_prev_x = 0, mouse_prev_y = 0;
    int drag_x = 0, drag_y = 0, drag_prev_x = 0, drag_prev_y = 0;
    KeyLatches latches;
    int snapping = 0;            // S: dragged points and objects land on the grid
    int dragged_since_push = 0;  // the selection moved since the button went down
    float spare_scalar = 0.0f;  // kept only for the scene file

    // ===== On-screen help, heads-up display, ride telemetry, screenshots ==
    OverlayState overlays;
    RideTelemetry telemetry;

    // ===== Undo, redo and the autosave on close ===========================
    EditTracker edits;
    int scene_file_syncs = 0;  // loads and saves that succeeded: the scene then matches a file
};
