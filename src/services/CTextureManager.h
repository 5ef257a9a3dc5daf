#pragma once

#include "services/CSingleton.h"
#include "services/LoadFileTGA.h"

#include <map>
#include <string>

// The game's one store of OpenGL textures, each loaded once and known by its
// path. A missing image yields the transparent 2 x 2 "default" texture.
// Instance: CSingleton<CTextureManager>::GetInstance(); needs a GL context.
class CTextureManager : public CSingleton<CTextureManager> {
public:
    CTextureManager();

    void Initialize();
    unsigned int GetTexture(std::string name);
    unsigned int LoadPNG(std::string path, int anisotropy);
    unsigned int LoadTexture(std::string path, bool flip, int anisotropy);
    void DeleteTexture(std::string name);
    void DeleteTexture(unsigned int id);
    void ReleaseTextures();
    std::string GetTextureName(unsigned int id);

private:
    // Uploads pixels to the bound texture: mipmaps and anisotropic filtering
    // when the anisotropy setting is above 7, plain linear filtering otherwise.
    static void upload(int components, int width, int height, unsigned int format,
                       const void* pixels, int anisotropy);

    std::map<std::string, unsigned int>::iterator cursor;
    std::map<std::string, unsigned int> textures;
};
