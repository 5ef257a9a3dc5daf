// The player's two drawing passes: what the shadow pass and the body pass
// draw for the player's state and height.
#include "GLWindow.h"
#include "PlayerFixture.h"

#include "services/CTextureManager.h"

#include <GL/gl.h>
#include <SDL/SDL.h>

#include <algorithm>
#include <filesystem>

namespace fs = std::filesystem;

namespace {

const char* const kPlat = "60 6 3\n1 1 1\n1 1 1\n1 1 1\n1 1 1\n1 1 1\n1 1 1\n";

// Half the side of the box the capture sees, in world units.
constexpr float kBox = 20;
constexpr float kViewport = 64;

struct Corner {
    float x, y, z;
    bool operator==(const Corner& o) const { return x == o.x && y == o.y && z == o.z; }
};

// What one pass drew: the flat pieces lying at the player's shadow height,
// and the corners of everything else (the models), in drawing order.
struct Pass {
    int shadowPieces = 0;
    std::vector<Corner> model;

    float width() const { return extent(&Corner::x); }
    float depth() const { return extent(&Corner::z); }
    float height() const { return extent(&Corner::y); }
    float bottom() const { return lowest(&Corner::y); }

private:
    float lowest(float Corner::*axis) const
    {
        float low = 1e9f;
        for (const Corner& c : model)
            low = std::min(low, c.*axis);
        return low;
    }
    float extent(float Corner::*axis) const
    {
        float high = -1e9f;
        for (const Corner& c : model)
            high = std::max(high, c.*axis);
        return high - lowest(axis);
    }
};

// Runs a drawing in OpenGL's feedback mode with an orthographic box of
// +-kBox on every axis and no model-view transform, so that every corner
// comes back in world coordinates.
template <typename Draw>
Pass capture(float shadowHeight, Draw draw)
{
    std::vector<GLfloat> buffer(1 << 20);
    glViewport(0, 0, (GLsizei)kViewport, (GLsizei)kViewport);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(-kBox, kBox, -kBox, kBox, -kBox, kBox);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glFeedbackBuffer((GLsizei)buffer.size(), GL_3D, buffer.data());
    glRenderMode(GL_FEEDBACK);
    draw();
    const GLint n = glRenderMode(GL_RENDER);
    EXPECT_GE(n, 0) << "feedback buffer too small";

    Pass pass;
    for (GLint i = 0; i < n;) {
        const GLint token = (GLint)buffer[(std::size_t)i++];
        if (token != GL_POLYGON_TOKEN)
            continue;
        const GLint count = (GLint)buffer[(std::size_t)i++];
        std::vector<Corner> corners;
        bool flat = true;
        for (GLint k = 0; k < count; ++k, i += 3) {
            const GLfloat* v = &buffer[(std::size_t)i];
            const Corner c = {v[0] / kViewport * 2 * kBox - kBox,
                              v[1] / kViewport * 2 * kBox - kBox, kBox * (1 - 2 * v[2])};
            flat = flat && std::abs(c.y - shadowHeight) < 1e-4f;
            corners.push_back(c);
        }
        if (flat)
            ++pass.shadowPieces;
        else
            pass.model.insert(pass.model.end(), corners.begin(), corners.end());
    }
    return pass;
}

class DrawPassTest : public JoueurTest {
protected:
    void SetUp() override
    {
        JoueurTest::SetUp();
        ASSERT_TRUE(korvelin_test::openGLWindow(64, 64));
        CTextureManager::GetInstance()->Initialize();
        // The game's own player model, which the first drawing loads.
        fs::create_directories("Objects");
        fs::copy_file(fs::path(KORVELIN_STAGE_DIR) / "Objects" / "player.md2", "Objects/player.md2",
                      fs::copy_options::overwrite_existing);
    }
};

enum class Shows { Nothing, Body, Silhouette };

} // namespace

TEST_F(DrawPassTest, ShadowPassFollowsTheStateAndTheHeight)
{
    struct Case {
        const char* name;
        int etat;
        float y;
        Shows shadowPass;
        bool shadows;
    };
    const Case cases[] = {
        {"playing on a block", Joueur::kJeu, 0.0f, Shows::Silhouette, true},
        {"playing just under 2", Joueur::kJeu, 1.99f, Shows::Silhouette, true},
        {"playing at 2", Joueur::kJeu, 2.0f, Shows::Silhouette, false},
        {"playing higher", Joueur::kJeu, 3.5f, Shows::Silhouette, false},
        {"finished, at 2", Joueur::kTermine, 2.0f, Shows::Silhouette, false},
        {"playing under the blocks' tops", Joueur::kJeu, -1.0f, Shows::Nothing, false},
        {"falling above the blocks", Joueur::kChute, 1.0f, Shows::Body, false},
        {"falling through the hole", Joueur::kChute, -2.0f, Shows::Body, false},
        {"out, under the blocks' tops", Joueur::kHorsJeu, -2.0f, Shows::Body, false},
    };
    Joueur& j = commencer(kPlat);
    const float shadowHeight = j.getNumJoueur() * 0.001f - 0.599f;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        playertest::placer(j, 2, c.y, 5);
        j.setEtat(c.etat);
        j.setAnimation(0);
        const Pass body = capture(shadowHeight, [&] { j.draw(false); });
        const Pass shadow = capture(shadowHeight, [&] { j.draw(true); });

        // The body pass always draws the body, and nothing lies on the blocks.
        ASSERT_FALSE(body.model.empty());
        EXPECT_EQ(body.shadowPieces, 0);

        EXPECT_EQ(shadow.shadowPieces > 0, c.shadows);
        switch (c.shadowPass) {
        case Shows::Nothing:
            EXPECT_TRUE(shadow.model.empty());
            break;
        case Shows::Body:
            EXPECT_TRUE(shadow.model == body.model);
            break;
        case Shows::Silhouette:
            // The same model, wider across and a little higher than the body.
            ASSERT_FALSE(shadow.model.empty());
            EXPECT_NEAR(shadow.width() / body.width(), 0.45f / 0.4f, 1e-3);
            EXPECT_NEAR(shadow.depth() / body.depth(), 0.45f / 0.4f, 1e-3);
            EXPECT_NEAR(shadow.height(), body.height(), 1e-3);
            EXPECT_NEAR(shadow.bottom() - body.bottom(), 0.005f, 1e-3);
            break;
        }
    }
}
