#include "world/Joueur.h"

#include <algorithm>
#include <cmath>

#include "platform/GameRandom.h"
#include "services/ClavierManager.h"
#include "services/DebugManager.h"
#include "services/OptionsManager.h"
#include "services/SonsManager.h"
#include "world/Bloc.h"
#include "world/NiveauManager.h"

namespace {

// Milliseconds value of a timed state that has ended and already sounded.
constexpr double kEtatFini = -9999;

// Steering: starting acceleration (units/s per ms) and its growth per ms once
// a direction has been held for 300 ms.
constexpr float kAccelZ = 0.002f;
constexpr float kAccelX = 0.004f;
constexpr double kCroissanceZ = 0.00001 / 50;
constexpr double kCroissanceX = 0.0005 / 50;
constexpr float kTempsAccelMax = 300;
constexpr float kVitesseMaxZ = 4;
constexpr float kVitesseMaxX = 6;

// The types a random block (16) can turn into.
const int kTypesAleatoires[17] = {2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 15, 30, 31, 32, 33};

// Points under the player tested for ground, in order.
const float kSondes[9][2] = {
    {0, 0}, {0, 0.07f}, {0, -0.1f}, {0.05f, 0}, {-0.05f, 0},
    {0.05f, 0.07f}, {-0.05f, 0.07f}, {0.05f, -0.1f}, {-0.05f, -0.1f},
};

enum SonAtterrissage { kSonRebond, kSonBonus, kSonMalus, kSonRebond2, kSonOpen, kSansSon };

float moveFloat(float value, float speed, long dt)
{
    return static_cast<float>(value + static_cast<double>(speed) * dt / 1000.0);
}

} // namespace

Joueur::Joueur(int num)
    : Objet3DMobile(),
      clavier(nullptr),
      textures(nullptr),
      sons(nullptr),
      niveau(nullptr),
      options(nullptr),
      debug(DebugManager::GetInstance()),
      modeSolo(true),
      numJoueur(num),
      tempsAnimation(0),
      tempsAbsolu(0),
      accelZ(0),
      accelX(0),
      tempsAccelZ(0),
      tempsAccelX(0),
      etat(kJeu),
      animation(0),
      peusenteur(0.17f),
      temps(0),
      nbBips(10),
      color(0),
      sauvegardeValide(false),
      sauvegardeX(0),
      sauvegardeZ(0),
      cameraX(0),
      cameraY(0),
      cameraZ(0),
      rx(0),
      ry(0),
      rz(0),
      vies(0),
      modelesCharges(false)
{
    init();
}

Joueur::~Joueur()
{
    modelSilhouette.FreeModel();
    modelCorps.FreeModel();
}

void Joueur::init()
{
    debug->o("Joueur", "init", true, "Initialize player");
    setVies(3);
    initJoueur();
    options = OptionsManager::getInstance();
}

void Joueur::prendreServices()
{
    if (ClavierManager::clavier == nullptr)
        ClavierManager::clavier = new ClavierManager();
    clavier = ClavierManager::clavier;
    sons = SonsManager::getInstance();
    niveau = NiveauManager::getInstance();
    options = OptionsManager::getInstance();
    debug = DebugManager::GetInstance();
}

void Joueur::initJoueur()
{
    prendreServices();
    resetPosition();
    etat = kJeu;
    animation = 0;
    tempsAnimation = 0;
    peusenteur = 0.17f;
    viderAccelerations();
    vx = vy = vz = 0;
    rx = ry = rz = 0;
    tempsAbsolu = 0;
    nbBips = 10;
    // The settings count players from 0; the ghost body has its own skin.
    color = (numJoueur == 1 || numJoueur == 2) ? options->getColor(numJoueur - 1, 0) : 0;
    ghost = Ghost();
    abnormalStates.clear();
    // A respawn point of an earlier level or attempt must not be used here.
    sauvegardeValide = false;
    sauvegardeX = sauvegardeZ = 0;
}

void Joueur::resetPosition()
{
    x = niveau->cols * 0.5f;
    y = 0;
    z = static_cast<float>(niveau->rows - 2);
    cameraX = x;
    cameraY = 0;
    cameraZ = z;
}

void Joueur::resetDeplacement()
{
    y = 0;
    viderAccelerations();
}

