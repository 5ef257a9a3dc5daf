#pragma once

#include "services/CSingleton.h"

#include <SDL/SDL_ttf.h>

#include <functional>
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

    // Where a draw of t at x puts its characters on screen, in overlay x:
    // from the left edge of the first shown character's box to the right
    // edge of the last one's, the border's fattening included. Blanks (and
    // "_", drawn as one) only move the pen. left > right when nothing shows.
    struct Span {
        double left;
        double right;
    };
    Span textSpan(const std::string& t, double x, double sx, double spacing, int align, int b);
    // How far a blank moves the pen at scale sx, in overlay x.
    double blankWidth(double sx, double spacing, int align);

    // One call of draw, with where its characters stand.
    struct DrawnText {
        std::string text;
        double x, y, sx, sy, spacing;
        int align, border;
        Span span;
    };
    // Told of every text drawn from now on, so that the layout of a screen
    // can be read back as it is drawn; an empty function stops it.
    void setDrawListener(std::function<void(const DrawnText&)> listener);

    bool hasFont() const;
    std::size_t getCacheSize() const;

    static int round(double v);
    static int nextpoweroftwo(int v);
    // 0.95 for the 5:4 class, 1.1 for 16:9, 1 otherwise.
    static double aspectFactor(int aspectClass);
    static std::string cacheKey(const std::string& t, int b);

private:
    // draw's scaling at size sx: H / 1000 x sx x scale x aspect factor.
    double toScreen(double sx) const;
    // Spacing unit m of draw for the resolution in force.
    double spacingUnit(double spacing, int align) const;
    // Calls place(character, texture, left) for each character of t that
    // has a texture, left being its quad's left edge before draw's scaling.
    void layOut(const std::string& t, double spacing, int align, int b,
                const std::function<void(const std::string&, TexChar*, double)>& place);

    OptionsManager* options;
    ColorManager* colors;
    std::map<std::string, TexChar*> cache;
    double scale;
    TTF_Font* font;
    std::function<void(const DrawnText&)> drawListener;
};
