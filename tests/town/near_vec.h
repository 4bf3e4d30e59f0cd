// Compares track vectors axis by axis, printing both when they differ.
#pragma once

#include <gtest/gtest.h>

#include <cmath>

#include "vec3.h"

inline testing::AssertionResult near_vec(Vec3 got, Vec3 want, float tol = 1e-4f) {
    if (std::fabs(got.x - want.x) <= tol && std::fabs(got.y - want.y) <= tol &&
        std::fabs(got.z - want.z) <= tol) {
        return testing::AssertionSuccess();
    }
    return testing::AssertionFailure() << "(" << got.x << ", " << got.y << ", " << got.z
                                       << ") is not within " << tol << " of (" << want.x << ", "
                                       << want.y << ", " << want.z << ")";
}
