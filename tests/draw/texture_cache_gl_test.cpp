// The texture cache in an off-screen context: one texture per name, the
// frame clock restarted by loads only, misses retried at every request and
// reported when they are news.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "texture_cache.h"
#include "base/tga_files.h"
#include "support/gl_context.h"
#include "town.h"

namespace {

// Each test runs in its own directory holding textures/, with its own
// context. The cache outlives both, so every test uses names of its own.
class TextureCache : public testing::Test {
protected:
    TextureCache() : cwd(dir.path()), gl(32, 32) {
        std::filesystem::create_directory(dir.file("textures"));
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glOrtho(0, 1, 0, 1, -1, 1);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
    }
    void SetUp() override { ASSERT_TRUE(cwd.ok()); }

    template <typename F>
    void make_texture(const std::string& name, int width, int height, F colour) {
        ASSERT_TRUE(write_picture("textures/" + name + ".tga", width, height, colour));
    }

    // Draws the bound texture over the whole view with corner coordinates
    // (s0, t0) bottom left to (s1, t1) top right.
    void draw_textured(float s0, float t0, float s1, float t1) {
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT);
        glEnable(GL_TEXTURE_2D);
        glColor3f(1, 1, 1);
        glBegin(GL_QUADS);
        for (const int corner : {0, 1, 3, 2}) {
            glTexCoord2f(corner & 1 ? s1 : s0, corner & 2 ? t1 : t0);
            glVertex2i(corner & 1, corner >> 1);
        }
        glEnd();
        glDisable(GL_TEXTURE_2D);
    }

    static GLint bound() {
        GLint name = -1;
        glGetIntegerv(GL_TEXTURE_BINDING_2D, &name);
        return name;
    }

    // Asks the cache for name; what it printed lands in out, and how many
    // images it read from disk and how often it looked there, in loads and
    // lookups.
    unsigned int request(const std::string& name, bool repeat_s = false, bool repeat_t = false) {
        const unsigned long loaded_before = texture_files_loaded();
        const unsigned long looked_before = texture_disk_lookups();
        testing::internal::CaptureStdout();
        const unsigned int texture = texture_by_name(name.c_str(), repeat_s, repeat_t);
        out = testing::internal::GetCapturedStdout();
        loads = texture_files_loaded() - loaded_before;
        lookups = texture_disk_lookups() - looked_before;
        return texture;
    }

    ScratchDir dir;
    WorkingDir cwd;
    OffscreenContext gl;
    unsigned long loads = 0;
    unsigned long lookups = 0;
    std::string out;
};

Bytes solid(int x, int y) { return {static_cast<uint8_t>(40 * x), static_cast<uint8_t>(50 * y), 200, 255}; }

bool near(Rgba p, int r, int g, int b, int tolerance) {
    return std::abs(p.r - r) <= tolerance && std::abs(p.g - g) <= tolerance && std::abs(p.b - b) <= tolerance;
}

TEST_F(TextureCache, TheFirstRequestLoadsAndLaterOnesOnlyBind) {
    make_texture("cache cement", 6, 5, solid);
    const unsigned int texture = request("cache cement", true, true);
    ASSERT_NE(texture, 0u);
    EXPECT_EQ(out, "Trying: `textures/cache cement.tga'\n"
                   "Created texture " + std::to_string(texture) + " for cache cement\n"
                   "Build MipMap(6 5) returns 0 = no error (0)\n");
    EXPECT_EQ(loads, 1u);
    EXPECT_EQ(lookups, 1u);
    EXPECT_EQ(bound(), static_cast<GLint>(texture));

    glBindTexture(GL_TEXTURE_2D, 0);
    EXPECT_EQ(request("cache cement", true, true), texture);
    EXPECT_EQ(out, "");
    EXPECT_EQ(loads, 0u);
    EXPECT_EQ(lookups, 0u);
    EXPECT_EQ(bound(), static_cast<GLint>(texture));

    // Another name is another texture.
    make_texture("cache concrete", 6, 5, solid);
    const unsigned int other = request("cache concrete", true, true);
    EXPECT_NE(other, 0u);
    EXPECT_NE(other, texture);
    EXPECT_EQ(request("cache cement"), texture);
}

TEST_F(TextureCache, AMissingImageIsLookedForAtEveryRequestAndReportedWhenNews) {
    GLuint kept = 0;
    glGenTextures(1, &kept);
    glBindTexture(GL_TEXTURE_2D, kept);
    const std::string missing = "Trying: `textures/cache nowhere.tga'\n!! Couldn't load texture `cache nowhere'~\n";
    for (int attempt = 0; attempt < 3; ++attempt) {
        EXPECT_EQ(request("cache nowhere"), 0u);
        EXPECT_EQ(out, attempt == 0 ? missing : "") << "said once, however often it is asked for";
        EXPECT_EQ(lookups, 1u) << "looked for again at every request";
        EXPECT_EQ(loads, 0u) << "a retry that finds nothing took no time worth leaving out";
        EXPECT_EQ(bound(), static_cast<GLint>(kept)) << "the binding is left as it was";
    }

    // An unreadable file fails for another reason, said once more; once a good image appears it loads.
    write_bytes("textures/cache nowhere.tga", Bytes{1, 2, 3});
    EXPECT_EQ(request("cache nowhere"), 0u);
    EXPECT_EQ(out, missing);
    EXPECT_EQ(request("cache nowhere"), 0u);
    EXPECT_EQ(out, "");
    make_texture("cache nowhere", 6, 5, solid);
    const unsigned int texture = request("cache nowhere");
    EXPECT_NE(texture, 0u);
    EXPECT_EQ(out.rfind("Trying: `textures/cache nowhere.tga'\nCreated texture " + std::to_string(texture), 0), 0u)
        << out;
    EXPECT_EQ(loads, 1u);

    // A name too long for the path buffer is cut, not overflowed.
    const std::string long_name(300, 'n');
    EXPECT_EQ(request(long_name), 0u);
    const std::string cut = "textures/" + std::string(199 - 9, 'n');
    EXPECT_EQ(out, "Trying: `" + cut + "'\n!! Couldn't load texture `" + long_name + "'~\n");
}

