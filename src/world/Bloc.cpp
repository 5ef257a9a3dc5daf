#include "world/Bloc.h"

#include "services/CTextureManager.h"
#include "services/OptionsManager.h"

#include <GL/gl.h>

Bloc::Bloc(float x, float y, float z, int numero, int type)
    : Objet3D(x, y, z), type(type), numero(numero), texture(0), solid(true), used(false),
      textures(CSingleton<CTextureManager>::GetInstance()), options(OptionsManager::getInstance())
{
    Bloc::init();
    Bloc::compile();
}

std::string Bloc::texturePath(int imageType)
{
    return "Images/Blocks/" + options->getPathTextures(0) + "/" + std::to_string(imageType) + ".tga";
}

void Bloc::init()
{
    texture = textures->LoadTexture(texturePath(type), false, options->getAnisotrope(0));
}

void Bloc::emitPlate(float x0, float x1, float z0, float z1, float top, float depth,
                     float sTop0, float sTop1, float sideTop, bool withBack)
{
    const float bottom = top - depth;
    const float sideBottom = 0.5f;

    // Every face is wound clockwise seen from outside: the game draws with
    // clockwise front faces and culls the back ones.

    // Top face.
    glNormal3f(-1, 0, 0);
    glTexCoord2f(sTop0, 0); glVertex3f(x0, top, z0);
    glTexCoord2f(sTop1, 0); glVertex3f(x1, top, z0);
    glTexCoord2f(sTop1, 1); glVertex3f(x1, top, z1);
    glTexCoord2f(sTop0, 1); glVertex3f(x0, top, z1);

    // Front, t along x.
    glNormal3f(0, 0, -1);
    glTexCoord2f(sideBottom, 0); glVertex3f(x0, bottom, z1);
    glTexCoord2f(sideTop, 0); glVertex3f(x0, top, z1);
    glTexCoord2f(sideTop, 1); glVertex3f(x1, top, z1);
    glTexCoord2f(sideBottom, 1); glVertex3f(x1, bottom, z1);

    // Left, t along z.
    glNormal3f(0, -1, 0);
    glTexCoord2f(sideBottom, 0); glVertex3f(x0, bottom, z0);
    glTexCoord2f(sideTop, 0); glVertex3f(x0, top, z0);
    glTexCoord2f(sideTop, 1); glVertex3f(x0, top, z1);
    glTexCoord2f(sideBottom, 1); glVertex3f(x0, bottom, z1);

    // Right, t along z.
    glNormal3f(0, 1, 0);
    glTexCoord2f(sideBottom, 1); glVertex3f(x1, bottom, z1);
    glTexCoord2f(sideTop, 1); glVertex3f(x1, top, z1);
    glTexCoord2f(sideTop, 0); glVertex3f(x1, top, z0);
    glTexCoord2f(sideBottom, 0); glVertex3f(x1, bottom, z0);

    if (withBack) {
        // Back: s across the face along x, t from the bottom to the top.
        glNormal3f(0, 0, 1);
        glTexCoord2f(1, 0); glVertex3f(x1, bottom, z0);
        glTexCoord2f(1, 1); glVertex3f(x1, top, z0);
        glTexCoord2f(0.5f, 1); glVertex3f(x0, top, z0);
        glTexCoord2f(0.5f, 0); glVertex3f(x0, bottom, z0);
    }
}

void Bloc::emitBlock(float depth)
{
    glBindTexture(GL_TEXTURE_2D, texture);
    glBegin(GL_QUADS);
    emitPlate(x - 0.5f, x + 0.5f, z - 0.5f, z + 0.5f, y, depth, 0.0f, 0.5f, 0.6640625f, false);
    glEnd();
}

void Bloc::emitSlab()
{
    glBindTexture(GL_TEXTURE_2D, texture);
    glBegin(GL_QUADS);
    emitPlate(x - 0.5f, x + 0.5f, z - 0.5f, z + 0.5f, y, slabDepth, 0.0f, 0.5f, 1.0f, true);
    glEnd();
}

void Bloc::compile()
{
    glNewList(numero, GL_COMPILE);
    emitBlock(blockDepth);
    glEndList();
}

void Bloc::draw()
{
    glCallList(numero);
}

void Bloc::utiliser() { used = true; }

bool Bloc::isSolid() { return solid; }

void Bloc::setSolid(bool value) { solid = value; }

int Bloc::getType() { return type; }

int Bloc::getNumeroObjet() { return numero; }

void Bloc::refresh(long, double*)
{
    if (!used)
        return;
    // A used plain block becomes a block of type 101 for the rest of the level.
    used = false;
    type = usedType;
    texture = textures->LoadTexture(texturePath(type), false, options->getAnisotrope(0));
    glDeleteLists(numero, 1);
    compile();
}