void Joueur::viderAccelerations()
{
    accelZ = accelX = 0;
    tempsAccelZ = tempsAccelX = 0;
}

void Joueur::setX(float nx)
{
    x = nx;
    cameraX = nx;
}

int Joueur::getNumJoueur() { return numJoueur; }
float Joueur::getCameraX() { return cameraX; }
float Joueur::getCameraY() { return cameraY; }
float Joueur::getCameraZ() { return cameraZ; }
float Joueur::getRX() { return rx; }
float Joueur::getRY() { return ry; }
float Joueur::getRZ() { return rz; }
Ghost Joueur::getGhost() { return ghost; }

void Joueur::setRXYZ(float nrx, float nry, float nrz)
{
    rx = nrx;
    ry = nry;
    rz = nrz;
}

int Joueur::getColor() { return color; }
bool Joueur::vivant() { return etat != kHorsJeu; }

void Joueur::perdreVie()
{
    if (vies > 0)
        --vies;
    // Losing a life ends the transparency, with its closing sound next frame.
    auto it = abnormalStates.find("transparent");
    if (it != abnormalStates.end() && it->second > 0)
        it->second = -1;
}

void Joueur::gagnerVie()
{
    if (vies <= 5)
        ++vies;
}

void Joueur::setVies(int n) { vies = std::max(0, n); }
int Joueur::getVies(bool) { return vies; }
float Joueur::getPeusenteur() { return peusenteur; }

void Joueur::setTemps(int seconds)
{
    temps = seconds * 1000.0f;
    nbBips = std::min(seconds, 10);
}

int Joueur::getTemps() { return static_cast<int>(temps / 1000); }
int Joueur::getTempsAbsolu() { return tempsAbsolu; }
bool Joueur::enJeu() { return etat == kJeu; }
void Joueur::setModeSolo(bool solo) { modeSolo = solo; }
void Joueur::setEtat(int e) { etat = e; }
int Joueur::getEtat() { return etat; }
void Joueur::setAnimation(int a) { animation = a; }
int Joueur::getAnimation() { return animation; }
int Joueur::getTempsAnimation() { return tempsAnimation; }
bool Joueur::niveauTermine() { return etat == kTermine; }

void Joueur::addAbnormalState(std::string name, double ms)
{
    abnormalStates[name] = ms;
}

double Joueur::getAbnormalState(std::string name)
{
    auto it = abnormalStates.find(name);
    return it == abnormalStates.end() ? -1 : it->second;
}

void Joueur::refreshAbnormalStates(long dt)
{
    for (auto& entry : abnormalStates) {
        entry.second -= dt;
        if (entry.second < 0 && entry.second > kEtatFini) {
            sons->jouerSon(sons->beep3);
            entry.second = kEtatFini;
        }
    }
}

void Joueur::refresh(long dt, long now)
{
    tempsAbsolu = static_cast<int>(now);
    if (etat == kJeu || etat == kChute)
        pesenteur(dt);
    gestionDeplacements(dt);
    if (y > -200) {
        x = moveFloat(x, vx, dt);
        z = moveFloat(z, vz, dt);
        y = moveFloat(y, vy, dt);
    }
    collision(dt);
    refreshAbnormalStates(dt);
    ghost.addPosition(Position(tempsAbsolu, getX(), getY(), getZ(), getRX(), getRY(), getRZ()));

    switch (etat) {
    case kFinArrivee:
        if (tempsAnimation > 0) {
            tempsAnimation -= static_cast<int>(dt);
        } else {
            tempsAnimation = 0;
            etat = kTermine;
            verifierMusique(true);
        }
        break;
    case kFinVies:
    case kFinTemps:
        if (tempsAnimation > 0) {
            tempsAnimation -= static_cast<int>(dt);
            if (etat == kFinVies) {
                vx = vz = 0;
                // A body already below -1 keeps falling.
                if (y > -1)
                    vy = 0;
            }
        } else {
            setVies(0);
            tempsAnimation = 0;
            etat = kHorsJeu;
            verifierMusique(false);
        }
        break;
    case kJeu:
        switch (animation) {
        case 0:
            cameraX = x;
            cameraY = 0;
            cameraZ = z;
            break;
        case 3:
            cible.refresh(dt);
            [[fallthrough]];
        case 1:
        case 2:
            cameraX = x;
            cameraY = y / 3;
            cameraZ = z;
            break;
        default:
            break;
        }
        temps -= dt;
        if (temps < nbBips * 1000.0f && nbBips > 0) {
            --nbBips;
            sons->jouerSon(sons->noTime);
        }
        gestionMorts();
        break;
    default:
        break;
    }
}

