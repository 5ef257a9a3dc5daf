#include "application/Jeu.h"

#include "application/FrameTiming.h"
#include "application/KeyStateUpdater.h"
#include "menus/PreMenu.h"
#include "platform/Sleep.h"
#include "platform/Termination.h"
#include "records/GhostManager.h"
#include "records/LevelScoresManager.h"
#include "records/SendScoreManager.h"
#include "services/CTextureManager.h"
#include "services/ClavierManager.h"
#include "services/DebugManager.h"
#include "services/LangManager.h"
#include "services/LightManager.h"
#include "services/OptionsManager.h"
#include "services/SonsManager.h"

#include <GL/gl.h>
#include <SDL/SDL_mixer.h>
#include <SDL/SDL_ttf.h>
#include <cstdio>
#include <cstdlib>
#include <iostream>

namespace {

// Light and material of the scene, set once by initGL.
const GLfloat kLightColour[4] = {1.0f, 1.0f, 1.0f, 1.0f};
const GLfloat kLightPosition[4] = {-2.0f, 1.0f, 2.0f, 0.0f};
const GLfloat kMaterialAmbient[4] = {0.2f, 0.2f, 0.2f, 1.0f};
const GLfloat kMaterialEmission[4] = {0.0f, 0.0f, 0.0f, 0.0f};

const Uint32 kWindowFlags = SDL_HWSURFACE | SDL_ASYNCBLIT | SDL_OPENGL;
const Uint32 kFullScreenFlags = SDL_FULLSCREEN | kWindowFlags;

#ifndef GL_MULTISAMPLE
#define GL_MULTISAMPLE 0x809D
#endif

} // namespace

Jeu::Jeu()
    : menuMode(1), currentMenu(nullptr), options(nullptr), clavier(nullptr), niveau(nullptr),
      lang(nullptr), textures(nullptr), light(nullptr), sendScore(nullptr), levelScores(nullptr),
      ghosts(nullptr), debug(nullptr), gameManager(nullptr), sons(nullptr), screen(nullptr),
      width(0), height(0), quit(false)
{
    fetchServices(false);
    startUp();
    boucle();
}

Jeu::Jeu(std::string level)
    : menuMode(1), currentMenu(nullptr), options(nullptr), clavier(nullptr), niveau(nullptr),
      lang(nullptr), textures(nullptr), light(nullptr), sendScore(nullptr), levelScores(nullptr),
      ghosts(nullptr), debug(nullptr), gameManager(nullptr), sons(nullptr), screen(nullptr),
      width(0), height(0), quit(false)
{
    fetchServices(true);
    currentMenu = nullptr;
    startUp();
    boucle(level);
}

Jeu::Jeu(NoStart)
    : menuMode(1), currentMenu(nullptr), options(nullptr), clavier(nullptr), niveau(nullptr),
      lang(nullptr), textures(nullptr), light(nullptr), sendScore(nullptr), levelScores(nullptr),
      ghosts(nullptr), debug(nullptr), gameManager(nullptr), sons(nullptr), screen(nullptr),
      width(0), height(0), quit(false)
{
    fetchServices(false);
}

Jeu::~Jeu()
{
    delete currentMenu;
}

void Jeu::fetchServices(bool commandLineOrder)
{
    // The key bindings come first: they make the data-file service, which
    // makes the player's folder tree.
    if (ClavierManager::clavier == nullptr)
        ClavierManager::clavier = new ClavierManager();
    clavier = ClavierManager::clavier;
    options = OptionsManager::getInstance();
    if (!commandLineOrder)
        debug = DebugManager::GetInstance();
    sons = SonsManager::getInstance();
    lang = LangManager::getInstance();
    if (LightManager::light == nullptr)
        LightManager::light = new LightManager();
    light = LightManager::light;
    sendScore = SendScoreManager::getInstance();
    if (commandLineOrder)
        debug = DebugManager::GetInstance();
    levelScores = LevelScoresManager::getInstance();
    ghosts = GhostManager::getInstance();
}

void Jeu::startUp()
{
    lang->charger();
    quit = false;
    width = options->getLargeur(0);
    height = options->getHauteur(0);
    menuMode = 1;
    initSDL();
    initSons();
    initGL();
    initTexture();
    resize(width, height);
}

void Jeu::initSDL()
{
    if (!options->isFullScreen(0))
        setenv("SDL_VIDEO_WINDOW_POS", "center", 1);

    // A termination signal asks the loop to end; SDL keeps a handler that
    // is already there.
    platform::installTerminationHandler();
    // Without video there is no game, and the window calls below would
    // crash: end as when no video mode opens. (No sound is not a failure.)
    if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_AUDIO | SDL_INIT_JOYSTICK) < 0) {
        const std::string reason = SDL_GetError();
        debug->o("Jeu", "initSDL", false, "SDL cannot start : ", reason);
        std::cerr << "Korvelin: cannot start the video: " << reason << std::endl;
        std::exit(1);
    }
    atexit(SDL_Quit);

    SDL_WM_SetCaption("Korvelin", nullptr);
    if (SDL_RWops* icon = SDL_RWFromFile("Images/Logo/logo.bmp", "rb")) {
        if (SDL_Surface* surface = SDL_LoadBMP_RW(icon, 1)) {
            SDL_WM_SetIcon(surface, nullptr);
            SDL_FreeSurface(surface);
        }
    }
    SDL_ShowCursor(SDL_DISABLE);

    debug->o("Jeu", "initSDL", true, "Nombre de joysticks : ", SDL_NumJoysticks());
    for (int i = 0; i < SDL_NumJoysticks() && i <= 1; ++i) {
        debug->o("Jeu", "initSDL", true, "Inititalisation du joystick : ", i);
        SDL_JoystickOpen(i);
    }

    openVideoMode();

    if (Mix_OpenAudio(22050, AUDIO_S16SYS, 2, 512) == -1)
        sons->setNoAudio(true);
    TTF_Init();
    debug->o("Jeu", "initSDL", true, "SDL initialized");
}

