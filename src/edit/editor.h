// Editor: what the user is doing with the town, apart from the town itself:
// the camera and its mode, what is selected, the pointer and the held keys,
// what is laid over the picture, and the undo history. The commands read and
// write it beside the town; drawing only reads it.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "autosave_place.h"
#include "camera.h"
#include "drawn_frames.h"
#include "edit_history.h"
#include "key_latches.h"
#include "overlays.h"

struct Town;

// Where the editor meets the world outside the town: the toolkit shell
// answers these, tests script them, and the defaults here ask nobody.
struct EditorSeams {
    virtual ~EditorSeams() = default;
    // Asks the toolkit to redraw the view (damage(1)). Use Editor::redraw.
    virtual void request_redraw() {}
    // The file-name prompt: fills a 64-byte buffer, returns 1 when confirmed.
    // Without a toolkit there is nobody to ask: the prompt counts as cancelled.
    virtual int ask_file_name(char* buffer, const char* label);
    // Where unsaved edits are kept: the working folder, then the user's own.
    virtual AutosavePlaces autosave_places() const;
    // The dialog of typed numbers (P): one field per name, filled from values;
    // true with values replaced when confirmed, every one within its bound.
    virtual bool ask_numbers(const std::string& title, const std::vector<std::string>& names,
                             std::vector<float>& values);
};

// The seams of an editor nobody handed any: nobody to ask, nothing to redraw.
EditorSeams& no_seams();

struct Editor {
    // The free camera looks from (0, 10, 10) down at the town centre.
    explicit Editor(EditorSeams& seams = no_seams());
    Editor(const Editor&) = delete;
    Editor& operator=(const Editor&) = delete;

    // A redraw is requested only while the train stands: while it runs the
    // idle pump redraws anyway.
    void redraw(const Town& town);
    // A line for the user: printed on standard output as it stands, ending
    // included, and shown across the bottom of the window for a few seconds.
    void tell_user(const std::string& line, const char* ending = "\n");

    EditorSeams* seams;

    // ===== Cameras ========================================================
    std::unique_ptr<Camera> camera;
    int camera_mode = 0;    // 0..12
    int vehicle_view = 0;   // 0..19
    double fov = 45.0;      // the view's field of view, in degrees

    // ===== What the user selected =========================================
    int sel_point = -1;
    int sel_orient_point = -1;
    int selected_object = -1;

    // ===== Pointer, keys and drags ========================================
    int ground_drag = 1;
    int light_edit = 0;
    int mouse_x = 0, mouse_y = 0, mouse_prev_x = 0, mouse_prev_y = 0;
    int drag_x = 0, drag_y = 0, drag_prev_x = 0, drag_prev_y = 0;
    KeyLatches latches;
    int snapping = 0;            // S: dragged points and objects land on the grid
    int dragged_since_push = 0;  // the selection moved since the button went down

    // ===== On-screen help, heads-up display, messages, screenshots ========
    OverlayState overlays;
    bool picture_wanted = true;  // an event arrived or the window was exposed
    DrawnFrames drawn_frames;

    // ===== Undo, redo and the autosave on close ===========================
    EditTracker edits;
    int scene_file_syncs = 0;  // loads and saves that succeeded: the scene then matches a file
};
