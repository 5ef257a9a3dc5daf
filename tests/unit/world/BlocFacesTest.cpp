// The faces of every block shape must face outward under the game's drawing
// state (clockwise front faces, back faces culled): a block seen from above,
// from the front or from either side shows the face turned to the viewer.
#include "WorldTestSupport.h"

#include "services/SonsManager.h"
#include "world/Bloc.h"
#include "world/BlocCassable.h"
#include "world/BlocDisposable.h"
#include "world/BlocMobile.h"
#include "world/BlocTimer.h"

#include <GL/gl.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <string>

namespace {

// Where the block stands, as in a level: column 1, row 1, top face at -0.6.
const float kX = 1.0f;
const float kTop = -0.6f;
const float kZ = 1.0f;

enum class Kind { Plain, Timed, Breakable, Disposable, Moving };

std::unique_ptr<Bloc> makeBlock(Kind kind)
{
    switch (kind) {
    case Kind::Plain: return std::make_unique<Bloc>(kX, kTop, kZ, 10, 1);
    case Kind::Timed: return std::make_unique<BlocTimer>(kX, kTop, kZ, 10, 2000, 2000, 21, true);
    case Kind::Breakable: return std::make_unique<BlocCassable>(kX, kTop, kZ, 10, 20);
    case Kind::Disposable: return std::make_unique<BlocDisposable>(kX, kTop, kZ, 10, 28);
    case Kind::Moving: return std::make_unique<BlocMobile>(kX, kTop, kZ, 10, 53);
    }
    return nullptr;
}

float depthOf(Kind kind)
{
    switch (kind) {
    case Kind::Plain: return Bloc::blockDepth;
    case Kind::Timed:
    case Kind::Moving: return Bloc::thinDepth;
    default: return Bloc::slabDepth;
    }
}

// A viewpoint, and the point of the block it looks at.
struct View {
    const char* name;
    float eyeX, eyeY, eyeZ;   // offsets from the looked-at point
    bool atTop;               // looks at the top face's centre, else at mid-height of a side
    float pointX, pointZ;     // the looked-at point, offsets from the block's centre
};

const View kViews[] = {
    // The game's camera stands behind and above the player, toward +z.
    {"GameCamera", 0.0f, 1.6f, 3.0f, true, 0.0f, 0.0f},
    {"Above", 0.0f, 2.0f, 0.5f, true, 0.0f, 0.0f},
    {"Front", 0.0f, 0.0f, 0.5f, false, 0.0f, 0.5f},
    {"Left", -0.5f, 0.0f, 0.0f, false, -0.5f, 0.0f},
    {"Right", 0.5f, 0.0f, 0.0f, false, 0.5f, 0.0f},
};

struct FaceCase {
    Kind kind;
    const char* kindName;
    View view;
};

void PrintTo(const FaceCase& c, std::ostream* out)
{
    *out << c.kindName << " seen from " << c.view.name;
}

class BlocFaces : public ::testing::TestWithParam<FaceCase> {
protected:
    void SetUp() override
    {
        SonsManager::getInstance();
        openGLWindow();
    }

    TemporaryGame game;
};

TEST_P(BlocFaces, TheFaceTurnedToTheViewerIsDrawn)
{
    const FaceCase c = GetParam();
    std::unique_ptr<Bloc> block = makeBlock(c.kind);

    // The game's face rules; plain white so that only coverage counts.
    glFrontFace(GL_CW);
    glEnable(GL_CULL_FACE);
    glCullFace(GL_BACK);
    glEnable(GL_DEPTH_TEST);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_LIGHTING);
    glDisable(GL_BLEND);
    glColor4d(1, 1, 1, 1);
    glViewport(0, 0, 320, 240);
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);

    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(60.0, 320.0 / 240.0, 0.01, 100.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    const float py = c.view.atTop ? kTop : kTop - depthOf(c.kind) / 2.0f;
    const float px = kX + c.view.pointX;
    const float pz = kZ + c.view.pointZ;
    gluLookAt(px + c.view.eyeX, py + c.view.eyeY, pz + c.view.eyeZ, px, py, pz, 0, 1, 0);

    block->draw();
    ASSERT_EQ(static_cast<GLenum>(GL_NO_ERROR), glGetError());

    unsigned char pixel[4] = {0, 0, 0, 0};
    glReadPixels(160, 120, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
    EXPECT_EQ(255, pixel[0]);
    EXPECT_EQ(255, pixel[1]);
    EXPECT_EQ(255, pixel[2]);

    // What shows is the face turned to the viewer, not the inside of the
    // face beyond it: its depth is that of the looked-at point.
    GLdouble model[16], projection[16];
    GLint viewport[4];
    glGetDoublev(GL_MODELVIEW_MATRIX, model);
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    glGetIntegerv(GL_VIEWPORT, viewport);
    GLdouble wx, wy, wz;
    ASSERT_TRUE(gluProject(px, py, pz, model, projection, viewport, &wx, &wy, &wz));
    GLfloat depth = 0;
    glReadPixels(160, 120, 1, 1, GL_DEPTH_COMPONENT, GL_FLOAT, &depth);
    EXPECT_NEAR(wz, depth, 1e-4);
    glDisable(GL_CULL_FACE);
}

std::vector<FaceCase> allCases()
{
    const std::pair<Kind, const char*> kinds[] = {
        {Kind::Plain, "Plain"}, {Kind::Timed, "Timed"}, {Kind::Breakable, "Breakable"},
        {Kind::Disposable, "Disposable"}, {Kind::Moving, "Moving"}};
    std::vector<FaceCase> cases;
    for (const auto& kind : kinds)
        for (const View& view : kViews)
            cases.push_back({kind.first, kind.second, view});
    return cases;
}

INSTANTIATE_TEST_SUITE_P(EveryShapeAndSide, BlocFaces, ::testing::ValuesIn(allCases()),
                         [](const ::testing::TestParamInfo<FaceCase>& info) {
                             return std::string(info.param.kindName) + info.param.view.name;
                         });

} // namespace
