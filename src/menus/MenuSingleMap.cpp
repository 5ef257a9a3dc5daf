#include "menus/MenuSingleMap.h"

#include "services/CTextureManager.h"
#include "services/LangManager.h"

MenuSingleMap::MenuSingleMap() : Menu(0, 0, 1, 1), lang(LangManager::getInstance())
{
    background = CTextureManager::GetInstance()->LoadPNG(backgroundPath("menu.png"), 0);
    nom = "MenuSingleMap";
    repeatTimer = 0;
    itemCount = 3;
    for (const char* key : {"officialsLevels", "membersLevels", "previous"})
        labels.push_back(lang->get(key));
}

void MenuSingleMap::draw()
{
    Menu::draw();
    drawSelectionShade();
}

void MenuSingleMap::reset()
{
    code = 0;
    selection = 1;
}
