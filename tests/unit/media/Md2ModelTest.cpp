#include "MediaTestSupport.h"

#include "services/CEntity.h"
#include "services/CMD2Model.h"
#include "services/VectorHelpers.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cmath>

using namespace media_test;

namespace {

bool load(CMD2Model& model, const Md2& md2)
{
    Bytes bytes = md2.bytes();
    return model.LoadModelFromMemory(bytes.data(), bytes.size());
}

// One drawn corner as OpenGL's feedback mode reports it, turned back into
// the coordinates the model sent (orthographic box of +-20 on every axis).
struct Corner {
    float x, y, z, s, t;
};

class Feedback {
public:
    Feedback()
    {
        glViewport(0, 0, 64, 64);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glOrtho(-20, 20, -20, 20, -20, 20);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glDisable(GL_CULL_FACE);
        glDisable(GL_LIGHTING);
        glFeedbackBuffer((GLsizei)buffer.size(), GL_3D_COLOR_TEXTURE, buffer.data());
        glRenderMode(GL_FEEDBACK);
    }

    // The corners of every triangle drawn since construction.
    std::vector<Corner> finish()
    {
        GLint n = glRenderMode(GL_RENDER);
        std::vector<Corner> corners;
        for (GLint i = 0; i < n;) {
            GLint token = (GLint)buffer[(std::size_t)i++];
            if (token != GL_POLYGON_TOKEN)
                continue;
            GLint count = (GLint)buffer[(std::size_t)i++];
            for (GLint k = 0; k < count; ++k, i += 11) {
                const GLfloat* v = &buffer[(std::size_t)i];
                corners.push_back({v[0] / 64 * 40 - 20, v[1] / 64 * 40 - 20,
                                   -(2 * v[2] - 1) * 20, v[7] / v[10], v[8] / v[10]});
            }
        }
        return corners;
    }

private:
    std::vector<GLfloat> buffer = std::vector<GLfloat>(4096);
};

void expectNear3(const float* got, float x, float y, float z, float tolerance = 1e-3f)
{
    EXPECT_NEAR(got[0], x, tolerance);
    EXPECT_NEAR(got[1], y, tolerance);
    EXPECT_NEAR(got[2], z, tolerance);
}

} // namespace

TEST(Md2Model, LoadsAValidModel)
{
    CMD2Model model;
    ASSERT_TRUE(load(model, simpleModel()));
    EXPECT_EQ(model.GetNumFrames(), 2);
    EXPECT_EQ(model.GetHeader().skinWidth, 256);
    EXPECT_EQ(model.GetHeader().numTriangles, 1);
}

TEST(Md2Model, RefusesWrongOrDamagedFiles)
{
    struct BadCase {
        const char* name;
        Md2 model;
        std::size_t keepBytes; // 0 keeps the whole file
    };
    std::vector<BadCase> cases;
    auto add = [&](const char* name, void (*change)(Md2&), std::size_t keep = 0) {
        Md2 m = simpleModel();
        change(m);
        cases.push_back({name, m, keep});
    };
    add("ident IDP3", [](Md2& m) { m.ident = "IDP3"; });
    add("version 7", [](Md2& m) { m.version = 7; });
    add("short header", [](Md2&) {}, 40);
    add("truncated frames", [](Md2&) {}, 68 + 64 + 12 + 12 + 40);
    add("vertex index out of range", [](Md2& m) { m.triangles[0].vertex[2] = 3; });
    add("texture-coordinate index out of range", [](Md2& m) { m.triangles[0].texCoord[1] = 3; });
    add("normal index out of range", [](Md2& m) { m.frames[1].vertices[0].normal = 162; });
    add("negative vertex count", [](Md2& m) { m.overrideNumVertices = -1000; });
    add("vertex count beyond the file", [](Md2& m) { m.overrideNumVertices = 4000; });
    add("frame count beyond the file", [](Md2& m) { m.overrideNumFrames = 1000000; });
    add("negative triangle count", [](Md2& m) { m.overrideNumTriangles = -5; });
    add("triangle count beyond the file", [](Md2& m) { m.overrideNumTriangles = 0x7FFFFFFF; });
    add("texture-coordinate count beyond the file", [](Md2& m) { m.overrideNumTexCoords = 90000; });
    add("triangles offset past the end", [](Md2& m) { m.overrideOffsetTriangles = 100000; });
    add("negative frames offset", [](Md2& m) { m.overrideOffsetFrames = -8; });
    add("skin width 0", [](Md2& m) { m.skinWidth = 0; });

    for (const BadCase& c : cases) {
        SCOPED_TRACE(c.name);
        Bytes bytes = c.model.bytes();
        if (c.keepBytes != 0)
            bytes.resize(c.keepBytes);
        CMD2Model model;
        EXPECT_FALSE(model.LoadModelFromMemory(bytes.data(), bytes.size()));
        EXPECT_EQ(model.GetNumFrames(), 0);
        EXPECT_TRUE(model.RenderFrame(0));
    }
}

