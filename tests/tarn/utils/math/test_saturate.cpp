// Known-answer tables for the saturating conversions into int.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "tarn/utils/math/saturate.h"

namespace {

constexpr int kMax = std::numeric_limits<int>::max();
constexpr int kMin = std::numeric_limits<int>::min();

TEST(Saturate, TruncateToIntKnownAnswers) {
    const double inf = std::numeric_limits<double>::infinity();
    const struct {
        double in;
        int out;
    } cases[] = {
        {0.0, 0},       {-0.0, 0},     {2.5, 2},       {-2.5, -2},     {0.999, 0},        {-0.999, 0},
        {12.9, 12},     {-7.0, -7},    {NAN, 0},       {inf, kMax},    {-inf, kMin},      {1e300, kMax},
        {-1e300, kMin}, {2147483647.0, kMax},           {2147483646.9, 2147483646},       {2147483648.5, kMax},
        {-2147483648.0, kMin},         {-2147483647.5, -2147483647},  {-2147483649.0, kMin},
    };
    for (const auto& c : cases) EXPECT_EQ(c.out, tarn::TruncateToInt(c.in)) << c.in;
}

TEST(Saturate, ClampToIntKnownAnswers) {
    const struct {
        long long in;
        int out;
    } cases[] = {
        {0, 0},       {-5, -5}, {kMax, kMax}, {kMin, kMin}, {1LL + kMax, kMax}, {-1LL + kMin, kMin},
        {1LL << 62, kMax},      {-(1LL << 62), kMin},
    };
    for (const auto& c : cases) EXPECT_EQ(c.out, tarn::ClampToInt(c.in)) << c.in;
}

}  // namespace
