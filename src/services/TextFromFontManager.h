#pragma once

#include "services/CSingleton.h"

#include <SDL/SDL_ttf.h>

#include <map>
#include <string>

class OptionsManager;
class ColorManager;
class TexChar;

// Draws every visible text from "Fonts/Comfortaa.ttf" in the normalised 2-D
// overlay, one cached texture per character and border width.
// Instance: CSingleton<TextFromFontManager>::GetInstance(); needs TTF_Init
// and a GL context.
class TextFromFontManager : public CSingleton<TextFromFontManager> {
public:
    TextFromFontManager();
    ~TextFromFontManager();

    // The texture of text t fattened by border percentage b; null when the
    // font is missing or the text cannot be rendered.
    TexChar* getTexChar(std::string t, int b);

    // align: 1 left, 2 right, 3 centred (proportional spacing);
    // 4 left, 5 right, 6 centred (fixed spacing). color: r, g, b, a.
    void draw(std::string t, double* color, double x, double y, double sx, double sy,
              double spacing, int align, int b);
    void drawWithBorder(std::string t, double* color, double* borderColor, double x, double y,
                        double sx, double sy, double spacing, int align, int b);

    // Width of t in texture pixels and where its first character starts,
    // relative to x, as draw places them.
    double largeurTexte(const std::string& t, double spacing, int align, int b);
    double debutTexte(const std::string& t, double spacing, int align, int b);

    bool hasFont() const;
    std::size_t getCacheSize() const;

    static int round(double v);
    static int nextpoweroftwo(int v);
    // 0.95 for the 5:4 class, 1.1 for 16:9, 1 otherwise.
    static double aspectFactor(int aspectClass);
    static std::string cacheKey(const std::string& t, int b);

private:
    // Spacing unit m of draw for the resolution in force.
    double spacingUnit(double spacing, int align) const;

    OptionsManager* options;
    ColorManager* colors;
    std::map<std::string, TexChar*> cache;
    double scale;
    TTF_Font* font;
};
