// The two whole-scene commands: C and F5.
#pragma once

struct Town;
struct Editor;

// Back to an empty scene with fresh settings and the free camera; the keys
// held through it do not act again on the empty scene.
void clear_scene(Town& town, Editor& editor);
// The train, the camera and the timing figures on standard output.
void print_report(const Town& town, const Editor& editor);
