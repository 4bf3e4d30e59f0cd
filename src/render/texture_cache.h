// Textures by name: the first request reads "textures/<name>.tga", later
// requests bind the cached OpenGL texture.
#pragma once

// Returns the texture (left bound) or 0 when the image cannot be loaded.
// Every load attempt writes CLOCK_RESTART through clock. A failure is
// reported the first time for a name and again only when its reason changes.
unsigned int texture_by_name(const char* name, bool repeat_s, bool repeat_t, int* clock);

// While one lives, every request answers 0 at once and touches nothing:
// picking draws the models for their shapes alone, and must neither load,
// retry nor report a texture, nor restart the frame clock.
class TexturesWithheld {
public:
    TexturesWithheld();
    ~TexturesWithheld();
    TexturesWithheld(const TexturesWithheld&) = delete;
    TexturesWithheld& operator=(const TexturesWithheld&) = delete;
};
