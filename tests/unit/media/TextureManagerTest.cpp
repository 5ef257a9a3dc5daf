#include "MediaTestSupport.h"

#include "services/CTextureManager.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cstring>

#ifndef GL_TEXTURE_MAX_ANISOTROPY_EXT
#define GL_TEXTURE_MAX_ANISOTROPY_EXT 0x84FE
#endif

using namespace media_test;

namespace {

// Window first, so that the services go (in the sandbox) while GL lives.
class TextureManagerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(window.ok());
        textures = CSingleton<CTextureManager>::GetInstance();
        textures->Initialize();
        fallback = textures->GetTexture("default");
    }

    void writeImage(const std::string& relative, const std::string& bytes)
    {
        sandbox.writeInstallFile(relative, bytes);
    }

    static GLint parameter(GLuint id, GLenum name)
    {
        glBindTexture(GL_TEXTURE_2D, id);
        GLint value = 0;
        glGetTexParameteriv(GL_TEXTURE_2D, name, &value);
        return value;
    }

    static GLint levelWidth(GLuint id, int level)
    {
        glBindTexture(GL_TEXTURE_2D, id);
        GLint value = 0;
        glGetTexLevelParameteriv(GL_TEXTURE_2D, level, GL_TEXTURE_WIDTH, &value);
        return value;
    }

    static Bytes texels(GLuint id, int count)
    {
        glBindTexture(GL_TEXTURE_2D, id);
        Bytes out((std::size_t)count * 4);
        glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, out.data());
        return out;
    }

    GlWindow window;
    MediaSandbox sandbox;
    CTextureManager* textures = nullptr;
    unsigned int fallback = 0;
};

Bytes tga4x4()
{
    TgaHeader h;
    h.type = 2;
    h.width = 4;
    h.height = 4;
    h.depth = 32;
    Bytes pixels;
    for (int i = 0; i < 16; ++i)
        pixels.insert(pixels.end(), {(unsigned char)i, 0, 0, 255});
    return tga(h, pixels);
}

} // namespace

TEST_F(TextureManagerTest, DefaultIsTransparentTwoByTwo)
{
    ASSERT_NE(fallback, 0u);
    EXPECT_TRUE(glIsTexture(fallback));
    EXPECT_EQ(levelWidth(fallback, 0), 2);
    EXPECT_EQ(texels(fallback, 4), Bytes(16, 0));
    EXPECT_EQ(textures->GetTextureName(fallback), "default");
}

TEST_F(TextureManagerTest, MissingFilesGiveDefaultAndAreNotStored)
{
    EXPECT_EQ(textures->LoadPNG("Images/none.png", 0), fallback);
    EXPECT_EQ(textures->LoadTexture("Images/none.tga", false, 0), fallback);
    EXPECT_EQ(textures->LoadTexture("Images/none.tga", false, 0), fallback);
    EXPECT_EQ(textures->GetTexture("Images/none.png"), fallback);
    EXPECT_EQ(sandbox.countLogLines("[ERROR]", "Unable to load the file Images/none.png"), 1);
    // Each request tries the file again.
    EXPECT_EQ(sandbox.countLogLines("[ERROR]", "The Texture cannot be loaded : "), 2);

    // Once the file exists it loads under its path.
    writeImage("Images/none.tga", toString(tga4x4()));
    unsigned int id = textures->LoadTexture("Images/none.tga", false, 0);
    EXPECT_NE(id, fallback);
    EXPECT_EQ(textures->GetTextureName(id), "Images/none.tga");
}

TEST_F(TextureManagerTest, DamagedTgaGivesDefault)
{
    Bytes bad = tga4x4();
    bad.resize(bad.size() - 5);
    writeImage("Images/bad.tga", toString(bad));
    EXPECT_EQ(textures->LoadTexture("Images/bad.tga", false, 0), fallback);
    writeImage("Images/bad.png", "not a picture at all");
    EXPECT_EQ(textures->LoadPNG("Images/bad.png", 0), fallback);
}

TEST_F(TextureManagerTest, SamePathLoadsOnce)
{
    writeImage("Images/a.tga", toString(tga4x4()));
    unsigned int first = textures->LoadTexture("Images/a.tga", false, 0);
    unsigned int second = textures->LoadTexture("Images/a.tga", false, 0);
    EXPECT_EQ(first, second);
    EXPECT_EQ(textures->GetTexture("Images/a.tga"), first);
    EXPECT_EQ(sandbox.countLogLines("The Texture already exists :  " + std::to_string(first)), 1);
    EXPECT_EQ(sandbox.countLogLines("Texture loaded "), 1);
}

