#include "levelmenus/LevelPreview.h"

#include "services/CTextureManager.h"
#include "services/ColorManager.h"
#include "services/DataFileManager.h"

#include <GL/gl.h>

namespace LevelPreview {

std::string officialPath(const std::string& name)
{
    return "Images/Previews/Official/" + name + ".png";
}

std::string customPath(const std::string& name, DataFileManager* files)
{
    return files->getPath("Images/Previews/Custom/" + name + ".png", true);
}

unsigned int texture(const std::string& path)
{
    CTextureManager* textures = CTextureManager::GetInstance();
    const unsigned int own = textures->LoadPNG(path, 0);
    if (own != textures->GetTexture("default"))
        return own;
    return textures->LoadPNG("Images/Previews/NoPreview.png", 0);
}

void draw(unsigned int texture, double ratio)
{
    const double right = 0.915;
    const double left = right - 0.35 / ratio;
    // The picture shows in its own colours, whatever colour the texts
    // before it left current.
    ColorManager* colors = ColorManager::GetInstance();
    colors->setColor(ColorManager::white);
    glBindTexture(GL_TEXTURE_2D, texture);
    glBegin(GL_QUADS);
    glTexCoord2d(0, 0);
    glVertex2d(left, 0.83);
    glTexCoord2d(1, 0);
    glVertex2d(right, 0.83);
    glTexCoord2d(1, 1);
    glVertex2d(right, 0.48);
    glTexCoord2d(0, 1);
    glVertex2d(left, 0.48);
    glEnd();
    colors->restore();
}

} // namespace LevelPreview
