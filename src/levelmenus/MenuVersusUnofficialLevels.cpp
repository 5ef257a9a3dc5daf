#include "levelmenus/MenuVersusUnofficialLevels.h"

#include "levelmenus/CustomLevelList.h"
#include "levelmenus/LevelListDrawing.h"
#include "levelmenus/LevelPreview.h"
#include "levelmenus/SelectedLevel.h"
#include "menus/OverlayState.h"
#include "services/ColorManager.h"
#include "services/DataFileManager.h"
#include "services/OptionsManager.h"
#include "services/TextFromFontManager.h"

#include <GL/gl.h>

MenuVersusUnofficialLevels::MenuVersusUnofficialLevels()
    : VersusLevelMenu("MenuVersusUnofficialLevels", kWindowRows, 3),
      files(DataFileManager::GetInstance()),
      authorColumnOffset(wideScreen() ? -0.05f : -0.097f)
{
    showLevels(CustomLevelList::read(files));
}

MenuVersusUnofficialLevels::~MenuVersusUnofficialLevels() {}

unsigned int MenuVersusUnofficialLevels::previewTexture() const
{
    return SelectedLevel::customPreview(levels, cursor, files);
}

void MenuVersusUnofficialLevels::draw()
{
    // Culling off and opaque white around the screen, so that the item row's
    // shade shows and leaves no faint colour to the texts of the next frame.
    const OverlayState overlay(colors);
    Menu::draw();
    if (!levels.empty()) {
        const double ratio = options->getRatio(0);
        const bool wide = wideScreen();
        const double e = wide ? 0.0 : 0.01;
        if (selection == 1)
            LevelPreview::draw(previewTexture(), ratio);
        if (selection < 4) {
            const double textScale = wide ? 0.33 : 0.28;
            const double authorX = 0.665 + authorColumnOffset;
            const std::vector<LevelListWindow::Row> rows = visibleRows();
            for (std::size_t i = 0; i < rows.size(); ++i) {
                if (rows[i].entry < 0)
                    continue;
                const std::string& name = levels[rows[i].entry];
                double* colour = rows[i].highlighted ? ColorManager::lightBlue : ColorManager::black;
                const double k = static_cast<double>(i);
                // The boxes of this list are drawn at 0.8 of their size.
                glPushMatrix();
                glScalef(0.8f, 0.8f, 0.8f);
                colors->setColor(ColorManager::white);
                checkBoxes[rows[i].entry].draw(0.055, 0.993 + e - 0.0585f * k);
                colors->restore();
                glPopMatrix();
                const double y = 0.815 + e - 0.047 * k;
                const std::string shownTitle =
                    CustomLevelList::shortTitle(CustomLevelList::titleOf(name));
                text->drawWithBorder(shownTitle, colour, ColorManager::white70, 0.115 / ratio, y,
                                     textScale, 0.33, 0.012, 1, 7);
                text->drawWithBorder(CustomLevelList::authorOf(name), colour, ColorManager::white70,
                                     authorX, y, textScale, 0.33, 0.012, 2, 7);
            }
            LevelListDrawing::scrollBar(scrollBar, colors, static_cast<int>(levels.size()),
                                        kWindowRows, cursor);
            if (selection == 1)
                LevelListDrawing::bestTime(text, bestTimeText(), 0.81 - 2 * e, 0.402 + 1.25 * e);
        }
    }
    drawSelectionShade();
}
