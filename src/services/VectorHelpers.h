#pragma once

// Small helpers on vectors of three floats. The turns go about one axis by
// angle radians, with sine and cosine taken in single precision.
void vec_RotateX(float (*v)[3], float angle);
void vec_RotateY(float (*v)[3], float angle);
void vec_RotateZ(float (*v)[3], float angle);
void vec_Normalize(float (*v)[3]);
float vec_DotProduct(float (&a)[3], float (&b)[3]);