TEST(Md2Model, FailedLoadKeepsThePreviousModel)
{
    CMD2Model model;
    ASSERT_TRUE(load(model, simpleModel()));
    Md2 bad = simpleModel();
    bad.triangles[0].vertex[0] = 9;
    EXPECT_FALSE(load(model, bad));
    EXPECT_EQ(model.GetNumFrames(), 2);
}

TEST(Md2Model, LoadsFromFileAndRefusesMissingFile)
{
    korvelin_test::TempDir dir("media-md2");
    ASSERT_TRUE(korvelin_test::writeFile(dir.file("player.md2"), toString(simpleModel().bytes())));
    CMD2Model model;
    EXPECT_FALSE(model.LoadModel(dir.file("none.md2")));
    EXPECT_FALSE(model.LoadModel(dir.path()));
    EXPECT_TRUE(model.LoadModel(dir.file("player.md2")));
    EXPECT_EQ(model.GetNumFrames(), 2);
    model.FreeModel();
    EXPECT_EQ(model.GetNumFrames(), 0);
}

TEST(Md2Model, PlacesVerticesWithFileUpAsGameUp)
{
    Md2 md2 = simpleModel();
    md2.frames[1].scale[0] = 0.5f;
    md2.frames[1].translate[1] = 3;
    CMD2Model model;
    ASSERT_TRUE(load(model, md2));
    float v[3];
    // File x becomes the game's z, file y the game's x, file z the game's y.
    model.PlaceVertex(0, 0, v);
    expectNear3(v, 0, 0, 10);
    model.PlaceVertex(0, 1, v);
    expectNear3(v, 10, 0, 0);
    model.PlaceVertex(0, 2, v);
    expectNear3(v, 0, 10, 0);
    // Frame scale and translation, then the model's scale.
    model.SetScale(0.5f);
    model.PlaceVertex(1, 0, v);
    expectNear3(v, 1.5f, 0, 5);
}

TEST(Md2Model, RenderFrameDrawsTrianglesWithSkinWidthTextureCoordinates)
{
    GlWindow window;
    ASSERT_TRUE(window.ok());
    CMD2Model model;
    ASSERT_TRUE(load(model, simpleModel()));

    Feedback feedback;
    EXPECT_FALSE(model.RenderFrame(0));
    std::vector<Corner> corners = feedback.finish();
    ASSERT_EQ(corners.size(), 3u);
    EXPECT_NEAR(corners[0].z, 10, 0.05);
    EXPECT_NEAR(corners[1].x, 10, 0.05);
    EXPECT_NEAR(corners[2].y, 10, 0.05);
    // (128, 64) with skin width 256 (height 128): both divided by the width.
    EXPECT_FLOAT_EQ(corners[1].s, 0.5f);
    EXPECT_FLOAT_EQ(corners[1].t, 0.25f);
    EXPECT_FLOAT_EQ(corners[2].t, 1.0f);
}

