#include "world/BlocMobile.h"

#include "services/CTextureManager.h"
#include "services/OptionsManager.h"

#include <GL/gl.h>

#include <cmath>

namespace {

struct MobileKind {
    float speedX;
    float speedZ;
    int textureType;
};

// Types 50 to 61, in order: along z (image 50) or along x (image 52) at 1, 2
// or 3 units per second.
const MobileKind kinds[12] = {
    {0, -1, 50}, {0, 1, 50}, {-1, 0, 52}, {1, 0, 52},
    {0, -2, 50}, {0, 2, 50}, {-2, 0, 52}, {2, 0, 52},
    {0, -3, 50}, {0, 3, 50}, {-3, 0, 52}, {3, 0, 52},
};

} // namespace

bool BlocMobile::isMobileType(int type)
{
    return type >= 50 && type <= 61;
}

BlocMobile::BlocMobile(float x, float y, float z, int numero, int type)
    : Bloc(x, y, z, numero, type), speedX(0), speedZ(0), textureType(50), previousX(x), previousZ(z)
{
    if (isMobileType(type)) {
        const MobileKind& kind = kinds[type - 50];
        speedX = kind.speedX;
        speedZ = kind.speedZ;
        textureType = kind.textureType;
    }
    BlocMobile::init();
}

void BlocMobile::init()
{
    texture = textures->LoadTexture(texturePath(textureType), false, options->getAnisotrope(0));
}

void BlocMobile::compile() {}

void BlocMobile::draw()
{
    emitBlock(thinDepth);
}

void BlocMobile::refresh(long dt, double*)
{
    previousX = x;
    previousZ = z;
    z += static_cast<float>(dt) * speedZ / 1000.0f;
    x += static_cast<float>(dt) * speedX / 1000.0f;
}

void BlocMobile::invertX() { speedX = -speedX; }

void BlocMobile::invertZ() { speedZ = -speedZ; }

void BlocMobile::invert()
{
    speedX = -speedX;
    speedZ = -speedZ;
}

float BlocMobile::getSpeedX() { return speedX; }

float BlocMobile::getSpeedZ() { return speedZ; }

// +1 or -1; 0 for a block that does not move on that axis.
float BlocMobile::getSpeedXUnit() { return speedX == 0 ? 0.0f : speedX / std::fabs(speedX); }

float BlocMobile::getSpeedZUnit() { return speedZ == 0 ? 0.0f : speedZ / std::fabs(speedZ); }

void BlocMobile::replace()
{
    x = previousX;
    z = previousZ;
}
