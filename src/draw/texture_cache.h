// Textures by name: the first request reads "textures/<name>.tga", later
// requests bind the cached OpenGL texture.
#pragma once

// Returns the texture (left bound) or 0 when the image cannot be loaded.
unsigned int texture_by_name(const char* name, bool repeat_s, bool repeat_t);

// Images read from disk and uploaded so far. Each took real time that the
// frame clock must not simulate; a name looked for again and still missing
// costs next to nothing and is not counted.
unsigned long texture_files_loaded();
// Requests that went to the disk so far, found or not. Drawing recorded while
// this moved holds a texture's first upload or a missing one's retry, which
// both belong to that one drawing only.
unsigned long texture_disk_lookups();
