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

} // namespace