void Joueur::verifierMusique(bool finNiveau)
{
    Mix_Music* fin = finNiveau ? sons->finNiveau : sons->gameOver;
    if (options->getNbJoueurs() == 2 && fin != nullptr && sons->getMusique() == fin) {
        sons->chargerMusique(sons->game);
        sons->jouerMusique(-1);
    }
}

bool Joueur::estPresse(int action, int joueur)
{
    return clavier->keyState[action][joueur] == 1;
}

void Joueur::gestionDeplacements(long dt)
{
    if (etat == kJeu) {
        const int moi = (numJoueur == 2) ? 1 : 0;
        const bool joystick = clavier->joystickUsed[moi];
        const double axeX = joystick ? clavier->joystickAxis[moi] : 0;
        const double axeZ = joystick ? clavier->joystickAxis[2 + moi] : 0;
        auto presse = [&](int action) {
            return estPresse(action, moi) || (modeSolo && estPresse(action, 1));
        };

        const bool avant = presse(ClavierManager::UP) || (joystick && axeZ < vz * 0.25);
        const bool arriere = !avant
            && (presse(ClavierManager::DOWN) || (joystick && axeZ > vz * 0.25));
        if (avant || arriere) {
            const float sens = avant ? -1.0f : 1.0f;
            if (accelZ * sens < kAccelZ) {
                accelZ = sens * kAccelZ;
                tempsAccelZ = 0;
            }
            if (tempsAccelZ < kTempsAccelMax)
                tempsAccelZ += dt;
            else
                accelZ = static_cast<float>(accelZ + sens * dt * kCroissanceZ);
            vz = static_cast<float>(vz + static_cast<double>(accelZ) * dt);
        } else {
            accelZ = 0;
            tempsAccelZ = 0;
        }

        const bool gauche = presse(ClavierManager::LEFT) || (joystick && axeX < vx / 6);
        const bool droite = !gauche
            && (presse(ClavierManager::RIGHT) || (joystick && axeX > vx / 6));
        if (gauche || droite) {
            const float sens = gauche ? -1.0f : 1.0f;
            if (accelX * sens < kAccelX) {
                accelX = sens * kAccelX;
                tempsAccelX = 0;
            }
            if (tempsAccelX < kTempsAccelMax)
                tempsAccelX += dt;
            else
                accelX = static_cast<float>(accelX + sens * dt * kCroissanceX);
            vx = static_cast<float>(vx + static_cast<double>(accelX) * dt);
        } else {
            accelX = 0;
            tempsAccelX = 0;
        }

        vz = std::max(-kVitesseMaxZ, std::min(kVitesseMaxZ, vz));
        vx = std::max(-kVitesseMaxX, std::min(kVitesseMaxX, vx));
    } else if (etat == kChute) {
        repositionner();
    }
}

void Joueur::repositionner()
{
    const int cx = static_cast<int>(x + 0.5f);
    const int cz = static_cast<int>(z + 0.4f);
    vx = (x > cx + 0.2f) ? -1.0f : (x < cx - 0.2f) ? 1.0f : 0.0f;
    vz = (z > cz + 0.2f) ? -1.0f : (z < cz - 0.2f) ? 1.0f : 0.0f;
}

bool Joueur::pointSur(float px, float pz)
{
    Bloc* b = niveau->getBloc(px, pz);
    if (b != nullptr && b->isSolid())
        return true;
    for (Bloc* m : niveau->mobileBlocks) {
        if (m != nullptr && std::abs(m->getX() - px) < 0.5f && std::abs(m->getZ() - pz) < 0.5f)
            return true;
    }
    return false;
}

