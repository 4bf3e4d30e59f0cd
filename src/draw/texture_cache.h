// Textures by name: the first request reads "textures/<name>.tga", later
// requests bind the cached OpenGL texture.
#pragma once

// Returns the texture (left bound) or 0 when the image cannot be loaded. A
// failure is reported the first time for a name and again only when its
// reason changes.
unsigned int texture_by_name(const char* name, bool repeat_s, bool repeat_t);

// Images read from disk and uploaded so far, and images uploaded again after
// their context was lost. Each took real time that the frame clock must not
// simulate; a name looked for again and still missing costs next to nothing
// and is not counted.
unsigned long texture_files_loaded();
// Requests that went to the disk so far, found or not, and uploads again.
// Drawing recorded while this moved holds a texture's upload or a missing
// one's retry, which both belong to that one drawing only.
unsigned long texture_disk_lookups();

// The OpenGL context the textures were uploaded to is gone: each is uploaded
// again, from the image kept, at its next request in the current one.
void textures_lost();

// While one lives, every request answers 0 at once and touches nothing:
// picking draws the models for their shapes alone, and must neither load,
// retry nor report a texture.
class TexturesWithheld {
public:
    TexturesWithheld();
    ~TexturesWithheld();
    TexturesWithheld(const TexturesWithheld&) = delete;
    TexturesWithheld& operator=(const TexturesWithheld&) = delete;
};