TEST(Md2Model, OutOfRangeFramesDrawNothing)
{
    GlWindow window;
    ASSERT_TRUE(window.ok());
    CMD2Model model;
    ASSERT_TRUE(load(model, simpleModel()));
    Feedback feedback;
    EXPECT_TRUE(model.RenderFrame(-1));
    EXPECT_TRUE(model.RenderFrame(2));
    model.DrawModelItp(0, 2, 0.5f);
    model.DrawModelItp(-1, 0, 0.5f);
    EXPECT_TRUE(feedback.finish().empty());
}

TEST(Md2Model, EntityDrawsItsFrameTexturedAndRestoresState)
{
    GlWindow window;
    ASSERT_TRUE(window.ok());
    CMD2Model model;
    ASSERT_TRUE(load(model, simpleModel()));
    CEntity entity;
    entity.SetModel(&model);
    entity.SetScale(0.5f);
    entity.SetFrame(1);
    float unused[3] = {0, 0, 0};

    Feedback feedback;
    glDisable(GL_TEXTURE_2D);
    entity.DrawEntity(-1, 0x22, unused);
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
    std::vector<Corner> corners = feedback.finish();
    ASSERT_EQ(corners.size(), 3u);
    // Frame 1 (file x 20) at the entity's scale 0.5.
    EXPECT_NEAR(corners[0].z, 10, 0.05);
    EXPECT_FLOAT_EQ(model.GetScale(), 0.5f);
}

TEST(Md2Model, EntityBlendsFramesAndAdvancesInterpolation)
{
    GlWindow window;
    ASSERT_TRUE(window.ok());
    CMD2Model model;
    ASSERT_TRUE(load(model, simpleModel()));
    CEntity entity;
    entity.SetModel(&model);
    entity.SetFrame(0);
    entity.SetNextFrame(1);
    entity.SetInterpolation(0.5f);
    entity.SetInterpolationStep(0.25f);
    float unused[3] = {0, 0, 0};

    Feedback feedback;
    entity.DrawEntity(0, 0x0A, unused);
    std::vector<Corner> corners = feedback.finish();
    ASSERT_EQ(corners.size(), 3u);
    EXPECT_NEAR(corners[0].z, 15, 0.05);
    EXPECT_NEAR(corners[1].x, 15, 0.05);
    EXPECT_FLOAT_EQ(entity.GetInterpolation(), 0.75f);

    // Flag 0x08 alone advances without drawing.
    Feedback none;
    entity.DrawEntity(0, 0x08, unused);
    EXPECT_TRUE(none.finish().empty());
    EXPECT_FLOAT_EQ(entity.GetInterpolation(), 1.0f);
}

TEST(Md2Model, EntityCullFlagCullsCounterClockwiseFaces)
{
    GlWindow window;
    ASSERT_TRUE(window.ok());
    CMD2Model model;
    ASSERT_TRUE(load(model, simpleModel()));
    CEntity entity;
    entity.SetModel(&model);
    float unused[3] = {0, 0, 0};

    // Seen down the game's z axis the triangle turns one way: one of the two
    // views keeps it, the other culls it.
    int drawn = 0;
    for (float turn : {0.0f, 180.0f}) {
        Feedback feedback;
        glRotatef(turn, 0, 1, 0);
        entity.DrawEntity(0, 0x42, unused);
        drawn += (int)feedback.finish().size();
        EXPECT_FALSE(glIsEnabled(GL_CULL_FACE));
    }
    EXPECT_EQ(drawn, 3);
}

TEST(Md2Model, AnimateWalksFramesBetweenStartAndEnd)
{
    struct Step {
        int frame;
        float interpolation;
        int start, end;
        int wantFrame, wantNext;
        float wantInterpolation;
    };
    const Step steps[] = {
        {3, 1.0f, 0, 4, 0, 1, 0.0f},  // last frame wraps to the start
        {1, 1.0f, 0, 4, 2, 3, 0.0f},  // advances
        {2, 1.0f, 0, 4, 3, 0, 0.0f},  // next frame wraps
        {1, 0.4f, 0, 4, 1, 7, 0.4f},  // not yet at 1: nothing moves
        {9, 0.4f, 2, 5, 2, 7, 0.4f},  // outside the range: back to start
        {0, 1.0f, 3, 3, 3, 3, 0.0f},  // single frame
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.frame);
        CEntity entity;
        entity.SetFrame(s.frame);
        entity.SetNextFrame(7);
        entity.SetInterpolation(s.interpolation);
        entity.Animate(s.start, s.end, 0.1f);
        EXPECT_EQ(entity.GetFrame(), s.wantFrame);
        EXPECT_EQ(entity.GetNextFrame(), s.wantNext);
        EXPECT_FLOAT_EQ(entity.GetInterpolation(), s.wantInterpolation);
        EXPECT_FLOAT_EQ(entity.GetInterpolationStep(), 0.1f);
    }
}