void Joueur::pesenteur(long dt)
{
    vy = static_cast<float>(vy - dt * static_cast<double>(peusenteur) / 20);
    if (etat != kChute || y >= -2)
        return;

    perdreVie();
    if (getVies(false) < 1) {
        gestionMorts();
        return;
    }
    if (sauvegardeValide && pointSur(sauvegardeX, sauvegardeZ)) {
        // The camera point follows at the next frame.
        x = sauvegardeX;
        z = sauvegardeZ;
    } else {
        resetPosition();
    }
    y = 0;
    vx = vy = vz = 0;
    viderAccelerations();
    etat = kJeu;
}

void Joueur::gestionMorts()
{
    const bool messages = options->isGameMessages(0);
    if (getVies(false) <= 0) {
        if (messages) {
            etat = kFinVies;
            animation = 5;
            tempsAnimation = kDureeAnimation;
            sons->chargerMusique(sons->gameOver);
            sons->jouerMusique(1);
        } else {
            etat = kHorsJeu;
            animation = 0;
        }
        vx = vz = 0;
    }
    if (temps <= 0) {
        temps = 0;
        if (messages) {
            etat = kFinTemps;
            animation = 4;
            tempsAnimation = kDureeAnimation;
            sons->chargerMusique(sons->gameOver);
            sons->jouerMusique(1);
        } else {
            etat = kHorsJeu;
            animation = 0;
        }
        vx = vy = vz = 0;
    }
}

void Joueur::jouerSonAtterrissage(int sorte)
{
    Mix_Chunk* son = nullptr;
    int canal = 0;
    const char* mot = nullptr;
    switch (sorte) {
    case kSonRebond: son = sons->bound; canal = 2; mot = "rebond"; break;
    case kSonBonus: son = sons->bonus; canal = 3; mot = "bonus"; break;
    case kSonMalus: son = sons->malus; canal = 4; mot = "malus"; break;
    case kSonRebond2: son = sons->bound2; canal = 5; mot = "rebond2"; break;
    case kSonOpen: son = sons->open; canal = 6; mot = "open"; break;
    default: return;
    }
    sons->jouerSonUnique(son, canal);
    ghost.getInstructions().push_back(Instruction(tempsAbsolu, "Sound", mot));
}

void Joueur::sauvegardePosition(float px, float pz)
{
    const float sx = static_cast<float>(static_cast<int>(px + 0.5f));
    const float sz = static_cast<float>(static_cast<int>(pz + 0.5f));
    if (pointSur(sx, sz)) {
        sauvegardeX = sx;
        sauvegardeZ = sz;
        sauvegardeValide = true;
    }
}

void Joueur::collision(long)
{
    if (!(y < 0 && etat == kJeu))
        return;

    bool contact = false;
    float px = x;
    float pz = z;
    for (const auto& sonde : kSondes) {
        if (niveau->collision(x + sonde[0], z + sonde[1], true, false)) {
            px = x + sonde[0];
            pz = z + sonde[1];
            contact = true;
            break;
        }
    }

    int type = -1;
    if (contact) {
        Bloc* b = niveau->getBloc(px, pz);
        if (b == nullptr)
            b = niveau->getMobileBloc(px, pz);
        if (b != nullptr)
            type = b->getType();
    }

    if (type < 0) {
        debug->o("Joueur", "collision", true, "Fall in a hole");
        animation = 0;
        etat = kChute;
        jouerSonAtterrissage(kSonMalus);
        return;
    }

    debug->o("Joueur", "collision", true, "Collide with a bloc", static_cast<double>(type));
    y = 0;
    if (type == 16) {
        const int index = (platform::gameRandom() * 17) >> 15;
        niveau->utiliser(px, pz);
        type = kTypesAleatoires[index];
    }
    appliquerType(type, px, pz);
}