TEST_F(TextureCache, WithheldRequestsTouchNothing) {
    make_texture("cache withheld", 6, 5, solid);
    glBindTexture(GL_TEXTURE_2D, 0);
    {
        const TexturesWithheld withheld;
        EXPECT_EQ(request("cache withheld"), 0u);
        EXPECT_EQ(lookups + loads, 0u);
        EXPECT_EQ(request("cache never there"), 0u);
        EXPECT_EQ(out, "");
        EXPECT_EQ(lookups + loads, 0u);
    }
    EXPECT_NE(request("cache withheld"), 0u) << "the cache opens again with the guard gone";
    EXPECT_NE(out.find("Created texture"), std::string::npos);
}

TEST_F(TextureCache, RepeatFlagsAreFixedWhenTheTextureIsCreated) {
    make_texture("cache clamped", 6, 5, solid);
    make_texture("cache repeated", 6, 5, solid);
    auto wrap = [](GLenum which) {
        GLint mode = 0;
        glGetTexParameteriv(GL_TEXTURE_2D, which, &mode);
        return mode;
    };
    request("cache clamped", false, false);
    request("cache clamped", true, true);
    EXPECT_EQ(wrap(GL_TEXTURE_WRAP_S), GL_CLAMP_TO_EDGE);
    EXPECT_EQ(wrap(GL_TEXTURE_WRAP_T), GL_CLAMP_TO_EDGE);
    request("cache repeated", true, false);
    request("cache repeated", false, true);
    EXPECT_EQ(wrap(GL_TEXTURE_WRAP_S), GL_REPEAT);
    EXPECT_EQ(wrap(GL_TEXTURE_WRAP_T), GL_CLAMP_TO_EDGE);
}

TEST_F(TextureCache, ImagesOfAnySizeShowTheirPicture) {
    // 100 x 60, not powers of two: red bottom left, green bottom right, blue top left, white top right.
    make_texture("cache quarters", 100, 60, [](int x, int y) {
        if (y < 30) return x < 50 ? Bytes{255, 0, 0, 255} : Bytes{0, 255, 0, 255};
        return x < 50 ? Bytes{0, 0, 255, 255} : Bytes{255, 255, 255, 255};
    });
    ASSERT_NE(request("cache quarters"), 0u);
    EXPECT_NE(out.find("Build MipMap(100 60) returns 0 = no error"), std::string::npos) << out;
    draw_textured(0, 0, 1, 1);
    EXPECT_TRUE(near(gl.pixel(6, 6), 255, 0, 0, 7));
    EXPECT_TRUE(near(gl.pixel(25, 6), 0, 255, 0, 7));
    EXPECT_TRUE(near(gl.pixel(6, 25), 0, 0, 255, 7));
    EXPECT_TRUE(near(gl.pixel(25, 25), 255, 255, 255, 7));
}

TEST_F(TextureCache, EdgeTexelsKeepTheirOwnColour) {
    // A car's door panel shows the single texel at (0, 0) or (1, 0) of its window
    // texture: it must be that texel, not darkened by a border colour.
    // (Powers of two, so the picture is not rescaled for the mipmaps.)
    make_texture("cache pane", 8, 4, [](int x, int y) {
        if (y == 0 && x == 0) return Bytes{200, 180, 160, 255};
        if (y == 0 && x == 7) return Bytes{120, 140, 220, 255};
        return Bytes{0, 0, 40, 255};
    });
    ASSERT_NE(request("cache pane"), 0u);
    draw_textured(0, 0, 0, 0);
    EXPECT_TRUE(near(gl.pixel(16, 16), 200, 180, 160, 2));
    draw_textured(1, 0, 1, 0);
    EXPECT_TRUE(near(gl.pixel(16, 16), 120, 140, 220, 2));
}

}  // namespace

TEST_F(TextureCache, ATextureLostWithItsContextIsUploadedAgainFromTheImageKept) {
    make_texture("cache lost", 6, 5, solid);
    ASSERT_NE(request("cache lost"), 0u);
    std::filesystem::remove("textures/cache lost.tga");
    OffscreenContext next(32, 32);
    textures_lost();
    const unsigned int texture = request("cache lost");
    EXPECT_EQ(glIsTexture(texture), GL_TRUE) << "a texture of the context current";
    EXPECT_EQ(loads, 1u) << "an upload takes the time of a load";
    EXPECT_EQ(lookups, 1u) << "a list recorded around it must not keep it";
    EXPECT_EQ(request("cache lost"), texture);
    EXPECT_EQ(loads, 0u);
}
