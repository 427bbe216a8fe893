#pragma once
// The two roundings used throughout: Round is to nearest with ties to even, Trunc toward zero.

#include <cmath>

inline double RoundEven(double v) {
    return std::nearbyint(v);
}
inline float RoundEven(float v) {
    return std::nearbyintf(v);
}
inline double Trunc(double v) {
    return std::trunc(v);
}
