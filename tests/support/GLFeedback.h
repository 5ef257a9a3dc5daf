#pragma once

// What is drawn through OpenGL's feedback mode in the 2-D overlay of the
// menus (0 to 1 on both axes), one entry per polygon as GL reports it: a
// quad may come back as itself or as its two triangles.
#include <vector>

namespace korvelin_test {

struct FeedbackPolygon {
    int vertices;
    double left, right, bottom, top;
    double sMin, sMax, tMin, tMax;
    // Texture coordinate t at the top edge (the image row shown on top).
    double tAtTop;
    // The colour of its first vertex (r, g, b, a).
    double colour[4];
};

class GLFeedback {
public:
    // Sets the overlay's projection on a 1000 x 1000 viewport, culling,
    // depth test and lighting off, texturing on, and starts feedback mode.
    GLFeedback();
    // Back to rendering; the polygons drawn since the start.
    std::vector<FeedbackPolygon> finish();

private:
    std::vector<float> buffer;
};

} // namespace korvelin_test
