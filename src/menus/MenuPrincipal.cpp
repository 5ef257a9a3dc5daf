#include "menus/MenuPrincipal.h"

#include "services/CTextureManager.h"
#include "services/ColorManager.h"
#include "services/LangManager.h"
#include "services/OptionsManager.h"

namespace {

const char* const kItemKeys[] = {"solo", "singleMap", "multi", "scores", "options", "exit"};

} // namespace

MenuPrincipal::MenuPrincipal() : Menu(0, 0, 1, 1), lang(LangManager::getInstance())
{
    CTextureManager* textures = CTextureManager::GetInstance();
    background = textures->LoadPNG(backgroundPath("menu.png"), 0);
    for (int k = 0; k < kSlides; ++k)
        slides[k] = textures->LoadPNG(backgroundPath("menu" + std::to_string(k + 1) + ".png"), 0);
    nom = "MenuPrincipal";
    slideAlpha[0] = 1.0;
    slideAlpha[1] = slideAlpha[2] = slideAlpha[3] = 0.0;
    repeatTimer = 0;
    itemCount = 6;
    slideClock = 0;
    for (const char* key : kItemKeys)
        labels.push_back(lang->get(key));
}

void MenuPrincipal::slideOpacities(int c, double alpha[kSlides])
{
    for (int k = 0; k < kSlides; ++k)
        alpha[k] = 0.0;
    // Each picture holds for 4 s, then fades into the next in 1 s; the last
    // fades back into the first.
    const int turn = kSlideCycle / kSlides;
    for (int k = 0; k < kSlides; ++k) {
        const int start = k * turn;
        if (c >= start && c < start + turn - 1000) {
            alpha[k] = 1.0;
            return;
        }
        const int fadeStart = start + turn - 1000;
        const bool last = k == kSlides - 1;
        if (c >= fadeStart && (c < fadeStart + 1000 || (last && c == kSlideCycle))) {
            const float f = static_cast<float>(c - fadeStart) / 1000.0f;
            alpha[(k + 1) % kSlides] = f;
            alpha[k] = 1.0f - f;
            return;
        }
    }
}

void MenuPrincipal::refresh(long dt)
{
    Menu::refresh(dt);
    slideClock += static_cast<int>(dt);
    if (slideClock > kSlideCycle)
        slideClock -= kSlideCycle;
    slideOpacities(slideClock, slideAlpha);
}

void MenuPrincipal::draw()
{
    drawBackground();
    for (int k = 0; k < kSlides; ++k) {
        colors->setColor(1.0, 1.0, 1.0, slideAlpha[k]);
        drawImage(slides[k]);
        colors->restore();
    }
    drawTitleAndItems();
    drawSelectionShade();
}

void MenuPrincipal::reset()
{
    code = 0;
    selection = 1;
}
