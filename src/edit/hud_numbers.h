// The HUD's numbers: where the selection stands and the settings the keys
// change, so a held key can be steered by what it does.
#pragma once

#include <string>
#include <vector>

struct Town;
struct Editor;

// The selection's x, y, z (an object's size and height too), then the
// energy, ties, posts, gravity, the day's speed and whether snapping is on.
std::vector<std::string> hud_number_lines(const Town& town, const Editor& editor);
