// Every level list leaves the colour service as opaque white after a frame,
// whatever the screen before left, so the texts of the next frame are not
// faded.
#include "LevelMenuTestSupport.h"

#include "application/GameManager.h"
#include "levelmenus/MenuSingleOfficialLevels.h"
#include "levelmenus/MenuSingleUnofficialLevels.h"
#include "levelmenus/MenuVersusOfficialLevels.h"
#include "levelmenus/MenuVersusUnofficialLevels.h"
#include "services/ClavierManager.h"
#include "services/ColorManager.h"

#include <GL/gl.h>

#include <functional>
#include <memory>

using namespace levelmenus_test;

namespace {

class ColourStateTest : public LevelMenuTest {};

TEST_F(ColourStateTest, TextsOfTheNextFrameAreNotFaded)
{
    installOfficialWorlds({9});
    installCustomLevels({"a.x", "b.y", "c.z"});
    const std::vector<std::pair<const char*, std::function<Menu*()>>> menus = {
        {"official", [] { return new MenuSingleOfficialLevels(); }},
        {"custom", [] { return new MenuSingleUnofficialLevels(); }},
        {"versus official", [] { return new MenuVersusOfficialLevels(); }},
        {"versus custom", [] { return new MenuVersusUnofficialLevels(); }},
    };
    ColorManager* colors = ColorManager::GetInstance();
    for (const auto& entry : menus) {
        std::unique_ptr<Menu> menu(entry.second());
        menu->refresh(40);
        // As the item row's shade of the screen before leaves it.
        colors->setColor(0.0, 0.0, 0.0, 0.3);
        for (int item = 0; item < menu->itemCount; ++item) {
            SCOPED_TRACE(std::string(entry.first) + " item " + std::to_string(menu->selection));
            for (int frame = 0; frame < 2; ++frame) {
                GameManager::begin2D();
                menu->draw();
                GameManager::end2D();
                for (int c = 0; c < 4; ++c)
                    EXPECT_DOUBLE_EQ(colors->getColor()[c], 1.0) << c;
            }
            tap(*menu, ClavierManager::RIGHT);
        }
    }
}

TEST_F(ColourStateTest, ShadeShowsUnderTheGamesCulling)
{
    installOfficialWorlds({9});
    installCustomLevels({"a.x", "b.y", "c.z"});
    writeInstallSolidPng("Images/Menus/High/Ratio-16-10/menuKZ.png", 255, 255, 255);
    const std::vector<std::pair<const char*, std::function<Menu*()>>> menus = {
        {"official", [] { return new MenuSingleOfficialLevels(); }},
        {"custom", [] { return new MenuSingleUnofficialLevels(); }},
        {"versus official", [] { return new MenuVersusOfficialLevels(); }},
        {"versus custom", [] { return new MenuVersusUnofficialLevels(); }},
    };
    // The game culls faces wound counter-clockwise on screen.
    glFrontFace(GL_CW);
    glEnable(GL_CULL_FACE);
    glViewport(0, 0, 320, 240);
    for (const auto& entry : menus) {
        SCOPED_TRACE(entry.first);
        std::unique_ptr<Menu> menu(entry.second());
        menu->refresh(40);
        for (int frame = 0; frame < 2; ++frame) {
            glClearColor(0, 0, 0, 1);
            glClear(GL_COLOR_BUFFER_BIT);
            GameManager::begin2D();
            menu->draw();
            GameManager::end2D();
        }
        EXPECT_TRUE(glIsEnabled(GL_CULL_FACE));
        // In the item band, beside the labels: the first item is selected
        // and stays white, the last one is shaded by 0.3 black.
        const Pixel selected = readPixel(static_cast<int>(0.01 * 320), static_cast<int>(0.15 * 240));
        const Pixel shaded = readPixel(static_cast<int>(0.99 * 320), static_cast<int>(0.15 * 240));
        EXPECT_NEAR(selected.r, 255, 3);
        EXPECT_NEAR(shaded.r, 178, 4);
        EXPECT_NEAR(shaded.b, 178, 4);
    }
}

} // namespace
