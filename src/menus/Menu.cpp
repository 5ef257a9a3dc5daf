#include "menus/Menu.h"

#include "services/ClavierManager.h"
#include "services/ColorManager.h"
#include "services/OptionsManager.h"
#include "services/SonsManager.h"
#include "services/TextFromFontManager.h"

#include <GL/gl.h>

Menu::Menu(float x, float y, float w, float h)
    : Objet(x, y),
      clavier(nullptr),
      sons(nullptr),
      text(nullptr),
      options(nullptr),
      colors(nullptr),
      width(w),
      height(h),
      background(0),
      selection(1),
      code(0),
      itemCount(0),
      repeatTimer(kRepeatDelay),
      nom("Menu")
{
    // The key service loads its bindings when it is first made.
    if (ClavierManager::clavier == nullptr)
        ClavierManager::clavier = new ClavierManager();
    clavier = ClavierManager::clavier;
    sons = SonsManager::getInstance();
    text = CSingleton<TextFromFontManager>::GetInstance();
    options = OptionsManager::getInstance();
    colors = CSingleton<ColorManager>::GetInstance();
}

Menu::~Menu() {}

bool Menu::wideScreen()
{
    int scale = OptionsManager::getInstance()->getScale(0);
    return scale == 1 || scale == 2;
}

std::string Menu::backgroundPath(const std::string& file)
{
    std::string path = "Images/Menus/" + OptionsManager::getInstance()->getPathTextures(0);
    path += wideScreen() ? "/Ratio-16-10/" : "/Ratio-4-3/";
    return path + file;
}

bool Menu::isPressed(int action) const
{
    return clavier->keyState[action][0] == 1 || clavier->keyState[action][1] == 1;
}

void Menu::playMove()
{
    sons->jouerSon(sons->beep);
}

void Menu::playValidate()
{
    sons->jouerSon(sons->beep2);
}

void Menu::playRefused()
{
    sons->jouerSon(sons->beep3);
}

void Menu::refreshMoves(long dt)
{
    bool direction = isPressed(ClavierManager::UP) || isPressed(ClavierManager::DOWN) ||
                     isPressed(ClavierManager::LEFT) || isPressed(ClavierManager::RIGHT);
    if (repeatTimer < kRepeatDelay) {
        // Releasing every direction makes the next press act at once.
        if (direction)
            repeatTimer += static_cast<float>(dt);
        else
            repeatTimer = kRepeatDelay;
        return;
    }
    if (isPressed(ClavierManager::LEFT)) {
        selection -= 1;
        if (selection < 1)
            selection = itemCount;
        repeatTimer = 0;
        playMove();
    } else if (isPressed(ClavierManager::RIGHT)) {
        selection += 1;
        if (selection > itemCount)
            selection = 1;
        repeatTimer = 0;
        playMove();
    }
}

void Menu::refreshValidateBack()
{
    if (isPressed(ClavierManager::VALIDATE)) {
        clavier->initTocuhes();
        code = selection;
        playValidate();
    }
    // Read after validate: a validate in the same frame has cleared it.
    if (isPressed(ClavierManager::BACK)) {
        clavier->initTocuhes();
        code = itemCount;
        playValidate();
    }
}

void Menu::refresh(long dt)
{
    refreshMoves(dt);
    refreshValidateBack();
}

void Menu::drawBackground()
{
    drawImage(background);
}

void Menu::drawImage(unsigned int texture)
{
    glBindTexture(GL_TEXTURE_2D, texture);
    glBegin(GL_QUADS);
    glTexCoord2d(0.0, 0.0);
    glVertex2d(x, y + height);
    glTexCoord2d(1.0, 0.0);
    glVertex2d(x + width, y + height);
    glTexCoord2d(1.0, 1.0);
    glVertex2d(x + width, y);
    glTexCoord2d(0.0, 1.0);
    glVertex2d(x, y);
    glEnd();
}

void Menu::draw()
{
    drawBackground();
    drawTitleAndItems();
}

void Menu::drawTitleAndItems()
{
    if (labels.empty())
        return;
    if (!title.empty())
        text->draw(title, ColorManager::black, 0.275, 0.925, 0.7, 0.7, 0.012, 1, 0);
    bool wide = wideScreen();
    double rowY = wide ? 0.216 : 0.26;
    double scaleX = wide ? 0.3 : 0.25;
    for (int i = 0; i < itemCount && i < static_cast<int>(labels.size()); ++i) {
        double columnX = (i + 0.5) / itemCount;
        text->draw(labels[i], ColorManager::white, columnX, rowY, scaleX, 0.35, 0.005, 3, 7);
        text->draw(labels[i], ColorManager::black, columnX, rowY, scaleX, 0.35, 0.005, 3, 0);
    }
}

void Menu::drawSelectionShade()
{
    bool wide = wideScreen();
    double bottom = wide ? 0.14 : 0.195;
    double top = wide ? 0.29 : 0.323;
    double left = static_cast<double>(selection - 1) / itemCount;
    double right = static_cast<double>(selection) / itemCount;
    glDisable(GL_TEXTURE_2D);
    colors->setColor(0.0, 0.0, 0.0, 0.3);
    // Wound clockwise like every overlay quad: the game culls the others.
    glBegin(GL_QUADS);
    glVertex2d(0.0, top);
    glVertex2d(left, top);
    glVertex2d(left, bottom);
    glVertex2d(0.0, bottom);
    glVertex2d(right, top);
    glVertex2d(1.0, top);
    glVertex2d(1.0, bottom);
    glVertex2d(right, bottom);
    glEnd();
    // Opaque white through the colour service: texts take their alpha from
    // its current colour, and the shade's would fade them from then on.
    colors->setColor(1.0, 1.0, 1.0, 1.0);
    glEnable(GL_TEXTURE_2D);
}

void Menu::reset() {}

std::string Menu::getNom()
{
    return nom;
}

int Menu::getCode()
{
    return code;
}

std::vector<std::string> Menu::getObject()
{
    return objects;
}
