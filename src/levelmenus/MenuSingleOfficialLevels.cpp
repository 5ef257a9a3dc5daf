#include "levelmenus/MenuSingleOfficialLevels.h"

#include "levelmenus/LevelMenuKeys.h"
#include "levelmenus/LevelPreview.h"
#include "levelmenus/OfficialLevelScan.h"
#include "menus/OverlayState.h"
#include "records/LevelScoresManager.h"
#include "services/CTextureManager.h"
#include "services/ClavierManager.h"
#include "services/ColorManager.h"
#include "services/LangManager.h"
#include "services/OptionsManager.h"
#include "services/SonsManager.h"
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
    switch (LevelMenuKeys::readMove(clavier, repeatTimer, dt, selection < itemCount)) {
    case LevelMenuKeys::LEFT:
        selection = selection - 1 < 1 ? itemCount : selection - 1;
        choix = 0;
        playMove();
        break;
    case LevelMenuKeys::RIGHT:
        selection = selection + 1 > itemCount ? 1 : selection + 1;
        choix = 0;
        playMove();
        break;
    case LevelMenuKeys::UP:
        choix = LevelListWindow::step(choix, -1, count);
        playMove();
        break;
    case LevelMenuKeys::DOWN:
        choix = LevelListWindow::step(choix, +1, count);
        playMove();
        break;
    case LevelMenuKeys::NONE:
        break;
    }

    if (LevelMenuKeys::pressed(clavier, ClavierManager::VALIDATE)) {
        clavier->initTocuhes();
        if (selection == itemCount) {
            code = selection;
        } else if (count > 0) {
            objects.push_back(levels[choix]);
            code = 1;
        }
        LevelMenuKeys::saveSettings(clavier);
        playValidate();
    }
    // Read after validate: a validate in the same frame has cleared it.
    if (LevelMenuKeys::pressed(clavier, ClavierManager::BACK)) {
        choix = 0;
        clavier->initTocuhes();
        code = itemCount;
        LevelMenuKeys::saveSettings(clavier);
        playValidate();
    }
}

std::vector<LevelListWindow::Row> MenuSingleOfficialLevels::visibleRows() const
{
    return LevelListWindow::rows(static_cast<int>(levels.size()), kWindowRows, choix);
}

std::string MenuSingleOfficialLevels::bestTimeText() const
{
    if (levels.empty())
        return std::string();
    return scores->getScoreAsString(levels[choix]);
}

unsigned int MenuSingleOfficialLevels::previewTexture() const
{
    if (levels.empty())
        return 0;
    return LevelPreview::texture(LevelPreview::officialPath(levels[choix]));
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

            if (levels.size() > static_cast<std::size_t>(kWindowRows)) {

                // Images show in their own colours, whatever the texts left current.

                colors->setColor(ColorManager::white);

                scrollBar.draw(static_cast<double>(levels.size()), choix);

                colors->restore();

            }

            const std::string best = bestTimeText();
            const double bestX = 0.81 - 3 * e;
            const double bestY = 0.4 + 1.5 * e;
            text->draw(best, ColorManager::white70, bestX, bestY, 0.3, 0.33, 0.012, 3, 7);
            text->draw(best, ColorManager::black, bestX, bestY, 0.3, 0.33, 0.012, 3, 0);
        }
    }
    drawSelectionShade();
}
