// Textures by name: the first request reads "textures/<name>.tga", later
// requests bind the cached OpenGL texture.
#pragma once

// Returns the texture (left bound) or 0 when the image cannot be loaded.
// Every load attempt writes CLOCK_RESTART through clock.
unsigned int texture_by_name(const char* name, bool repeat_s, bool repeat_t, int* clock);
