#include "support/gl_context.h"

#include <GL/osmesa.h>

#include <cstdio>
#include <stdexcept>

OffscreenContext::OffscreenContext(int width, int height)
    : width_(width), height_(height), buffer_(static_cast<std::size_t>(width) * height * 4) {
    OSMesaContext ctx = OSMesaCreateContextExt(OSMESA_RGBA, 24, 8, 0, nullptr);
    if (ctx == nullptr) throw std::runtime_error("OSMesaCreateContextExt failed");
    if (!OSMesaMakeCurrent(ctx, buffer_.data(), GL_UNSIGNED_BYTE, width, height)) {
        OSMesaDestroyContext(ctx);
        throw std::runtime_error("OSMesaMakeCurrent failed");
    }
    context_ = ctx;
    glViewport(0, 0, width, height);
}

OffscreenContext::~OffscreenContext() {
    // Mesa must finish pending drawing into our buffer before it goes away.
    glFinish();
    OSMesaDestroyContext(static_cast<OSMesaContext>(context_));
}

Rgba OffscreenContext::pixel(int x, int y) const {
    glFinish();
    const unsigned char* p = &buffer_[(static_cast<std::size_t>(y) * width_ + x) * 4];
    return {p[0], p[1], p[2], p[3]};
}

void OffscreenContext::save_ppm(const char* path) const {
    glFinish();
    FILE* f = std::fopen(path, "wb");
    if (f == nullptr) return;
    std::fprintf(f, "P6\n%d %d\n255\n", width_, height_);
    for (int y = height_ - 1; y >= 0; --y) {
        for (int x = 0; x < width_; ++x) {
            std::fwrite(&buffer_[(static_cast<std::size_t>(y) * width_ + x) * 4], 1, 3, f);
        }
    }
    std::fclose(f);
}

namespace {

FeedbackVertex read_vertex(const std::vector<GLfloat>& buf, std::size_t& i) {
    FeedbackVertex v{};
    v.x = buf[i++];
    v.y = buf[i++];
    v.z = buf[i++];
    v.r = buf[i++];
    v.g = buf[i++];
    v.b = buf[i++];
    v.a = buf[i++];
    v.s = buf[i++];
    v.t = buf[i++];
    i += 2;  // r and q of the texture coordinate
    return v;
}

}  // namespace

std::vector<FeedbackPrimitive> capture_feedback(const std::function<void()>& draw,
                                                std::size_t buffer_floats) {
    std::vector<GLfloat> buf(buffer_floats);
    glFeedbackBuffer(static_cast<GLsizei>(buf.size()), GL_3D_COLOR_TEXTURE, buf.data());
    glRenderMode(GL_FEEDBACK);
    draw();
    const GLint n = glRenderMode(GL_RENDER);
    if (n < 0) throw std::runtime_error("feedback buffer overflow");
    std::vector<FeedbackPrimitive> out;
    std::size_t i = 0;
    while (i < static_cast<std::size_t>(n)) {
        const int token = static_cast<int>(buf[i++]);
        FeedbackPrimitive prim{FeedbackPrimitive::Point, {}};
        switch (token) {
            case GL_POINT_TOKEN:
                prim.kind = FeedbackPrimitive::Point;
                prim.vertices.push_back(read_vertex(buf, i));
                break;
            case GL_LINE_TOKEN:
            case GL_LINE_RESET_TOKEN:
                prim.kind = FeedbackPrimitive::Line;
                prim.vertices.push_back(read_vertex(buf, i));
                prim.vertices.push_back(read_vertex(buf, i));
                break;
            case GL_POLYGON_TOKEN: {
                prim.kind = FeedbackPrimitive::Polygon;
                const int count = static_cast<int>(buf[i++]);
                for (int k = 0; k < count; ++k) prim.vertices.push_back(read_vertex(buf, i));
                break;
            }
            case GL_BITMAP_TOKEN:
            case GL_DRAW_PIXEL_TOKEN:
            case GL_COPY_PIXEL_TOKEN:
                prim.kind = FeedbackPrimitive::Bitmap;
                prim.vertices.push_back(read_vertex(buf, i));
                break;
            case GL_PASS_THROUGH_TOKEN:
                ++i;
                continue;
            default:
                throw std::runtime_error("unknown feedback token");
        }
        out.push_back(std::move(prim));
    }
    return out;
}
