// One latch per key command, so that a held key acts once per press.
// Normal latches: 1 = armed; firing disarms, the key's release re-arms.
// The '-'/'+' and '['/']' pairs are inverted (0 = armed, 1 = fired), and a
// fresh view starts them at 1 like all others, so they arm at the first poll
// with the key up.
#pragma once

struct KeyLatches {
    int ground_drag_1 = 1;  // '1' with a point selected
    int reset_physics_d = 1;
    int recompute_f4 = 1;
    int physics_f3 = 1;
    int lighting_4 = 1;
    int tie_spacing_minus_plus = 1;  // inverted, shared; '+' never disarms it
    int post_interval_brackets = 1;  // inverted, shared
    int gravity_page = 1;            // shared, never disarmed: acts at every poll
    int time_step_0_9 = 1;           // shared
    int report_f5 = 1;
    int load_f1 = 1;
    int save_f2 = 1;
    int camera_mode_1 = 1;  // '1' with nothing selected
    int vehicle_view_v = 1;
    int points_2 = 1;
    int basis_b = 1;
    int train_space = 1;
    int object_type_t = 1;
    int append_m = 1;
    int new_object_n = 1;
    int next_point_q = 1;
    int next_orient_w = 1;
    int next_object_e = 1;
    int light_edit_l = 1;
    // On-screen help, HUD, ride profile, screenshot and the free camera.
    int help_h = 1;
    int hud_i = 1;
    int profile_g = 1;
    int screenshot_f12 = 1;
    int free_camera_home = 1;
    // Undo and redo
    int undo_u = 1;
    int redo_y = 1;
    // Ties switch ('3'): its own latch, so a tap switches once.
    int ties_3 = 1;
    // The free camera's overview of the whole town (End).
    int overview_end = 1;
    // Editing by hand: Insert, Delete, snapping (S), typed numbers (P).
    int insert_key = 1;
    int delete_key = 1;
    int snapping_s = 1;
    int numbers_p = 1;
};
