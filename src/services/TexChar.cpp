#include "services/TexChar.h"

#include <GL/gl.h>

TexChar::TexChar(unsigned int texture, int width, int height, int widthNextPow, int heightNextPow)
    : texture(texture), width(width), height(height), widthNextPow(widthNextPow),
      heightNextPow(heightNextPow)
{
}

TexChar::~TexChar()
{
    GLuint name = texture;
    glDeleteTextures(1, &name);
}

unsigned int TexChar::getTexture() const { return texture; }
int TexChar::getWidth() const { return width; }
int TexChar::getHeight() const { return height; }
int TexChar::getWidthNextPow() const { return widthNextPow; }
int TexChar::getHeightNextPow() const { return heightNextPow; }
