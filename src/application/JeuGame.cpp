#include "application/Jeu.h"

#include "services/ClavierManager.h"
#include "services/ColorManager.h"

#include <GL/gl.h>

void Jeu::boucle(std::string level)
{
    (void)level;
    menuMode = 0;
    runLoop(false);
    teardownRun();
}

void Jeu::refresh(long dt)
{
    (void)dt;
    if (menuMode == 1)
        SDL_Delay(30);
}

void Jeu::draw()
{
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    SDL_GL_SwapBuffers();
}

void Jeu::teardownRun()
{
    delete ClavierManager::clavier;
    ClavierManager::clavier = nullptr;
    clavier = nullptr;
    delete CSingleton<ColorManager>::m_Singleton;
    CSingleton<ColorManager>::m_Singleton = nullptr;
}