void Jeu::openVideoMode()
{
    const int samples = options->getAntiAliasing(0);
    bool multisample = false;
    if (samples > 0) {
        if (SDL_GL_SetAttribute(SDL_GL_MULTISAMPLESAMPLES, samples) == -1)
            SDL_GL_SetAttribute(SDL_GL_MULTISAMPLESAMPLES, 0);
        else
            multisample = true;
    }

    Uint32 flags = kWindowFlags;
    if (options->isFullScreen(0)) {
        if (!SDL_VideoModeOK(width, height, 32, kFullScreenFlags)) {
            options->setDefaultResolution();
            width = 800;
            height = 600;
        }
        if (SDL_VideoModeOK(width, height, 32, kFullScreenFlags))
            flags = kFullScreenFlags;
    } else if (!SDL_VideoModeOK(width, height, 32, kWindowFlags)) {
        options->setDefaultResolution();
        width = 800;
        height = 600;
    }
    screen = SDL_SetVideoMode(width, height, 32, flags);

    // A driver may refuse the multisampled mode: try again without it, then
    // a plain 800 x 600 window.
    if (screen == nullptr && multisample) {
        debug->o("Jeu", "initSDL", false, "Anti-aliasing refused : ", samples);
        SDL_GL_SetAttribute(SDL_GL_MULTISAMPLESAMPLES, 0);
        multisample = false;
        screen = SDL_SetVideoMode(width, height, 32, flags);
    }
    if (screen == nullptr) {
        debug->o("Jeu", "initSDL", false, "Video mode refused : ", std::string(SDL_GetError()));
        options->setDefaultResolution();
        width = 800;
        height = 600;
        flags = kWindowFlags;
        screen = SDL_SetVideoMode(width, height, 32, flags);
    }
    if (screen == nullptr) {
        std::cerr << "Korvelin: cannot open a video mode: " << SDL_GetError() << std::endl;
        std::exit(1);
    }
    if (flags & SDL_FULLSCREEN)
        SDL_ShowCursor(SDL_DISABLE);
    if (multisample)
        glEnable(GL_MULTISAMPLE);
}

void Jeu::initGL()
{
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    glEnable(GL_TEXTURE_2D);
    glShadeModel(GL_SMOOTH);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LESS);
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
    glPolygonMode(GL_FRONT, GL_FILL);

    glLightfv(GL_LIGHT0, GL_AMBIENT, kLightColour);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, kLightColour);
    glLightfv(GL_LIGHT0, GL_SPECULAR, kLightColour);
    glLightfv(GL_LIGHT0, GL_POSITION, kLightPosition);

    glMaterialfv(GL_FRONT, GL_AMBIENT, kMaterialAmbient);
    glMaterialfv(GL_FRONT, GL_DIFFUSE, kLightColour);
    glMaterialfv(GL_FRONT, GL_SPECULAR, kLightColour);
    glMaterialfv(GL_FRONT, GL_EMISSION, kMaterialEmission);
    glMaterialf(GL_FRONT, GL_SHININESS, 10.0f);

    glEnable(GL_LIGHT0);
    glEnable(GL_LIGHTING);
    glFrontFace(GL_CW);
    glEnable(GL_CULL_FACE);
    debug->o("Jeu", "initGL", true, "OpenGL initialized");
}

void Jeu::initTexture()
{
    textures = CTextureManager::GetInstance();
    textures->Initialize();
    debug->o("Jeu", "initTexture", true, "Textures initialized");
}

void Jeu::resize(int w, int h)
{
    if (h <= 0)
        h = 1; // a window can be shrunk to no height
    glViewport(0, 0, w, h);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    const float ratio = static_cast<float>(w) / static_cast<float>(h);
    glFrustum(-ratio, ratio, -1.0, 1.0, 1.5, options->getClipping(0));
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

void Jeu::boucle()
{
    currentMenu = new PreMenu();
    runLoop(true);
    teardownRun();
}

void Jeu::runLoop(bool pacing)
{
    unsigned int last = platform::ticksMs();
    while (!quit) {
        const long dt = frame_timing::frameDelta(platform::ticksMs(), last);
        last = platform::ticksMs();
        gestionClavier();
        refresh(dt);
        draw();
        if (platform::terminationRequested())
            quit = true;
        if (pacing) {
            const unsigned int pause = frame_timing::pacingDelay(platform::ticksMs() - last);
            if (pause > 0)
                platform::sleepMs(pause);
        }
    }
}

void Jeu::gestionClavier()
{
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
        switch (event.type) {
        case SDL_QUIT:
            // Closing the window ends the program at once; nothing is saved.
            std::exit(0);
        case SDL_VIDEORESIZE:
            resize(event.resize.w, event.resize.h);
            break;
        default:
            if (ClavierManager::clavier != nullptr)
                KeyStateUpdater::apply(*ClavierManager::clavier, event);
            break;
        }
    }
}
