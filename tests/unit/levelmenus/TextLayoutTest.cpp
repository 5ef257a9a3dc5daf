// Where the level lists put their texts, on wide and narrow screens: the
// rows of the list in their colours and the best time, read back through
// feedback mode (a text line drawn without a border is centred on its y).
#include "LevelMenuTestSupport.h"

#include "levelmenus/MenuSingleOfficialLevels.h"
#include "levelmenus/MenuSingleUnofficialLevels.h"
#include "levelmenus/MenuVersusOfficialLevels.h"
#include "levelmenus/MenuVersusUnofficialLevels.h"
#include "services/ClavierManager.h"
#include "services/ColorManager.h"

#include <memory>

using namespace levelmenus_test;

namespace {

enum Kind { OFFICIAL, CUSTOM, VERSUS_OFFICIAL, VERSUS_CUSTOM };

struct LayoutCase {
    const char* name;
    Kind kind;
    bool wide;
    double firstRowY;
    double rowStep;
    double bestX;
    double bestY;
};

void PrintTo(const LayoutCase& c, std::ostream* out) { *out << c.name; }

class TextLayoutTest : public LevelMenuTest, public ::testing::WithParamInterface<LayoutCase> {
protected:
    korvelin_test::OptionsText startOptions() const override
    {
        return GetParam().wide ? wideOptions() : narrowOptions();
    }

    std::unique_ptr<Menu> make(Kind kind)
    {
        switch (kind) {
        case OFFICIAL:
            return std::make_unique<MenuSingleOfficialLevels>();
        case CUSTOM:
            return std::make_unique<MenuSingleUnofficialLevels>();
        case VERSUS_OFFICIAL:
            return std::make_unique<MenuVersusOfficialLevels>();
        case VERSUS_CUSTOM:
            return std::make_unique<MenuVersusUnofficialLevels>();
        }
        return nullptr;
    }
};

TEST_P(TextLayoutTest, RowsAndBestTimeStandInTheirPlaces)
{
    const LayoutCase& c = GetParam();
    MenuSingleOfficialLevels::choix = 0;
    MenuSingleUnofficialLevels::etatStatic = 1;
    MenuSingleUnofficialLevels::choix = 0;
    installOfficialWorlds({3});
    installCustomLevels({"alpha.amy", "beta.bob", "gamma.cid"});
    std::unique_ptr<Menu> menu = make(c.kind);
    menu->refresh(40);
    tap(*menu, ClavierManager::DOWN);

    QuadCapture capture;
    menu->draw();
    const std::vector<DrawnQuad> quads = capture.finish();

    // Three levels fit the window: the rows stand still, the second is lit.
    for (int row = 0; row < 3; ++row) {
        SCOPED_TRACE(row);
        const double y = c.firstRowY - c.rowStep * row;
        const double* colour = row == 1 ? ColorManager::lightBlue : ColorManager::black;
        const std::vector<DrawnQuad> line = textAt(quads, y, colour);
        EXPECT_FALSE(line.empty()) << y;
        for (const DrawnQuad& q : line)
            EXPECT_LT(q.right, 0.7);
    }
    EXPECT_TRUE(textAt(quads, c.firstRowY - c.rowStep * 3, ColorManager::black).empty());

    const std::vector<DrawnQuad> best = textAt(quads, c.bestY, ColorManager::black);
    ASSERT_FALSE(best.empty());
    double left = 1e9, right = -1e9;
    for (const DrawnQuad& q : best) {
        left = std::min(left, q.left);
        right = std::max(right, q.right);
    }
    // Centred on its x (within the blank margins of the character images).
    EXPECT_NEAR((left + right) / 2, c.bestX, 0.02);
}

INSTANTIATE_TEST_SUITE_P(
    Screens, TextLayoutTest,
    ::testing::Values(
        LayoutCase{"OfficialWide", OFFICIAL, true, 0.81, 0.058, 0.81, 0.4},
        LayoutCase{"OfficialNarrow", OFFICIAL, false, 0.8175, 0.058, 0.7875, 0.41125},
        LayoutCase{"CustomWide", CUSTOM, true, 0.82, 0.047, 0.81, 0.402},
        LayoutCase{"CustomNarrow", CUSTOM, false, 0.825, 0.047, 0.788, 0.412},
        LayoutCase{"VersusOfficialWide", VERSUS_OFFICIAL, true, 0.81, 0.058, 0.81, 0.402},
        LayoutCase{"VersusOfficialNarrow", VERSUS_OFFICIAL, false, 0.815, 0.058, 0.7875, 0.412},
        LayoutCase{"VersusCustomWide", VERSUS_CUSTOM, true, 0.815, 0.047, 0.81, 0.402},
        LayoutCase{"VersusCustomNarrow", VERSUS_CUSTOM, false, 0.825, 0.047, 0.79, 0.4145}),
    [](const ::testing::TestParamInfo<LayoutCase>& info) { return std::string(info.param.name); });

} // namespace
