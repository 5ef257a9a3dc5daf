#include "menus/CheckBox.h"

#include "services/CTextureManager.h"
#include "services/OptionsManager.h"

#include <GL/gl.h>

namespace {

const float kSize = 0.05f;

} // namespace

CheckBox::CheckBox() : Objet(0.0f, 0.0f), options(OptionsManager::getInstance()), checked(false)
{
    texture = CTextureManager::GetInstance()->LoadPNG(
        "Images/Interface/" + options->getPathTextures(0) + "/checkBox.png", 0);
}

bool CheckBox::isChecked() const { return checked; }

void CheckBox::setChecked(bool value) { checked = value; }

void CheckBox::draw(double atX, double atY)
{
    x = static_cast<float>(atX);
    y = static_cast<float>(atY);
    const double v = checked ? 0.0 : 0.5;
    const double w = kSize / options->getRatio(0);
    glBindTexture(GL_TEXTURE_2D, texture);
    glBegin(GL_QUADS);
    glTexCoord2d(0, v);
    glVertex2d(x, y + kSize);
    glTexCoord2d(1, v);
    glVertex2d(x + w, y + kSize);
    glTexCoord2d(1, v + 0.5);
    glVertex2d(x + w, y);
    glTexCoord2d(0, v + 0.5);
    glVertex2d(x, y);
    glEnd();
}
