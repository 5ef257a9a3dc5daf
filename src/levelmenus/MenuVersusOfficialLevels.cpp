#include "levelmenus/MenuVersusOfficialLevels.h"

#include "levelmenus/LevelListDrawing.h"
#include "levelmenus/LevelPreview.h"
#include "levelmenus/OfficialLevelScan.h"
#include "levelmenus/SelectedLevel.h"
#include "menus/OverlayState.h"
#include "services/ColorManager.h"
#include "services/OptionsManager.h"
#include "services/TextFromFontManager.h"

MenuVersusOfficialLevels::MenuVersusOfficialLevels()
    : VersusLevelMenu("MenuVersusOfficialLevels", kWindowRows, 2)
{
    showLevels(scanOfficialLevels());
}

MenuVersusOfficialLevels::~MenuVersusOfficialLevels() {}

unsigned int MenuVersusOfficialLevels::previewTexture() const
{
    return SelectedLevel::officialPreview(levels, cursor);
}

void MenuVersusOfficialLevels::draw()
{
    // Culling off and opaque white around the screen, so that the item row's
    // shade shows and leaves no faint colour to the texts of the next frame.
    const OverlayState overlay(colors);
    Menu::draw();
    if (!levels.empty()) {
        const double ratio = options->getRatio(0);
        const double e = wideScreen() ? 0.0 : 0.005;
        if (selection == 1)
            LevelPreview::draw(previewTexture(), ratio);
        if (selection < 4) {
            const std::vector<LevelListWindow::Row> rows = visibleRows();
            for (std::size_t i = 0; i < rows.size(); ++i) {
                if (rows[i].entry < 0)
                    continue;
                const std::string& name = levels[rows[i].entry];
                double* colour = rows[i].highlighted ? ColorManager::lightBlue : ColorManager::black;
                const double k = static_cast<double>(i);
                colors->setColor(ColorManager::white);
                checkBoxes[rows[i].entry].draw(0.045, 0.786 + e - 0.058f * k);
                colors->restore();
                const double y = 0.81 + e - 0.058 * k;
                text->draw(name, ColorManager::white70, 0.125 / ratio, y, 0.43, 0.43, 0.075, 4, 5);
                text->draw(name, colour, 0.125 / ratio, y, 0.43, 0.43, 0.075, 4, 0);
            }
            LevelListDrawing::scrollBar(scrollBar, colors, static_cast<int>(levels.size()),
                                        kWindowRows, cursor);
            if (selection == 1)
                LevelListDrawing::bestTime(text, bestTimeText(), 0.81 - 4.5 * e, 0.402 + 2 * e);
        }
    }
    drawSelectionShade();
}
