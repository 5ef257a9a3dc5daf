#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "PlayerWorld.h"
#include "platform/GameRandom.h"
#include "services/ClavierManager.h"
#include "services/SonsManager.h"
#include "world/Bloc.h"
#include "world/Joueur.h"
#include "world/NiveauManager.h"

// Every test starts from the default settings (game messages on, one
// player), released keys and the game's own random numbers.
class JoueurTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        platform::setGameRandomSource({});
        playertest::relacherTout();
        playertest::reglerMessages(true);
        playertest::reglerJoueurs(1);
    }
    void TearDown() override
    {
        joueur.reset();
        NiveauManager::kill();
        platform::setGameRandomSource({});
    }

    // Loads the level and makes player 1 with the level's time limit.
    Joueur& commencer(const std::string& text)
    {
        EXPECT_TRUE(playertest::chargerNiveau("Test", text));
        joueur = std::make_unique<Joueur>(1);
        joueur->setTemps(NiveauManager::getInstance()->levelTime);
        clock = 0;
        return *joueur;
    }

    void pas(long dt = 16) { playertest::pas(*joueur, dt, clock); }
    // Frames of dt until the condition holds or ms have passed; true when it held.
    template <typename F>
    bool jusqua(F condition, long ms, long dt = 16)
    {
        for (long t = 0; t < ms; t += dt) {
            pas(dt);
            if (condition())
                return true;
        }
        return false;
    }

    // Words of the "Sound" events recorded so far.
    std::vector<std::string> sons()
    {
        std::vector<std::string> mots;
        const Ghost run = joueur->getGhost();
        for (const Instruction& i : run.getInstructions()) {
            EXPECT_EQ(i.getInstruction(), "Sound");
            mots.push_back(i.getParameter());
        }
        return mots;
    }

    NiveauManager* niveau() { return NiveauManager::getInstance(); }
    Bloc* bloc(int row, int col) { return niveau()->grid[row][col]; }

    std::unique_ptr<Joueur> joueur;
    long clock = 0;
};
