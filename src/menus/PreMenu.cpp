#include "menus/PreMenu.h"

#include "services/CTextureManager.h"
#include "services/ClavierManager.h"
#include "services/OptionsManager.h"
#include "services/SonsManager.h"

const char* const PreMenu::kImagePath = "Images/Menus/premenu.png";

PreMenu::PreMenu() : Menu(0, 0, 0, 0), titleTimer(0.0f)
{
    nom = "PreMenu";
    sons->chargerMusique(sons->premenu);
    sons->jouerMusique(-1);
    background = CTextureManager::GetInstance()->LoadPNG(kImagePath, 0);
    // The picture keeps its 512 pixels whatever the resolution.
    const float w = static_cast<float>(options->getLargeur(0));
    const float h = static_cast<float>(options->getHauteur(0));
    width = 512.0f / w;
    height = 512.0f / h;
    x = (w * 0.5f - 256.0f) / w;
    y = (h * 0.5f - 256.0f) / h;
}

PreMenu::~PreMenu()
{
    CTextureManager::GetInstance()->DeleteTexture(std::string(kImagePath));
}

void PreMenu::refresh(long dt)
{
    const int validate = clavier->keyState[ClavierManager::VALIDATE][0];
    const int back = clavier->keyState[ClavierManager::BACK][0];
    if (validate == 1 || back == 1) {
        titleTimer = kTitleTime;
        // Only player 1's input is consumed; player 2's keys stay as they are.
        for (int action = 0; action < ClavierManager::kNbActions; ++action)
            clavier->keyState[action][0] = 0;
        clavier->lastKey = 0;
        clavier->joystickUsed[0] = false;
        clavier->joystickAxis[0] = 0.0; // joystick 0, x
        clavier->joystickAxis[2] = 0.0; // joystick 0, z
        playValidate();
    } else {
        titleTimer += static_cast<float>(dt);
    }
}

int PreMenu::getCode()
{
    return titleTimer < kTitleTime ? 0 : 1;
}
