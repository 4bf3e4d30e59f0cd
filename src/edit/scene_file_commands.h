// F1 and F2 once the prompt gave a name: the load or the save, and word of
// it on screen. A failure tells its reason itself, on standard output too.
#pragma once

struct Town;

void load_scene_and_tell(Town& town, const char* name);
void save_scene_and_tell(Town& town, const char* name);
