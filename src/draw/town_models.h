// The models of the town objects, one routine per kind. The world pass
// decides which one an object's type code draws and in which pass; each
// routine only draws.
#pragma once

struct ControlPoint;
struct Town;

// What every town-object model needs to know besides its place.
struct ModelContext {
    int pass = 0;             // 0 normal, 1 shadow (no colours set)
    bool selected = false;    // drawn in yellow, where the model allows it
    float time_of_day = 0.5f; // lamps glow and clock hands turn with it
    int lighting = 1;         // the view's lighting switch
};

// The lamps glow from dusk to the next morning.
inline bool lamp_glows(float time_of_day) { return time_of_day < 0.3f || time_of_day > 0.7f; }

// Buildings 1, 2, 3 (house), 4, 5 (code 16) and 6 (code 17) centred on (x, z).
void draw_building(const ModelContext& ctx, int code, float x, float z);
void draw_shrub(const ModelContext& ctx, float x, float z);
void draw_smoke_stack(const ModelContext& ctx, float x, float z);
// Codes 7..10: the front faces -x, +z, +x, -z.
void draw_stop_sign(const ModelContext& ctx, int code, float x, float z);
// Codes 11..14: the arm points -x, -z, +x, +z.
void draw_street_lamp(const ModelContext& ctx, int code, float x, float z);
void draw_clock_tower(const ModelContext& ctx, float x, float z);
// The sign's lower edge floats at height.
void draw_hanging_sign(const ModelContext& ctx, float x, float z, float height);
// Canopy radius size, total height height.
void draw_tree(const ModelContext& ctx, float x, float z, float size, float height);

// The context the world pass gives the models in pass 0 or 1.
ModelContext world_model_context(const Town& town, int pass);
// The model that an object's type code selects; an unknown code draws nothing.
void draw_town_object(const ModelContext& ctx, int code, const ControlPoint& obj);
