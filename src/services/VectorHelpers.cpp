#include "services/VectorHelpers.h"

#include <cmath>

void vec_RotateX(float (*v)[3], float angle)
{
    float s = std::sin(angle);
    float c = std::cos(angle);
    float y = (*v)[1];
    float z = (*v)[2];
    (*v)[1] = c * y - s * z;
    (*v)[2] = s * y + c * z;
}

void vec_RotateY(float (*v)[3], float angle)
{
    float s = std::sin(angle);
    float c = std::cos(angle);
    float x = (*v)[0];
    float z = (*v)[2];
    (*v)[0] = c * x + s * z;
    (*v)[2] = c * z - s * x;
}

void vec_RotateZ(float (*v)[3], float angle)
{
    float s = std::sin(angle);
    float c = std::cos(angle);
    float x = (*v)[0];
    float y = (*v)[1];
    (*v)[0] = c * x - s * y;
    (*v)[1] = c * y + s * x;
}

void vec_Normalize(float (*v)[3])
{
    float length = std::sqrt((*v)[0] * (*v)[0] + (*v)[1] * (*v)[1] + (*v)[2] * (*v)[2]);
    (*v)[0] /= length;
    (*v)[1] /= length;
    (*v)[2] /= length;
}

float vec_DotProduct(float (&a)[3], float (&b)[3])
{
    return a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
}
