#include "application/Jeu.h"

void Jeu::initSons()
{
}
