#include "levelmenus/MenuSingleOfficialLevels.h"

#include "levelmenus/LevelListDrawing.h"
#include "levelmenus/LevelMenuKeys.h"
#include "levelmenus/LevelPreview.h"
#include "levelmenus/OfficialLevelScan.h"
#include "levelmenus/SelectedLevel.h"
#include "menus/OverlayState.h"
#include "records/LevelScoresManager.h"
#include "services/CTextureManager.h"
#include "services/ClavierManager.h"
#include "services/ColorManager.h"
#include "services/LangManager.h"
#include "services/OptionsManager.h"
#include "services/TextFromFontManager.h"

int MenuSingleOfficialLevels::choix = 0;

MenuSingleOfficialLevels::MenuSingleOfficialLevels()
    : Menu(0, 0, 1, 1), lang(LangManager::getInstance()), scores(LevelScoresManager::getInstance())
{
    background = CTextureManager::GetInstance()->LoadPNG(backgroundPath("menuKZ.png"), 0);
    title = " - " + lang->get("singleMap");
    nom = "MenuSingleOfficialLevels";
    repeatTimer = 0;
    itemCount = 2;
    labels = {lang->get("playLevel"), lang->get("previous")};
    levels = scanOfficialLevels();
    sortLevelNames(levels);
    // Levels may have gone since the index was remembered.
    choix = LevelListWindow::clamp(choix, static_cast<int>(levels.size()));
}

MenuSingleOfficialLevels::~MenuSingleOfficialLevels() {}

void MenuSingleOfficialLevels::reset()
{
    code = 0;
    selection = 1;
}

void MenuSingleOfficialLevels::refresh(long dt)
{
    const int count = static_cast<int>(levels.size());
    LevelMenuKeys::moveInList(*this, dt, selection, choix, count, selection < itemCount);

    if (LevelMenuKeys::take(*this, ClavierManager::VALIDATE)) {
        if (selection == itemCount) {
            code = selection;
        } else if (count > 0) {
            objects.push_back(levels[choix]);
            code = 1;
        }
    }
    // Read after validate: a validate in the same frame has cleared it.
    if (LevelMenuKeys::take(*this, ClavierManager::BACK)) {
        choix = 0;
        code = itemCount;
    }
}

std::vector<LevelListWindow::Row> MenuSingleOfficialLevels::visibleRows() const
{
    return LevelListWindow::rows(static_cast<int>(levels.size()), kWindowRows, choix);
}

std::string MenuSingleOfficialLevels::bestTimeText() const
{
    return SelectedLevel::bestTime(scores, levels, choix);
}

unsigned int MenuSingleOfficialLevels::previewTexture() const
{
    return SelectedLevel::officialPreview(levels, choix);
}

void MenuSingleOfficialLevels::draw()
{
    // Culling off and opaque white around the screen, so that the item row's
    // shade shows and leaves no faint colour to the texts of the next frame.
    const OverlayState overlay(colors);
    Menu::draw();
    if (!levels.empty()) {
        const unsigned int preview = previewTexture();
        if (selection == 1) {
            const double ratio = options->getRatio(0);
            const double e = wideScreen() ? 0.0 : 0.0075;
            LevelPreview::draw(preview, ratio);

            const std::vector<LevelListWindow::Row> rows = visibleRows();
            for (std::size_t i = 0; i < rows.size(); ++i) {
                if (rows[i].entry < 0)
                    continue;
                const std::string& name = levels[rows[i].entry];
                double* colour = rows[i].highlighted ? ColorManager::lightBlue : ColorManager::black;
                const double y = 0.81 + e - 0.058 * static_cast<double>(i);
                text->draw(name, ColorManager::white70, 0.053, y, 0.43, 0.43, 0.075, 4, 5);
                text->draw(name, colour, 0.053, y, 0.43, 0.43, 0.075, 4, 0);
            }

            LevelListDrawing::scrollBar(scrollBar, colors, static_cast<int>(levels.size()),
                                        kWindowRows, choix);
            LevelListDrawing::bestTime(text, bestTimeText(), 0.81 - 3 * e, 0.4 + 1.5 * e);
        }
    }
    drawSelectionShade();
}
