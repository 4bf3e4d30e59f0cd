// The town's texture set: every name the program asks the texture cache for,
// with the size, pixel format and painter of its picture.
#pragma once

#include <string>

#include "texture_canvas.h"

// Painters: each fills a canvas of the size its entry gives.
void paint_sky(Canvas& c, int face);  // SKY_FRONT .. SKY_TOP
void paint_concrete(Canvas& c);
void paint_cement(Canvas& c);
void paint_ties(Canvas& c);
void paint_tree(Canvas& c);
void paint_bark(Canvas& c);
void paint_shrubs(Canvas& c);
void paint_house_roof(Canvas& c);
void paint_stack(Canvas& c);
void paint_clock_side(Canvas& c);
void paint_facade(Canvas& c, int building);  // one of the FACADE_* values
void paint_stop_sign(Canvas& c);
void paint_stop_sign_back(Canvas& c);
void paint_clock(Canvas& c);
void paint_shop_sign(Canvas& c);
void paint_headlights(Canvas& c);
void paint_window(Canvas& c);

// Dressed stone in courses, shared by the clock tower's walls and its clock
// face: the canvas covers a face face_w x face_h world units in size, and the
// stones keep one size in the world whatever the canvas's.
void paint_stone(Canvas& c, float face_w, float face_h);

enum SkyFace { SKY_FRONT, SKY_LEFT, SKY_BACK, SKY_RIGHT, SKY_TOP };

enum FacadeKind {
    FACADE_1_FRONT,
    FACADE_1_SIDE,
    FACADE_2_FRONT,
    FACADE_2_SIDE,
    FACADE_3_SIDE,
    FACADE_4_FRONT,
    FACADE_4_SIDE,
    FACADE_5,
    FACADE_6,
    FACADE_COUNT
};

struct TexturePlan {
    const char* name;  // the texture's name; its file is "<name>.tga"
    int width, height;
    int format;        // TGA_RGB, or TGA_RGBA where alpha matters
    bool run_length;   // flat pictures compress well; noisy ones are written raw
    void (*paint)(Canvas&, int);
    int variant;       // passed to paint (sky face, facade)
};

extern const TexturePlan TEXTURE_SET[];
extern const int TEXTURE_SET_SIZE;
