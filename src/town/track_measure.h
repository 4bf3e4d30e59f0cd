// What a track asks of the program before it is built: its sampled length
// and the ties it needs, so that a scene or an edit asking too much is
// refused before anything of the town changes.
#pragma once

#include <string>
#include <vector>

#include "track_segment.h"
#include "vec3.h"

// The sampled length of segment seg of a closed curve of n segments: the
// local parameter sweeps it n times in 1000 steps, every wrap adding the
// chord between its ends. Raises summit to the highest point it meets.
float sampled_segment_length(const TrackSegment& seg, int n, float& summit);

// The sampled length of the closed track through points in this basis; 0
// with fewer than 3 points.
float sampled_track_length(const std::vector<Vec3>& points, int bspline);

// The ties a track of this sampled length has at tie spacing 1, counted no
// further than one past `most`, so a huge track costs no more than a big one.
int ties_at_closest_spacing(float track_length, int most);

// Why the track through these points asks more ties than any track may
// have, or empty when it does not.
std::string track_work_refusal(const std::vector<Vec3>& points, int bspline);
