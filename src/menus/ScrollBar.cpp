#include "menus/ScrollBar.h"

#include "services/CTextureManager.h"
#include "services/OptionsManager.h"

#include <GL/gl.h>

namespace {

const float kTopY = 0.745f;
const float kHeight = 0.1f;
const float kWidth = 0.041666667f; // a twenty-fourth of the screen height

} // namespace

ScrollBar::ScrollBar() : Objet(0.0f, 0.0f), options(OptionsManager::getInstance()), texture(0)
{
    texture = CTextureManager::GetInstance()->LoadPNG(
        "Images/Interface/" + options->getPathTextures(0) + "/ScrollBar.png", 0);
    const int scale = options->getScale(0);
    const bool wide = scale == 1 || scale == 2;
    x = wide ? 0.616f : 0.567f;
    travel = wide ? 0.385f : 0.368f;
}

float ScrollBar::thumbY(double total, double current, float travel)
{
    if (total > 1)
        return static_cast<float>(kTopY - current / (total - 1) * travel);
    return kTopY;
}

void ScrollBar::draw(double total, double current)
{
    y = thumbY(total, current, travel);
    // Widths are divided by the screen's aspect so the thumb keeps its shape.
    const double w = kWidth / options->getRatio(0);
    glBindTexture(GL_TEXTURE_2D, texture);
    glBegin(GL_QUADS);
    glTexCoord2d(0, 0);
    glVertex2d(x, y + kHeight);
    glTexCoord2d(1, 0);
    glVertex2d(x + w, y + kHeight);
    glTexCoord2d(1, 1);
    glVertex2d(x + w, y);
    glTexCoord2d(0, 1);
    glVertex2d(x, y);
    glEnd();
}
