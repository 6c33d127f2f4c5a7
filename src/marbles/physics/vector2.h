// A point or direction of the two-dimensional physics world: two 32-bit floats, used by value.
// The helpers compute in float, one rounding per operation, so every step is reproducible.
#ifndef TARN_MARBLES_PHYSICS_VECTOR2_H
#define TARN_MARBLES_PHYSICS_VECTOR2_H

#include <cmath>

namespace tarn {
class CXmlFileSys;
}

namespace marbles {

struct Vector2 {
    float x = 0.0f;
    float y = 0.0f;
};

inline Vector2 operator+(Vector2 a, Vector2 b) { return Vector2{a.x + b.x, a.y + b.y}; }
inline Vector2 operator-(Vector2 a, Vector2 b) { return Vector2{a.x - b.x, a.y - b.y}; }
inline Vector2 operator-(Vector2 a) { return Vector2{-a.x, -a.y}; }
inline Vector2 operator*(float s, Vector2 a) { return Vector2{s * a.x, s * a.y}; }

inline float Dot(Vector2 a, Vector2 b) { return a.x * b.x + a.y * b.y; }
inline float Length(Vector2 a) { return std::sqrt(a.x * a.x + a.y * a.y); }

// The unit vector along a; a zero-length (or non-finite-length) vector comes back unchanged.
inline Vector2 Normalize(Vector2 a) {
    const float length = Length(a);
    if (length > 0.0f) return Vector2{a.x / length, a.y / length};
    return a;
}

// Stored form: float attributes "x" and "y" of the vector's own element. Reading leaves a
// coordinate whose attribute is missing or unreadable unchanged.
void Serialize(Vector2& vector, tarn::CXmlFileSys* filesys);

}  // namespace marbles

#endif
