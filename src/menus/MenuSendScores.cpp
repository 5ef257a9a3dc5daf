#include "menus/MenuSendScores.h"

#include "services/ColorManager.h"
#include "services/LangManager.h"
#include "services/TextFromFontManager.h"

MenuSendScores::MenuSendScores() : Menu(0, 0, 1, 1), lang(LangManager::getInstance())
{
    nom = "MenuSendScores";
    repeatTimer = 0;
    itemCount = 0;
}

void MenuSendScores::draw()
{
    // The veil's alpha is a single-precision 0.4, widened.
    colors->setColor(1.0, 1.0, 1.0, static_cast<double>(0.4f));
    const std::string& notice = lang->get("sendingData");
    text->draw(notice, ColorManager::white70, 0.5, 0.5, 1.0, 1.0, 0.012, 3, 5);
    text->draw(notice, ColorManager::lightBlue, 0.5, 0.5, 1.0, 1.0, 0.012, 3, 0);
    colors->setColor(1.0, 1.0, 1.0, 1.0);
}
