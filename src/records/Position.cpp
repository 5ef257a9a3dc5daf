#include "records/Position.h"

Position::Position() : time(0), position(), rotation() {}

Position::Position(long t, float x, float y, float z, float rx, float ry, float rz)
    : time(t), position(x, y, z), rotation(rx, ry, rz)
{
}
