#pragma once

#include <gtest/gtest.h>

namespace korvelin_test {

// Starts SDL's video and opens an OpenGL window of the given size on the X
// display of the test run. A busy X server now and then refuses or drops a
// new connection, so a failed try is undone and tried again after a short,
// growing pause; only when every try failed does the result fail, naming
// SDL's error.
::testing::AssertionResult openGLWindow(int width, int height, int bitsPerPixel = 0);

} // namespace korvelin_test
