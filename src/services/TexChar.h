#pragma once

// One rendered text in an OpenGL texture; the texture is deleted with it.
class TexChar {
public:
    TexChar(unsigned int texture, int width, int height, int widthNextPow, int heightNextPow);
    ~TexChar();
    TexChar(const TexChar&) = delete;
    TexChar& operator=(const TexChar&) = delete;

    unsigned int getTexture() const;
    int getWidth() const;
    int getHeight() const;
    int getWidthNextPow() const;
    int getHeightNextPow() const;

private:
    unsigned int texture;
    int width;         // of the rendered text, in pixels
    int height;
    int widthNextPow;  // of the texture, a power of two
    int heightNextPow;
};
