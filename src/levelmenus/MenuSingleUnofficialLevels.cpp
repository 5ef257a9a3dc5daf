#include "levelmenus/MenuSingleUnofficialLevels.h"

#include "levelmenus/CustomLevelList.h"
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
#include "services/DataFileManager.h"
#include "services/LangManager.h"
#include "services/OptionsManager.h"
#include "services/TextFromFontManager.h"

int MenuSingleUnofficialLevels::etatStatic = 1;
int MenuSingleUnofficialLevels::choix = 0;

MenuSingleUnofficialLevels::MenuSingleUnofficialLevels()
    : Menu(0, 0, 1, 1),
      lang(LangManager::getInstance()),
      files(DataFileManager::GetInstance()),
      scores(LevelScoresManager::getInstance()),
      authorColumnOffset(wideScreen() ? -0.05f : -0.097f)
{
    background = CTextureManager::GetInstance()->LoadPNG(backgroundPath("menuKZ.png"), 0);
    title = " - " + lang->get("singleMap");
    nom = "MenuSingleUnofficialLevels";
    repeatTimer = 0;
    itemCount = 3;
    labels = {lang->get("sortByLevels"), lang->get("sortByAuthors"), lang->get("previous")};

    byTitle = CustomLevelList::read(files);
    byAuthor = byTitle;
    sortLevelNames(byTitle);
    CustomLevelList::sortByAuthor(byAuthor);
    // The list file may have shrunk since the index was remembered.
    choix = LevelListWindow::clamp(choix, static_cast<int>(byTitle.size()));
}

MenuSingleUnofficialLevels::~MenuSingleUnofficialLevels() {}

void MenuSingleUnofficialLevels::reset()
{
    code = 0;
    etatStatic = 1;
}

const std::vector<std::string>& MenuSingleUnofficialLevels::currentList() const
{
    return etatStatic == 2 ? byAuthor : byTitle;
}

void MenuSingleUnofficialLevels::refresh(long dt)
{
    const int count = static_cast<int>(byTitle.size());
    LevelMenuKeys::moveInList(*this, dt, etatStatic, choix, count, etatStatic < 3);

    if (LevelMenuKeys::take(*this, ClavierManager::VALIDATE)) {
        if (etatStatic == 3) {
            code = 3;
        } else if (count > 0) {
            objects.push_back(currentList()[choix]);
            code = 1;
        }
    }
    // Read after validate: a validate in the same frame has cleared it.
    if (LevelMenuKeys::take(*this, ClavierManager::BACK)) {
        etatStatic = 1;
        choix = 0;
        code = 3;
    }
}

std::vector<LevelListWindow::Row> MenuSingleUnofficialLevels::visibleRows() const
{
    return LevelListWindow::rows(static_cast<int>(currentList().size()), kWindowRows, choix);
}

std::string MenuSingleUnofficialLevels::bestTimeText() const
{
    return SelectedLevel::bestTime(scores, currentList(), choix);
}

unsigned int MenuSingleUnofficialLevels::previewTexture() const
{
    if (etatStatic >= 3)
        return 0;
    return SelectedLevel::customPreview(currentList(), choix, files);
}

void MenuSingleUnofficialLevels::draw()
{
    // Culling off and opaque white around the screen, so that the item row's
    // shade shows and leaves no faint colour to the texts of the next frame.
    const OverlayState overlay(colors);
    Menu::draw();
    const std::size_t count = byTitle.size();
    if (etatStatic < 3 && count > 0)
        LevelPreview::draw(previewTexture(), options->getRatio(0));
    if (etatStatic == 1)
        drawByTitle();
    else if (etatStatic == 2)
        drawByPseudo();
    if (etatStatic < 3)
        LevelListDrawing::scrollBar(scrollBar, colors, static_cast<int>(count), kWindowRows, choix);
    // The shade follows the class-wide item; selection itself stays 1.
    const int kept = selection;
    selection = etatStatic;
    drawSelectionShade();
    selection = kept;
}

void MenuSingleUnofficialLevels::drawByTitle()
{
    drawList(byTitle);
}

void MenuSingleUnofficialLevels::drawByPseudo()
{
    drawList(byAuthor);
}

void MenuSingleUnofficialLevels::drawList(const std::vector<std::string>& list)
{
    if (list.empty())
        return;
    const double e = wideScreen() ? 0.0 : 0.005;
    const double c = authorColumnOffset;
    const std::vector<LevelListWindow::Row> rows =
        LevelListWindow::rows(static_cast<int>(list.size()), kWindowRows, choix);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (rows[i].entry < 0)
            continue;
        const std::string& name = list[rows[i].entry];
        const std::string shownTitle = CustomLevelList::shortTitle(CustomLevelList::titleOf(name));
        const std::string author = CustomLevelList::authorOf(name);
        double* colour = rows[i].highlighted ? ColorManager::lightBlue : ColorManager::black;
        const double y = 0.82 + e - 0.047 * static_cast<double>(i);
        text->draw(shownTitle, ColorManager::white70, 0.05, y, 0.3, 0.33, 0.012, 1, 7);
        text->draw(shownTitle, colour, 0.05, y, 0.3, 0.33, 0.012, 1, 0);
        text->draw(author, ColorManager::white70, 0.665 + c, y, 0.3, 0.33, 0.012, 2, 7);
        text->draw(author, colour, 0.665 + c, y, 0.3, 0.33, 0.012, 2, 0);
    }

    LevelListDrawing::bestTime(text, SelectedLevel::bestTime(scores, list, choix), 0.86 + c + 5 * e,
                               0.402 + 2 * e);
}
