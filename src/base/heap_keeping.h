// How freed memory stays with the process between frames.
#pragma once

// Every frame, OpenGL allocates and frees the buffers it sorts the frame's
// vertices and pixels into, megabytes at a time. By default the C library
// hands a freed top of the heap, and every large block, straight back to
// the system, which must then find, zero and map those pages again at the
// next frame: about a fifth of the shipped town's frame. Called once at
// start-up, before anything is drawn, this keeps freed memory for reuse.
void keep_freed_memory_for_the_next_frame();
