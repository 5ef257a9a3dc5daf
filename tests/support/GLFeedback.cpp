#include "GLFeedback.h"

#include <GL/gl.h>

#include <algorithm>

namespace korvelin_test {

namespace {
const double kViewport = 1000.0;
}

GLFeedback::GLFeedback() : buffer(1 << 21)
{
    glViewport(0, 0, static_cast<GLsizei>(kViewport), static_cast<GLsizei>(kViewport));
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, 1, 0, 1, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glDisable(GL_CULL_FACE);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_LIGHTING);
    glEnable(GL_TEXTURE_2D);
    glFeedbackBuffer(static_cast<GLsizei>(buffer.size()), GL_3D_COLOR_TEXTURE, buffer.data());
    glRenderMode(GL_FEEDBACK);
}

std::vector<FeedbackPolygon> GLFeedback::finish()
{
    const GLint n = glRenderMode(GL_RENDER);
    std::vector<FeedbackPolygon> polygons;
    // Each vertex: x, y, z, r, g, b, a, s, t, r, q.
    const int stride = 11;
    for (GLint i = 0; i < n;) {
        const GLint token = static_cast<GLint>(buffer[static_cast<std::size_t>(i++)]);
        if (token != GL_POLYGON_TOKEN)
            continue;
        const GLint count = static_cast<GLint>(buffer[static_cast<std::size_t>(i++)]);
        FeedbackPolygon p = {count, 1e9, -1e9, 1e9, -1e9, 1e9, -1e9, 1e9, -1e9, 0, {0, 0, 0, 0}};
        double topY = -1e9;
        for (GLint k = 0; k < count; ++k, i += stride) {
            const float* v = &buffer[static_cast<std::size_t>(i)];
            const double x = v[0] / kViewport;
            const double y = v[1] / kViewport;
            if (k == 0)
                for (int c = 0; c < 4; ++c)
                    p.colour[c] = v[3 + c];
            p.left = std::min(p.left, x);
            p.right = std::max(p.right, x);
            p.bottom = std::min(p.bottom, y);
            p.top = std::max(p.top, y);
            p.sMin = std::min(p.sMin, static_cast<double>(v[7]));
            p.sMax = std::max(p.sMax, static_cast<double>(v[7]));
            p.tMin = std::min(p.tMin, static_cast<double>(v[8]));
            p.tMax = std::max(p.tMax, static_cast<double>(v[8]));
            if (y > topY) {
                topY = y;
                p.tAtTop = v[8];
            }
        }
        polygons.push_back(p);
    }
    return polygons;
}

} // namespace korvelin_test
