#include "menus/MenuDifficulte.h"

#include "records/DifficultyScoresManager.h"
#include "services/CTextureManager.h"
#include "services/ClavierManager.h"
#include "services/LangManager.h"

MenuDifficulte::MenuDifficulte() : Menu(0, 0, 1, 1), lang(LangManager::getInstance()), scores(nullptr)
{
    // The tables are read once per run; the record screen reloads them after
    // it writes a new time.
    if (DifficultyScoresManager::scoreManagerInst == nullptr)
        DifficultyScoresManager::getInstance()->loadScores();
    scores = DifficultyScoresManager::scoreManagerInst;

    background = CTextureManager::GetInstance()->LoadPNG(backgroundPath("menu.png"), 0);
    nom = "MenuDifficulte";
    repeatTimer = 0;
    itemCount = kDifficulties + 1;
    for (int k = 1; k <= kDifficulties; ++k) {
        // A difficulty opens once the one before it has a best time.
        bool open = k == 1 || scores->getScore(k - 2, 0) != DifficultyScoresManager::emptyScore;
        unlocked.push_back(open);
        const std::string key = "difficulty_" + std::to_string(k);
        labels.push_back(open ? lang->get(key) : std::string("?"));
    }
    unlocked.push_back(true);
    labels.push_back(lang->get("previous"));
}

void MenuDifficulte::refresh(long dt)
{
    refreshMoves(dt);
    if (isPressed(ClavierManager::VALIDATE)) {
        clavier->initTocuhes();
        if (unlocked[selection - 1]) {
            code = selection;
            playValidate();
        } else {
            playRefused();
        }
    }
    if (isPressed(ClavierManager::BACK)) {
        clavier->initTocuhes();
        code = itemCount;
        playValidate();
    }
}

void MenuDifficulte::draw()
{
    Menu::draw();
    drawSelectionShade();
}

void MenuDifficulte::reset()
{
    code = 0;
    selection = 1;
}
