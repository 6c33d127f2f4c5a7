// When a pile counts as settled: a second of steps in which no marble strayed more than a few
// pixels from where it lies now, however it keeps trembling.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <vector>

#include "marbles/rules/csettlewatch.h"

using namespace marbles;

namespace {

struct Case {
    const char* what;
    unsigned steps;
    // Marble positions at step s.
    std::function<std::vector<Vector2>(unsigned)> at;
    bool settled;
};

}  // namespace

TEST(SettleWatch, SettledOnlyAfterASecondWithinAFewPixels) {
    const unsigned window = CSettleWatch::WINDOW_STEPS;
    const float drift = CSettleWatch::MAX_DRIFT;
    const Case cases[] = {
        {"still for a second", window + 1, [](unsigned) { return std::vector<Vector2>{{1, 2}, {3, 4}}; }, true},
        {"still for one step less", window, [](unsigned) { return std::vector<Vector2>{{1, 2}}; }, false},
        {"trembling within the limit", 60,
         [drift](unsigned s) { return std::vector<Vector2>{{0, 0.9f * drift * (s % 2 ? 1.0f : -0.0f)}}; }, true},
        {"crawling a few pixels a second", 200,
         [drift](unsigned s) { return std::vector<Vector2>{{0, 0}, {1.2f * drift / CSettleWatch::WINDOW_STEPS * s, 0}}; },
         false},
        {"stopped a second ago after a fall", 40,
         [window](unsigned s) { return std::vector<Vector2>{{0, s < 40 - window - 1 ? float(s) : 40.0f - window - 1}}; },
         true},
        {"a marble gone (a removal) starts over", window + 5,
         [](unsigned s) { return std::vector<Vector2>(s < 10 ? 3 : 2, Vector2{1, 1}); }, false},
        {"no marbles: settled at once", 1, [](unsigned) { return std::vector<Vector2>{}; }, true},
    };
    for (const Case& c : cases) {
        CSettleWatch watch;
        EXPECT_FALSE(watch.IsSettled()) << c.what << ": nothing seen yet";
        for (unsigned s = 0; s < c.steps; ++s) watch.Observe(c.at(s));
        EXPECT_EQ(watch.IsSettled(), c.settled) << c.what;
        watch.Clear();
        EXPECT_FALSE(watch.IsSettled()) << c.what << ": cleared";
    }
}