TEST(Md2Model, NormalsAreDistinctUnitVectorsOfTheSphere)
{
    const auto& n = CMD2Model::m_kAnorms;
    EXPECT_NEAR(n[0][0], -0.525731f, 1e-6);
    EXPECT_NEAR(n[0][1], 0.0f, 1e-6);
    EXPECT_NEAR(n[0][2], 0.850651f, 1e-6);
    float closest = -1;
    for (int i = 0; i < CMD2Model::NUMBER_OF_NORMALS; ++i) {
        float length = std::sqrt(n[i][0] * n[i][0] + n[i][1] * n[i][1] + n[i][2] * n[i][2]);
        EXPECT_NEAR(length, 1.0f, 2e-6) << i;
        bool opposite = false;
        for (int j = 0; j < CMD2Model::NUMBER_OF_NORMALS; ++j) {
            float dot = n[i][0] * n[j][0] + n[i][1] * n[j][1] + n[i][2] * n[j][2];
            if (j != i && dot > closest)
                closest = dot;
            opposite = opposite || dot < -0.99999f;
        }
        EXPECT_TRUE(opposite) << i;
    }
    // Neighbours are about 16 degrees apart: no two normals coincide.
    EXPECT_LT(closest, 0.975f);
    EXPECT_GT(closest, 0.95f);
}

TEST(Md2Model, NormalTableKeepsTheFormatsOrder)
{
    // A model's normal indexes point into the format's own table, so an entry
    // in the wrong place lights the vertex from the wrong side.
    struct Entry {
        int index;
        float x, y, z;
    };
    const Entry entries[] = {
        {0, -0.525731f, 0.000000f, 0.850651f},
        {1, -0.442863f, 0.238856f, 0.864188f},
        {2, -0.295242f, 0.000000f, 0.955423f},
        {5, 0.000000f, 0.000000f, 1.000000f},
        {39, 0.262866f, 0.951056f, -0.162460f},
        {80, -0.525731f, 0.000000f, -0.850651f},
        {100, 0.716567f, -0.681718f, -0.147621f},
        {121, -0.238856f, -0.864188f, 0.442863f},
        {141, -0.955423f, 0.295242f, 0.000000f},
        {159, -0.425325f, -0.688191f, -0.587785f},
        {161, -0.688191f, -0.587785f, -0.425325f},
    };
    for (const Entry& e : entries) {
        SCOPED_TRACE(e.index);
        expectNear3(CMD2Model::m_kAnorms[e.index], e.x, e.y, e.z, 1e-6f);
    }
}

TEST(Md2Model, VectorHelpersTurnAndMeasure)
{
    const float quarter = 1.5707963705062866f;
    float v[3] = {1, 0, 0};
    vec_RotateZ(&v, quarter);
    expectNear3(v, 0, 1, 0, 1e-6f);
    vec_RotateX(&v, quarter);
    expectNear3(v, 0, 0, 1, 1e-6f);
    vec_RotateY(&v, quarter);
    expectNear3(v, 1, 0, 0, 1e-6f);

    float w[3] = {3, 0, 4};
    vec_Normalize(&w);
    expectNear3(w, 0.6f, 0, 0.8f, 1e-6f);
    float a[3] = {1, 2, 3};
    float b[3] = {4, -5, 6};
    EXPECT_FLOAT_EQ(vec_DotProduct(a, b), 12.0f);
}
