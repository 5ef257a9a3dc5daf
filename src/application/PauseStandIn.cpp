#include "application/PauseStandIn.h"

#include "services/ClavierManager.h"
#include "services/ColorManager.h"
#include "services/LangManager.h"
#include "services/SonsManager.h"
#include "services/TextFromFontManager.h"

#include <GL/gl.h>

PauseStandIn::PauseStandIn() : code(0) {}

void PauseStandIn::enableNextLevel(bool) {}

void PauseStandIn::enableRestartLevel(bool) {}

void PauseStandIn::refresh(long)
{
    ClavierManager* clavier = ClavierManager::clavier;
    if (clavier == nullptr)
        return;
    bool chosen = false;
    for (int action : {ClavierManager::VALIDATE, ClavierManager::BACK}) {
        for (int player = 0; player < 2; ++player) {
            if (clavier->keyState[action][player] == 1) {
                clavier->keyState[action][player] = 0;
                chosen = true;
            }
        }
    }
    if (chosen) {
        code = 1;
        SonsManager* sons = SonsManager::getInstance();
        sons->jouerSon(sons->beep2);
    }
}

int PauseStandIn::getCode()
{
    return code;
}

void PauseStandIn::reset()
{
    code = 0;
}

void PauseStandIn::draw()
{
    // A dimmed veil over the standing game, the title and the one item.
    glDisable(GL_TEXTURE_2D);
    glColor4d(0.0, 0.0, 0.0, 0.35);
    glBegin(GL_QUADS);
    glVertex2d(0.0, 0.0);
    glVertex2d(0.0, 1.0);
    glVertex2d(1.0, 1.0);
    glVertex2d(1.0, 0.0);
    glEnd();
    glColor4d(1.0, 1.0, 1.0, 1.0);
    glEnable(GL_TEXTURE_2D);

    LangManager* lang = LangManager::getInstance();
    TextFromFontManager* texts = CSingleton<TextFromFontManager>::GetInstance();
    texts->drawWithBorder(lang->get("pause"), ColorManager::black, ColorManager::white40,
                          0.5, 0.7, 0.7, 0.7, 0.012, 3, 5);
    texts->drawWithBorder(lang->get("continue"), ColorManager::lightBlue, ColorManager::white40,
                          0.5, 0.452, 0.5, 0.5, 0.012, 3, 5);
}
