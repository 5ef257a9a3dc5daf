#include "levelmenus/MenuScores.h"

#include "menus/OverlayState.h"

#include "records/DifficultyScoresManager.h"
#include "services/CTextureManager.h"
#include "services/ColorManager.h"
#include "services/LangManager.h"
#include "services/OptionsManager.h"
#include "services/TextFromFontManager.h"

namespace {

const int kDifficulties = DifficultyScoresManager::kDifficulties;

} // namespace

MenuScores::MenuScores()
    : Menu(0, 0, 1, 1), lang(LangManager::getInstance()), scores(nullptr), nameTables(nullptr),
      timeTables(nullptr)
{
    // The store is made and read by the first screen that needs it.
    if (DifficultyScoresManager::scoreManagerInst == nullptr)
        DifficultyScoresManager::scoreManagerInst = new DifficultyScoresManager();
    scores = DifficultyScoresManager::scoreManagerInst;

    background = CSingleton<CTextureManager>::GetInstance()->LoadPNG(backgroundPath("menuKZ2.png"), 0);
    title = " - " + lang->get("scores");
    nom = "MenuScores";
    repeatTimer = 0;
    itemCount = 7;
    for (int d = 1; d <= kDifficulties; ++d) {
        const std::string key = "difficulty_" + std::to_string(d);
        labels.push_back(lang->get(key));
    }
    labels.push_back(lang->get("previous"));
    charger();
}

MenuScores::~MenuScores()
{
    detruire();
}

void MenuScores::reset()
{
    code = 0;
    selection = 1;
}

void MenuScores::detruire()
{
    delete[] nameTables;
    delete[] timeTables;
    nameTables = nullptr;
    timeTables = nullptr;
}

void MenuScores::charger()
{
    detruire();
    nameTables = new std::string*[kDifficulties];
    timeTables = new std::string*[kDifficulties];
    for (int d = 0; d < kDifficulties; ++d) {
        nameTables[d] = scores->getNames(d);
        timeTables[d] = scores->getScores(d);
    }
}

std::string MenuScores::rankText(int i)
{
    return i < 9 ? " " + std::to_string(i + 1) + "." : std::to_string(i + 1) + ".";
}

std::string MenuScores::nameText(int d, int i)
{
    return " - " + nameTables[d - 1][i] + " - ";
}

std::string MenuScores::timeText(int d, int i)
{
    return timeTables[d - 1][i] + "s";
}

MenuScores::Columns MenuScores::columns(int aspectClass)
{
    switch (aspectClass) {
    case 0: return { 0.1, 0.35, 0.75 };
    case 2: return { 0.1, 0.3, 0.6 };
    case 3: return { 0.07, 0.3, 0.725 };
    default: return { 0.1, 0.29, 0.585 };
    }
}

double MenuScores::rowY(int i)
{
    return 0.81 - 0.045 * i;
}

void MenuScores::drawText(const std::string& t, double x, double y, int align)
{
    text->draw(t, ColorManager::white70, x, y, 0.5, 0.5, 0.1, align, 5);
    text->draw(t, ColorManager::black, x, y, 0.5, 0.5, 0.1, align, 0);
}

void MenuScores::drawScores()
{
    const int d = selection;
    if (d < 1 || d > kDifficulties)
        return;
    const Columns c = columns(options->getScale(0));
    for (int i = 0; i < DifficultyScoresManager::kRanks; ++i) {
        const double y = rowY(i);
        drawText(rankText(i), c.rank, y, 4);
        drawText(nameText(d, i), c.name, y, 6);
        drawText(timeText(d, i), c.time, y, 5);
    }
}

void MenuScores::draw()
{
    const OverlayState overlay(colors);
    Menu::draw();
    if (selection != itemCount)
        drawScores();
    drawSelectionShade();
}