TEST_F(TextureManagerTest, TgaRowsFollowTheFlipFlag)
{
    writeImage("Images/a.tga", toString(tga4x4()));
    unsigned int plain = textures->LoadTexture("Images/a.tga", false, 0);
    writeImage("Images/b.tga", toString(tga4x4()));
    unsigned int flipped = textures->LoadTexture("Images/b.tga", true, 0);
    // Stored pixel i has blue = i: texel 0 is the first stored row unless flipped.
    EXPECT_EQ(texels(plain, 16)[2], 0);
    EXPECT_EQ(texels(flipped, 16)[2], 12);
}

TEST_F(TextureManagerTest, AnisotropyAboveSevenBuildsMipmaps)
{
    const bool extension =
        std::strstr((const char*)glGetString(GL_EXTENSIONS), "GL_EXT_texture_filter_anisotropic")
        != nullptr;
    struct Case {
        int anisotropy;
        bool mipmaps;
    };
    for (Case c : {Case{0, false}, Case{7, false}, Case{8, true}, Case{16, true}}) {
        SCOPED_TRACE(c.anisotropy);
        std::string tgaPath = "Images/t" + std::to_string(c.anisotropy) + ".tga";
        std::string pngPath = "Images/p" + std::to_string(c.anisotropy) + ".png";
        writeImage(tgaPath, toString(tga4x4()));
        writeImage(pngPath, png(4, 4, 2, Bytes(48, 200)));
        for (unsigned int id : {textures->LoadTexture(tgaPath, false, c.anisotropy),
                                textures->LoadPNG(pngPath, c.anisotropy)}) {
            ASSERT_NE(id, fallback);
            EXPECT_EQ(parameter(id, GL_TEXTURE_MIN_FILTER),
                      c.mipmaps ? GL_LINEAR_MIPMAP_LINEAR : GL_LINEAR);
            EXPECT_EQ(parameter(id, GL_TEXTURE_MAG_FILTER), GL_LINEAR);
            EXPECT_EQ(parameter(id, GL_TEXTURE_WRAP_S), GL_REPEAT);
            EXPECT_EQ(levelWidth(id, 2) == 1, c.mipmaps);
            if (extension) {
                GLfloat most = 0;
                glGetTexParameterfv(GL_TEXTURE_2D, GL_TEXTURE_MAX_ANISOTROPY_EXT, &most);
                EXPECT_FLOAT_EQ(most, c.mipmaps ? (float)c.anisotropy : 1.0f);
            }
        }
    }
}

TEST_F(TextureManagerTest, PngColourTypes)
{
    // Top row red, bottom row blue: rows go to OpenGL top row first.
    writeImage("Images/rgb.png", png(1, 2, 2, {255, 0, 0, 0, 0, 255}));
    writeImage("Images/rgba.png", png(1, 2, 6, {255, 0, 0, 128, 0, 0, 255, 64}));
    writeImage("Images/grey.png", png(1, 2, 0, {10, 20}));
    writeImage("Images/palette.png", png(1, 2, 3, {0, 1}, {255, 0, 0, 0, 0, 255}));

    unsigned int rgb = textures->LoadPNG("Images/rgb.png", 0);
    unsigned int rgba = textures->LoadPNG("Images/rgba.png", 0);
    ASSERT_NE(rgb, fallback);
    ASSERT_NE(rgba, fallback);
    EXPECT_NE(rgb, rgba);
    EXPECT_EQ(texels(rgb, 2), (Bytes{255, 0, 0, 255, 0, 0, 255, 255}));
    EXPECT_EQ(texels(rgba, 2), (Bytes{255, 0, 0, 128, 0, 0, 255, 64}));

    EXPECT_EQ(textures->LoadPNG("Images/grey.png", 0), fallback);
    EXPECT_EQ(textures->LoadPNG("Images/palette.png", 0), fallback);
    EXPECT_EQ(textures->GetTexture("Images/palette.png"), fallback);
}

TEST_F(TextureManagerTest, DeleteAndRelease)
{
    writeImage("Images/a.tga", toString(tga4x4()));
    writeImage("Images/b.tga", toString(tga4x4()));
    unsigned int a = textures->LoadTexture("Images/a.tga", false, 0);
    unsigned int b = textures->LoadTexture("Images/b.tga", false, 0);

    EXPECT_EQ(textures->GetTextureName(a + b + 1000), "failed");
    textures->DeleteTexture(std::string("Images/a.tga"));
    EXPECT_FALSE(glIsTexture(a));
    EXPECT_EQ(textures->GetTexture("Images/a.tga"), fallback);
    textures->DeleteTexture(std::string("Images/unknown.tga"));

    textures->DeleteTexture(b);
    EXPECT_FALSE(glIsTexture(b));
    EXPECT_EQ(textures->GetTextureName(b), "failed");

    textures->ReleaseTextures();
    EXPECT_FALSE(glIsTexture(fallback));
    // With even "default" gone, a lookup answers 0.
    EXPECT_EQ(textures->GetTexture("anything"), 0u);
    textures->Initialize();
    EXPECT_NE(textures->GetTexture("default"), 0u);
}
