#include "services/TextFromFontManager.h"

#include "services/ColorManager.h"
#include "services/DebugManager.h"
#include "services/OptionsManager.h"
#include "services/TexChar.h"
#include "services/Utf8.h"

#include <SDL/SDL.h>
#include <GL/gl.h>
#include <GL/glu.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

const char* const FONT_PATH = "Fonts/Comfortaa.ttf";

bool proportional(int align)
{
    return align >= 1 && align <= 3;
}

} // namespace

TextFromFontManager::TextFromFontManager()
    : options(OptionsManager::getInstance()),
      colors(CSingleton<ColorManager>::GetInstance()),
      scale(1.0),
      font(nullptr)
{
    bool high = options->getTextures(0) != 0;
    scale = high ? 1.0 : 4.9;
    font = TTF_OpenFont(FONT_PATH, high ? 100 : 20);
    if (font == nullptr)
        CSingleton<DebugManager>::GetInstance()->o("TextFromFontManager", "TextFromFontManager",
                                                    false, "The font couldn't be opened",
                                                    FONT_PATH);
}

TextFromFontManager::~TextFromFontManager()
{
    for (auto& entry : cache)
        delete entry.second;
    cache.clear();
    if (font != nullptr && TTF_WasInit())
        TTF_CloseFont(font);
}

bool TextFromFontManager::hasFont() const
{
    return font != nullptr;
}

std::size_t TextFromFontManager::getCacheSize() const
{
    return cache.size();
}

int TextFromFontManager::round(double v)
{
    return (int)(v + 0.5);
}

int TextFromFontManager::nextpoweroftwo(int v)
{
    if (v <= 1)
        return 1;
    return (int)(std::pow(2.0, std::ceil(std::log((double)v) / std::log(2.0))) + 0.5);
}

double TextFromFontManager::aspectFactor(int aspectClass)
{
    if (aspectClass == 3)
        return 0.95;
    if (aspectClass == 2)
        return 1.1;
    return 1.0;
}

std::string TextFromFontManager::cacheKey(const std::string& t, int b)
{
    return "***" + std::to_string(b) + "***" + t;
}

TexChar* TextFromFontManager::getTexChar(std::string t, int b)
{
    const std::string key = cacheKey(t, b);
    auto found = cache.find(key);
    if (found != cache.end())
        return found->second;
    if (font == nullptr || t.empty())
        return nullptr;

    std::string shown = t;
    if (shown[0] == '_')
        shown[0] = ' ';
    SDL_Color white = {255, 255, 255, 0};
    SDL_Surface* text = TTF_RenderUTF8_Blended(font, shown.c_str(), white);
    if (text == nullptr)
        return nullptr;

    const int w = text->w;
    const int h = text->h;
    const int e = (int)(b * h / 100.0);
    const int wp = nextpoweroftwo(w + 2 * e + 4);
    const int hp = nextpoweroftwo(h + 2 * e + 4);
    SDL_Surface* canvas = SDL_CreateRGBSurface(SDL_SWSURFACE, wp, hp, 32, 0xff0000, 0xff00, 0xff,
                                               0xff000000);
    if (canvas == nullptr) {
        SDL_FreeSurface(text);
        return nullptr;
    }
    SDL_FillRect(canvas, nullptr, 0);

    const int top = (int)(hp * 0.5 - h * 0.5);
    if (b < 1) {
        SDL_Rect at = {2, (Sint16)top, 0, 0};
        SDL_UpperBlit(text, nullptr, canvas, &at);
    } else {
        // 25 copies over a square of 2e pixels fatten the text by e.
        for (int i = 0; i < 5; ++i) {
            for (int j = 0; j < 5; ++j) {
                SDL_Rect at = {(Sint16)((i * e) / 2 + 2), (Sint16)((j * e) / 2 + top), 0, 0};
                SDL_UpperBlit(text, nullptr, canvas, &at);
            }
        }
    }

    // The text is white: its coverage becomes its opacity.
    SDL_LockSurface(canvas);
    for (int y = 0; y < hp; ++y) {
        Uint32* row = (Uint32*)((Uint8*)canvas->pixels + y * canvas->pitch);
        for (int x = 0; x < wp; ++x)
            row[x] = (row[x] & 0x00ffffffu) | ((row[x] & 0xffu) << 24);
    }

    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    gluBuild2DMipmaps(GL_TEXTURE_2D, 4, wp, hp, GL_RGBA, GL_UNSIGNED_BYTE, canvas->pixels);
    SDL_UnlockSurface(canvas);

    TexChar* made = new TexChar(texture, w, h, wp, hp);
    cache[key] = made;
    SDL_FreeSurface(canvas);
    SDL_FreeSurface(text);
    return made;
}

double TextFromFontManager::spacingUnit(double spacing, int align) const
{
    const double H = options->getHauteur(0);
    const double k = aspectFactor(options->getScale(0));
    if (proportional(align))
        return 9.6 * k / (H * scale);
    return spacing / scale;
}

