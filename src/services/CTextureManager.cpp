#include "services/CTextureManager.h"

#include "services/DebugManager.h"

#include <SDL/SDL.h>
#include <SDL/SDL_image.h>
#include <GL/gl.h>
#include <GL/glu.h>

#ifndef GL_TEXTURE_MAX_ANISOTROPY_EXT
#define GL_TEXTURE_MAX_ANISOTROPY_EXT 0x84FE
#endif

namespace {

const char* const DEFAULT_NAME = "default";

DebugManager* debugLog()
{
    return CSingleton<DebugManager>::GetInstance();
}

} // namespace

CTextureManager::CTextureManager()
{
    cursor = textures.end();
}

void CTextureManager::Initialize()
{
    ReleaseTextures();

    GLuint id = 0;
    glGenTextures(1, &id);
    glBindTexture(GL_TEXTURE_2D, id);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    textures[DEFAULT_NAME] = id;

    const unsigned char transparent[16] = {0};
    glTexImage2D(GL_TEXTURE_2D, 0, 4, 2, 2, 0, GL_RGBA, GL_UNSIGNED_BYTE, transparent);
}

unsigned int CTextureManager::GetTexture(std::string name)
{
    cursor = textures.find(name);
    if (cursor != textures.end())
        return cursor->second;
    cursor = textures.find(DEFAULT_NAME);
    if (cursor != textures.end())
        return cursor->second;
    textures[DEFAULT_NAME] = 0;
    return 0;
}

void CTextureManager::upload(int components, int width, int height, unsigned int format,
                             const void* pixels, int anisotropy)
{
    if (anisotropy > 7) {
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
        glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MAX_ANISOTROPY_EXT, (GLfloat)anisotropy);
        gluBuild2DMipmaps(GL_TEXTURE_2D, components, width, height, format, GL_UNSIGNED_BYTE,
                          pixels);
    } else {
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
        glTexImage2D(GL_TEXTURE_2D, 0, components, width, height, 0, format, GL_UNSIGNED_BYTE,
                     pixels);
    }
}

unsigned int CTextureManager::LoadPNG(std::string path, int anisotropy)
{
    unsigned int known = GetTexture(path);
    unsigned int fallback = GetTexture(DEFAULT_NAME);
    if (known != fallback)
        return known;

    debugLog()->o("TexturesManager", "LoadPNG", true, "Loading ... ", path);
    SDL_Surface* surface = IMG_Load(path.c_str());
    if (surface == nullptr) {
        debugLog()->o("TexturesManager", "LoadPNG", false, "Unable to load the file", path);
        return fallback;
    }

    int bytes = surface->format->BytesPerPixel;
    bool redFirst = surface->format->Rmask == 0xFF;
    GLenum format;
    if (bytes == 4)
        format = redFirst ? GL_RGBA : GL_BGRA;
    else if (bytes == 3)
        format = redFirst ? GL_RGB : GL_BGR;
    else {
        // Palette and grey images are not used by the game.
        SDL_FreeSurface(surface);
        return fallback;
    }

    debugLog()->o("TexturesManager", "LoadPNG", true, "Texture Loaded ...");
    GLuint id = 0;
    glGenTextures(1, &id);
    glBindTexture(GL_TEXTURE_2D, id);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    debugLog()->o("TexturesManager", "LoadPNG", true, "Binding ...");

    // SDL pads surface rows to 4 bytes, as OpenGL's unpack alignment of 4 does.
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    upload(bytes, surface->w, surface->h, format, surface->pixels, anisotropy);

    debugLog()->o("TexturesManager", "LoadPNG", true, "TexImage or MipMap ...");
    textures[path] = id;
    debugLog()->o("TexturesManager", "LoadPNG", true, "Parsing with openGL");
    SDL_FreeSurface(surface);
    debugLog()->o("TexturesManager", "LoadPNG", true, "Texture Deleted");
    return id;
}

unsigned int CTextureManager::LoadTexture(std::string path, bool flip, int anisotropy)
{
    debugLog()->o("TexturesManager", "LoadTexture", true, "Chargement de la texture : ", path);
    unsigned int known = GetTexture(path);
    unsigned int fallback = GetTexture(DEFAULT_NAME);
    if (known != fallback) {
        debugLog()->o("TexturesManager", "LoadTexture", true, "The Texture already exists : ",
                 (double)known);
        return known;
    }

    debugLog()->o("TexturesManager", "LoadTexture", true, "The texture doesn't already exists");
    unsigned char* pixels = nullptr;
    int width = 0;
    int height = 0;
    int result = LoadFileTGA(path.c_str(), &pixels, &width, &height, flip);

    unsigned int id = fallback;
    if (result < 1) {
        debugLog()->o("TexturesManager", "LoadTexture", false, "The Texture cannot be loaded : ",
                 (double)fallback);
    } else {
        GLuint made = 0;
        glGenTextures(1, &made);
        glBindTexture(GL_TEXTURE_2D, made);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
        upload(4, width, height, GL_RGBA, pixels, anisotropy);
        textures[path] = made;
        id = made;
        debugLog()->o("TexturesManager", "LoadTexture", true, "Texture loaded ", (double)id);
    }
    delete[] pixels;
    return id;
}

void CTextureManager::DeleteTexture(std::string name)
{
    cursor = textures.find(name);
    if (cursor == textures.end())
        return;
    GLuint id = cursor->second;
    glDeleteTextures(1, &id);
    textures.erase(cursor);
    cursor = textures.end();
}

void CTextureManager::DeleteTexture(unsigned int id)
{
    if (!glIsTexture(id))
        return;
    for (cursor = textures.begin(); cursor != textures.end(); ++cursor) {
        if (cursor->second == id) {
            GLuint name = id;
            glDeleteTextures(1, &name);
            textures.erase(cursor);
            cursor = textures.end();
            return;
        }
    }
}

void CTextureManager::ReleaseTextures()
{
    for (cursor = textures.begin(); cursor != textures.end(); ++cursor) {
        GLuint id = cursor->second;
        if (id != 0)
            glDeleteTextures(1, &id);
    }
    textures.clear();
    cursor = textures.end();
}

std::string CTextureManager::GetTextureName(unsigned int id)
{
    if (!glIsTexture(id))
        return "failed";
    for (cursor = textures.begin(); cursor != textures.end(); ++cursor)
        if (cursor->second == id)
            return cursor->first;
    return "failed";
}