void Joueur::appliquerType(int type, float px, float pz)
{
    int son = kSonRebond;
    int anim = 0;
    bool changeVy = true;
    float nvy = 5;
    bool vider = true;
    bool utiliser = false;
    bool sauver = false;
    bool trou = false;
    // Speed effects run after the sound and the animation, in row order.
    auto pousserAvant = [this](float lent, float vite) {
        vz = (vz <= -lent) ? -vite : -lent;
        vx = 0;
    };
    auto accelerer = [this]() {
        vx *= 1.4f;
        vz *= 1.4f;
    };

    if (type == 1 || type == Bloc::usedType || (type >= 200 && type <= 299)) {
        sauver = true;
    } else if ((type >= 21 && type <= 26) || (type >= 50 && type <= 61) || (type >= 300 && type <= 399)) {
        // plain bounce
    } else if (type == 20) {
        son = kSonOpen;
        utiliser = true;
    } else if (type == 27 || type == 28) {
        utiliser = true;
    } else if (type == 2 || type == 3 || type == 30 || type == 31 || type == 32 || type == 33) {
        const bool bonus = (type == 2 || type == 30 || type == 32);
        son = bonus ? kSonBonus : kSonMalus;
        anim = 1;
        nvy = (type == 3) ? 2.5f : 5.5f;
        utiliser = true;
    } else if (type == 34) {
        son = kSonMalus;
        nvy = 5.5f;
        utiliser = true;
    } else if ((type >= 4 && type <= 15)) {
        son = kSonRebond2;
        anim = (type == 9) ? 3 : 2;
        nvy = (type <= 8) ? 6.0f : (type == 9) ? 9.0f : (type == 11 || type == 12) ? 5.0f : 7.0f;
        utiliser = (type <= 8 || type == 11);
    } else if (type == 17) {
        son = kSansSon;
        nvy = 0;
        vider = false;
    } else if (type == 100) {
        nvy = 0;
    } else {
        // Every other type is a hole.
        son = kSonMalus;
        changeVy = false;
        vider = false;
        trou = true;
    }

    jouerSonAtterrissage(son);
    if (type != 100)
        animation = anim;
    if (changeVy)
        vy = nvy;

    switch (type) {
    case 2: accelerer(); gagnerVie(); break;
    case 3: vx = vz = 0; perdreVie(); break;
    case 4: pousserAvant(2, 4); break;
    case 5: vz = (vz >= 2) ? 4.0f : 2.0f; vx = 0; break;
    case 6: vx = (vx <= -3) ? -6.0f : -3.0f; vz = 0; break;
    case 7: vx = (vx >= 3) ? 6.0f : 3.0f; vz = 0; break;
    case 8:
        switch (platform::gameRandom() % 4) {
        case 0: vx = (vx >= 3) ? 6.0f : 3.0f; vz = 0; break;
        case 1: vx = (vx <= -3) ? -6.0f : -3.0f; vz = 0; break;
        case 2: vz = (vz >= 2) ? 4.0f : 2.0f; vx = 0; break;
        default: pousserAvant(3, 6); break;
        }
        break;
    case 10: vz = -4; break;
    case 11: vx *= 0.5f; vz *= 0.5f; break;
    case 12: vx = vz = 0; break;
    case 13: vz = 4; break;
    case 14: vx = 4; break;
    case 15: vx = -4; break;
    case 30:
        nbBips = 10;
        accelerer();
        temps += 10000;
        break;
    case 31:
        accelerer();
        temps -= 10000;
        if (temps / 1000 < 10)
            nbBips = static_cast<int>(temps / 1000);
        break;
    case 32:
        peusenteur = (peusenteur == 0.2f) ? 0.17f : 0.12f;
        accelerer();
        break;
    case 33:
        peusenteur = (peusenteur == 0.12f) ? 0.17f : 0.2f;
        accelerer();
        break;
    case 34: {
        const double v = getAbnormalState("transparent");
        debug->o("Joueur.h", "collision", true, "Valeur transp : ", v);
        if (v <= 0)
            addAbnormalState("transparent", 6000);
        else if (v < 3000)
            addAbnormalState("transparent", 6000 - v);
        accelerer();
        break;
    }
    case 100:
        vx = vy = vz = 0;
        if (options->getNbJoueurs() == 2) {
            etat = kFinArrivee;
            animation = 6;
            tempsAnimation = kDureeAnimation;
            sons->chargerMusique(sons->finNiveau);
            sons->jouerMusique(1);
        } else {
            etat = kTermine;
        }
        break;
    default:
        break;
    }

    if (vider) {
        viderAccelerations();
        y = 0;
    }
    if (trou)
        etat = kChute;
    if (utiliser)
        niveau->utiliser(px, pz);
    if (sauver)
        sauvegardePosition(px, pz);
}
