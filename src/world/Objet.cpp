#include "world/Objet.h"

Objet::Objet() : x(0), y(0) {}

Objet::Objet(float x, float y) : x(x), y(y) {}

Objet::~Objet() {}

float Objet::getX() const { return x; }

float Objet::getY() const { return y; }

void Objet::setX(float value) { x = value; }

void Objet::setY(float value) { y = value; }

void Objet::refresh(long) {}

void Objet::draw() {}
