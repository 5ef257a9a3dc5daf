#include "world/OmbreMobile.h"

#include <algorithm>

#include "world/Bloc.h"
#include "world/NiveauManager.h"

OmbreMobile::OmbreMobile() : Ombre() {}

bool OmbreMobile::decouperMobile(Morceau& m)
{
    Bloc* b = getNiveau()->getMobileBloc(x, z);
    if (b == nullptr)
        return false;
    // Cut to the block's square; the texture is cut with it, not squeezed.
    m.gauche = std::max(x - width, b->getX() - 0.5f);
    m.droite = std::min(x + width, b->getX() + 0.5f);
    m.pres = std::max(z - height, b->getZ() - 0.5f);
    m.loin = std::min(z + height, b->getZ() + 0.5f);
    return true;
}

void OmbreMobile::draw()
{
    Morceau m;
    if (!decouperMobile(m))
        return;
    commencer();
    dessinerMorceau(m);
    terminer();
}