double TextFromFontManager::largeurTexte(const std::string& t, double spacing, int align, int b)
{
    const double W = options->getLargeur(0);
    const double H = options->getHauteur(0);
    const double m = spacingUnit(spacing, align);
    if (!proportional(align))
        return (double)t.size() * m * H * 1280.0 / W;
    double r = 0;
    for (const std::string& character : Utf8::split(t)) {
        TexChar* tex = getTexChar(character, b);
        r += (tex != nullptr ? tex->getWidth() : 0) + m * H;
    }
    return r;
}

double TextFromFontManager::debutTexte(const std::string& t, double spacing, int align, int b)
{
    if (align == 1 || align == 4)
        return 0;
    const double r = largeurTexte(t, spacing, align, b);
    if (align == 2 || align == 5)
        return -r;
    return -r / 2;
}

void TextFromFontManager::layOut(const std::string& t, double spacing, int align, int b,
                                 const std::function<void(const std::string&, TexChar*, double)>& place)
{
    const double W = options->getLargeur(0);
    const double H = options->getHauteur(0);
    const double m = spacingUnit(spacing, align);
    const bool fixedPitch = !proportional(align);
    double p = debutTexte(t, spacing, align, b);
    for (const std::string& character : Utf8::split(t)) {
        TexChar* tex = getTexChar(character, b);
        if (tex == nullptr) {
            p += fixedPitch ? m * H * 1280.0 / W : m * H;
            continue;
        }
        const double w = tex->getWidth();
        const double h = tex->getHeight();
        const int v = (int)(b * h / 100.0);
        const double dx = -v / W;
        const double q = fixedPitch ? (((m / 2 * H) * 1280.0 / W - w) * 0.5) * H / (W * W) : 0;
        place(character, tex, p / W + dx + q);
        p += fixedPitch ? m * H * 1280.0 / W : w + m * H;
    }
}

double TextFromFontManager::toScreen(double sx) const
{
    const double H = options->getHauteur(0);
    return (H / 1000.0) * sx * scale * aspectFactor(options->getScale(0));
}

double TextFromFontManager::blankWidth(double sx, double spacing, int align)
{
    return largeurTexte(" ", spacing, align, 0) / options->getLargeur(0) * toScreen(sx);
}

TextFromFontManager::Span TextFromFontManager::textSpan(const std::string& t, double x, double sx,
                                                        double spacing, int align, int b)
{
    const double W = options->getLargeur(0);
    const double scaled = toScreen(sx);
    Span span = {1e300, -1e300};
    layOut(t, spacing, align, b, [&](const std::string& character, TexChar* tex, double left) {
        // The character stands 2 pixels into its texture, fattened by the
        // border on both sides; a blank, or "_" drawn as one, shows nothing.
        if (character == " " || character == "_")
            return;
        const int v = (int)(b * tex->getHeight() / 100.0);
        span.left = std::min(span.left, x + (left + 2.0 / W) * scaled);
        span.right = std::max(span.right, x + (left + (2.0 + 2 * v + tex->getWidth()) / W) * scaled);
    });
    return span;
}

void TextFromFontManager::setDrawListener(std::function<void(const DrawnText&)> listener)
{
    drawListener = std::move(listener);
}

void TextFromFontManager::draw(std::string t, double* color, double x, double y, double sx,
                               double sy, double spacing, int align, int b)
{
    if (t.empty())
        return;

    const double W = options->getLargeur(0);
    const double H = options->getHauteur(0);

    glPushMatrix();
    glTranslated(x, y, 0);
    glScaled(toScreen(sx), toScreen(sy), 1);
    layOut(t, spacing, align, b, [&](const std::string&, TexChar* tex, double left) {
        const double wp = tex->getWidthNextPow();
        const double hp = tex->getHeightNextPow();
        const double dy = (int)(b * tex->getHeight() / 100.0) / H;

        glEnable(GL_TEXTURE_2D);
        glBindTexture(GL_TEXTURE_2D, tex->getTexture());
        colors->setColor(color[0], color[1], color[2], color[3] * colors->getAlpha());

        const double right = left + wp / W;
        const double upper = hp / H * 0.5 + dy;
        const double lower = -hp / H * 0.5 + dy;
        glBegin(GL_QUADS);
        glTexCoord2d(0, 0);
        glVertex2d(left, upper);
        glTexCoord2d(1, 0);
        glVertex2d(right, upper);
        glTexCoord2d(1, 1);
        glVertex2d(right, lower);
        glTexCoord2d(0, 1);
        glVertex2d(left, lower);
        glEnd();

        colors->restore();
    });
    glPopMatrix();

    if (drawListener)
        drawListener(DrawnText{t, x, y, sx, sy, spacing, align, b,
                               textSpan(t, x, sx, spacing, align, b)});
}

void TextFromFontManager::drawWithBorder(std::string t, double* color, double* borderColor,
                                         double x, double y, double sx, double sy,
                                         double spacing, int align, int b)
{
    draw(t, borderColor, x, y, sx, sy, spacing, align, b);
    draw(t, color, x, y, sx, sy, spacing, align, 0);
}
