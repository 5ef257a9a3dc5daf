#include "menus/MenuPause.h"

#include "services/CTextureManager.h"
#include "services/ClavierManager.h"
#include "services/ColorManager.h"
#include "services/LangManager.h"
#include "services/OptionsManager.h"
#include "services/TextFromFontManager.h"

#include <GL/gl.h>

MenuPause::MenuPause()
    : Menu(0, 0, 1, 1), lang(LangManager::getInstance()), nextLevelEnabled(false),
      restartLevelEnabled(false)
{
    std::string path = "Images/Menus/" + options->getPathTextures(0);
    path += wideScreen() ? "/Ratio-16-10/menuPause.tga" : "/Ratio-4-3/menuPause.tga";
    background = CTextureManager::GetInstance()->LoadTexture(path, false, 0);
    nom = "MenuPause";
    repeatTimer = 0;
    itemCount = kItems;
    for (const char* key : {"continue", "restartLevel", "nextLevel", "abandon"})
        labels.push_back(lang->get(key));
}

void MenuPause::enableNextLevel(bool enabled)
{
    nextLevelEnabled = enabled;
}

void MenuPause::enableRestartLevel(bool enabled)
{
    restartLevelEnabled = enabled;
}

bool MenuPause::isEnabled(int item) const
{
    if (item == 2)
        return restartLevelEnabled;
    if (item == 3)
        return nextLevelEnabled;
    return true;
}

bool MenuPause::isInIncorrectState() const
{
    return !isEnabled(selection);
}

void MenuPause::move(int direction)
{
    // Items 1 and 4 are always enabled, so the wrap never stops on a
    // disabled item.
    selection += direction;
    while (selection >= 1 && selection <= kItems && !isEnabled(selection))
        selection += direction;
    if (selection < 1)
        selection = kItems;
    else if (selection > kItems)
        selection = 1;
    repeatTimer = 0;
    playMove();
}

void MenuPause::refresh(long dt)
{
    const bool up = isPressed(ClavierManager::UP);
    const bool down = isPressed(ClavierManager::DOWN);
    const bool left = isPressed(ClavierManager::LEFT);
    const bool right = isPressed(ClavierManager::RIGHT);
    if (repeatTimer < kRepeatDelay) {
        if (up || down || left || right)
            repeatTimer += static_cast<float>(dt);
        else
            repeatTimer = kRepeatDelay;
    } else if (up || down || left || right) {
        // The first pressed of up, down, left, right decides.
        move(up ? -1 : down ? 1 : left ? -1 : 1);
    }

    // Only the states used here are consumed: a direction held through the
    // choice still steers the game that resumes.
    if (isPressed(ClavierManager::VALIDATE)) {
        clavier->keyState[ClavierManager::VALIDATE][0] = 0;
        clavier->keyState[ClavierManager::VALIDATE][1] = 0;
        code = selection;
        playValidate();
    }
    if (isPressed(ClavierManager::BACK)) {
        clavier->keyState[ClavierManager::BACK][0] = 0;
        clavier->keyState[ClavierManager::BACK][1] = 0;
        code = 1;
        playValidate();
    }
}

void MenuPause::rowLayout(int enabledItems, double& firstY, double& step)
{
    if (enabledItems >= 4) {
        firstY = 0.505;
        step = 0.07;
    } else if (enabledItems == 3) {
        firstY = 0.497;
        step = 0.1;
    } else {
        firstY = 0.452;
        step = 0.1;
    }
}

std::vector<double> MenuPause::rowHeights() const
{
    int enabled = 0;
    for (int item = 1; item <= kItems; ++item)
        if (isEnabled(item))
            ++enabled;
    double firstY = 0.0;
    double step = 0.0;
    rowLayout(enabled, firstY, step);
    std::vector<double> heights;
    for (int n = 0; n < enabled; ++n)
        heights.push_back(firstY - step * n);
    return heights;
}

void MenuPause::draw()
{
    // The picture is stored bottom row first, unlike the menu backgrounds.
    glBindTexture(GL_TEXTURE_2D, background);
    glBegin(GL_QUADS);
    glTexCoord2d(0.0, 1.0);
    glVertex2d(x, y + height);
    glTexCoord2d(1.0, 1.0);
    glVertex2d(x + width, y + height);
    glTexCoord2d(1.0, 0.0);
    glVertex2d(x + width, y);
    glTexCoord2d(0.0, 0.0);
    glVertex2d(x, y);
    glEnd();

    colors->setColor(colors->getRed(), colors->getGreen(), colors->getBlue(), 0.8);
    const std::string& pause = lang->get("pause");
    text->draw(pause, ColorManager::white40, 0.5, 0.7, 0.7, 0.7, 0.012, 3, 5);
    text->draw(pause, ColorManager::black, 0.5, 0.7, 0.7, 0.7, 0.012, 3, 0);

    if (!labels.empty()) {
        const std::vector<double> heights = rowHeights();
        int row = 0;
        for (int item = 1; item <= kItems && item <= static_cast<int>(labels.size()); ++item) {
            if (!isEnabled(item))
                continue;
            const double rowY = heights[row++];
            const std::string& label = labels[item - 1];
            text->draw(label, ColorManager::white40, 0.5, rowY, 0.5, 0.5, 0.012, 3, 5);
            text->draw(label, item == selection ? ColorManager::lightBlue : ColorManager::black,
                       0.5, rowY, 0.5, 0.5, 0.012, 3, 0);
        }
    }
    colors->setColor(colors->getRed(), colors->getGreen(), colors->getBlue(), 1.0);
}

void MenuPause::reset()
{
    code = 0;
    selection = 1;
}

int MenuPause::getCode()
{
    return code;
}
