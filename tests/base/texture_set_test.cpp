// The texture set the build paints into textures/: every name the town asks
// for is there and readable, and the pictures have the properties the town's
// faces rely on (seamless sky box and ground, a beam that fades, a pale rim
// on the car window, one course of stones round the clock tower).
#include <gtest/gtest.h>

#include <cmath>
#include <algorithm>
#include <cstdlib>
#include <numeric>
#include <string>
#include <vector>

#include "tga.h"

namespace {

const char* const NAMES[] = {
    "sky front",        "sky left",        "sky back",         "sky right",        "sky top",
    "concrete",         "cement",          "headlights",       "window",           "ties",
    "tree",             "bark",            "building 1 front", "building 1 side",  "building 2 front",
    "building 2 side",  "building 3 roof", "building 3 side",  "building 4 front", "building 4 side",
    "building 5",       "building 6",      "shrubs side",      "stack",            "stop sign",
    "stop sign2",       "clock side",      "clock",            "save soul",
};
static_assert(sizeof NAMES / sizeof NAMES[0] == 29, "the town asks for 29 textures");

struct Picture {
    int width = 0, height = 0;
    std::vector<unsigned char> px;
    bool ok() const { return !px.empty(); }
    const unsigned char* at(int x, int y) const { return &px[(static_cast<std::size_t>(y) * width + x) * 4]; }
};

Picture load(const std::string& name) {
    Picture p;
    const std::string path = "textures/" + name + ".tga";
    unsigned char* data = read_tga(path.c_str(), &p.width, &p.height, TGA_RGBA);
    if (data != nullptr) p.px.assign(data, data + static_cast<std::size_t>(p.width) * p.height * 4);
    std::free(data);
    return p;
}

bool power_of_two(int v) { return v > 0 && (v & (v - 1)) == 0; }

// Mean difference (0-255) between two runs of n texels.
template <typename A, typename B>
double mean_difference(int n, A first, B second) {
    double sum = 0;
    for (int i = 0; i < n; ++i) {
        for (int ch = 0; ch < 3; ++ch) sum += std::abs(first(i)[ch] - second(i)[ch]);
    }
    return sum / (3.0 * n);
}

TEST(TextureSet, EveryNameLoadsWithPowerOfTwoSides) {
    for (const char* name : NAMES) {
        const Picture p = load(name);
        ASSERT_TRUE(p.ok()) << "textures/" << name << ".tga: " << tga_error_message(get_tga_error_code())
                            << " (the build paints them with make_textures)";
        EXPECT_TRUE(power_of_two(p.width) && power_of_two(p.height)) << name;
        EXPECT_LE(p.width * p.height, 256 * 256) << name << " is larger than the town needs";
    }
}

TEST(TextureSet, SkyFacesMeetWithoutSeams) {
    const Picture front = load("sky front"), left = load("sky left"), back = load("sky back"),
                  right = load("sky right"), top = load("sky top");
    ASSERT_TRUE(front.ok() && left.ok() && back.ok() && right.ok() && top.ok());
    const int n = front.width, last = n - 1;
    // Going round from inside: left, front, right, back, left again; each
    // face's last column meets the next face's first column.
    const Picture* ring[] = {&left, &front, &right, &back, &left};
    for (int i = 0; i < 4; ++i) {
        const Picture& a = *ring[i];
        const Picture& b = *ring[i + 1];
        EXPECT_LT(mean_difference(n, [&](int y) { return a.at(last, y); }, [&](int y) { return b.at(0, y); }), 3.0)
            << "edge " << i;
        // The seam is no sharper than the texels on either side of it.
        const double inside = mean_difference(n, [&](int y) { return a.at(last - 1, y); }, [&](int y) { return a.at(last, y); });
        EXPECT_LT(mean_difference(n, [&](int y) { return a.at(last, y); }, [&](int y) { return b.at(0, y); }),
                  inside * 2 + 1.5);
    }
    // The top's edges: t = 0 meets the front's top row; s = 1 meets the right's.
    EXPECT_LT(mean_difference(n, [&](int x) { return top.at(x, 0); }, [&](int x) { return front.at(x, last); }), 3.0);
    EXPECT_LT(mean_difference(n, [&](int y) { return top.at(last, y); }, [&](int y) { return right.at(y, last); }), 3.0);
    // Blue above, and below the horizon the land is darker than the sky.
    const unsigned char* zenith = top.at(n / 2, n / 2);
    EXPECT_GT(zenith[2], zenith[0] + 40);
    EXPECT_LT(front.at(n / 2, 4)[2], front.at(n / 2, n - 4)[2]);
}

TEST(TextureSet, GroundTilesWithoutSeams) {
    for (const char* name : {"concrete", "cement"}) {
        const Picture p = load(name);
        ASSERT_TRUE(p.ok()) << name;
        const int w = p.width, h = p.height;
        // Across the wrap the texels differ no more than across any inner column.
        const double wrap_x = mean_difference(h, [&](int y) { return p.at(w - 1, y); }, [&](int y) { return p.at(0, y); });
        const double inner_x = mean_difference(h, [&](int y) { return p.at(w / 2 - 1, y); }, [&](int y) { return p.at(w / 2, y); });
        const double wrap_y = mean_difference(w, [&](int x) { return p.at(x, h - 1); }, [&](int x) { return p.at(x, 0); });
        const double inner_y = mean_difference(w, [&](int x) { return p.at(x, h / 2 - 1); }, [&](int x) { return p.at(x, h / 2); });
        EXPECT_LT(wrap_x, inner_x + 6) << name;
        EXPECT_LT(wrap_y, inner_y + 6) << name;
    }
}

TEST(TextureSet, BeamFadesAndTheWindowRimColoursTheDoors) {
    const Picture beam = load("headlights");
    ASSERT_TRUE(beam.ok());
    const int w = beam.width, h = beam.height;
    // Bright ahead of the lamps, nothing at the far end or the sides.
    EXPECT_GT(beam.at(static_cast<int>(w * 0.36), h / 4)[3], 100);
    EXPECT_GT(beam.at(static_cast<int>(w * 0.36), h / 4)[3], beam.at(static_cast<int>(w * 0.36), h * 3 / 4)[3]);
    EXPECT_EQ(beam.at(w / 2, h - 1)[3], 0);
    EXPECT_EQ(beam.at(0, h / 2)[3], 0);

    // The door panels take the texel at (0, 0) and (1, 0): near white, so the
    // car keeps its colour; the glass in the middle is dark.
    const Picture pane = load("window");
    ASSERT_TRUE(pane.ok());
    for (const unsigned char* corner : {pane.at(0, 0), pane.at(pane.width - 1, 0)}) {
        EXPECT_GT(corner[0], 200);
        EXPECT_GT(corner[1], 200);
        EXPECT_GT(corner[2], 200);
    }
    EXPECT_LT(pane.at(pane.width / 2, pane.height / 4)[0], 120);
}

TEST(TextureSet, TheStopSignIsRedWithAWhiteRim) {
    const Picture sign = load("stop sign");
    ASSERT_TRUE(sign.ok());
    const int w = sign.width, h = sign.height;
    // Red in the field between the letters and the rim, white on the rim.
    const unsigned char* field = sign.at(w / 2, h / 8 + 4);
    EXPECT_GT(field[0], 150);
    EXPECT_LT(field[1], 80);
    const unsigned char* rim = sign.at(w / 2, 2);
    EXPECT_GT(rim[1], 200);
    // The back is plain grey.
    const Picture back = load("stop sign2");
    ASSERT_TRUE(back.ok());
    const unsigned char* middle = back.at(w / 4, h / 2);
    EXPECT_LT(std::abs(middle[0] - middle[2]), 20);
}

// World heights of the joints between courses of stone on a face face_h
// high, seen in a strip of columns x0..x1 up to height top: the centres of
// runs of rows clearly darker than the typical row. The brightness of the
// rows goes to brightness.
std::vector<float> joints(const Picture& p, int x0, int x1, float face_h, float top, std::vector<double>& brightness) {
    const int rows = static_cast<int>(p.height * top / face_h);
    for (int y = 0; y < rows; ++y) {
        double sum = 0;
        for (int x = x0; x < x1; ++x) sum += p.at(x, y)[0] + p.at(x, y)[1] + p.at(x, y)[2];
        brightness.push_back(sum / (x1 - x0));
    }
    std::vector<double> sorted = brightness;
    std::nth_element(sorted.begin(), sorted.begin() + rows / 2, sorted.end());
    const double dark = 0.88 * sorted[rows / 2];
    std::vector<float> heights;
    for (int y = 0, start = 0; y < rows; ++y) {
        if (brightness[y] < dark && (y == 0 || brightness[y - 1] >= dark)) start = y;
        if (brightness[y] < dark && (y + 1 == rows || brightness[y + 1] >= dark)) {
            heights.push_back((start + y + 1) / 2.0f / p.height * face_h);
        }
    }
    return heights;
}

TEST(TextureSet, TheClockTowerShowsTheSameCoursesOnEveryFace) {
    // The clock block (1.077 high) shows "clock" on one face and the lowest
    // part of "clock side" (which covers the base, 3.2) on the other three.
    const Picture face = load("clock"), side = load("clock side");
    ASSERT_TRUE(face.ok() && side.ok());
    std::vector<double> face_rows, side_rows;
    const std::vector<float> on_face = joints(face, 0, face.width / 8, 1.077f, 1.077f, face_rows);  // left of the dial
    const std::vector<float> on_side = joints(side, 0, side.width, 3.2f, 1.077f, side_rows);
    ASSERT_GE(on_face.size(), 4u);
    ASSERT_EQ(on_face.size(), on_side.size());
    for (std::size_t i = 0; i < on_face.size(); ++i) EXPECT_NEAR(on_face[i], on_side[i], 0.02f) << "joint " << i;
    // Nor is the side's lowest course darker than the next: on the clock
    // block it would show as a band halfway up the tower.
    const int course = static_cast<int>(side_rows.size()) / 5;
    const double lowest = std::accumulate(side_rows.begin(), side_rows.begin() + course, 0.0);
    const double next = std::accumulate(side_rows.begin() + course, side_rows.begin() + 2 * course, 0.0);
    EXPECT_GT(lowest, 0.93 * next);
}

}  // namespace
