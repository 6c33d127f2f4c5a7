// The settle test over the last second of marble positions.
#include "marbles/rules/csettlewatch.h"

namespace marbles {

void CSettleWatch::Observe(const std::vector<Vector2>& positions) {
    if (!myHistory.empty() && myHistory.back().size() != positions.size()) myHistory.clear();
    myHistory.push_back(positions);
    while (myHistory.size() > WINDOW_STEPS + 1) myHistory.pop_front();
}

bool CSettleWatch::IsSettled() const {
    if (myHistory.empty()) return false;
    const std::vector<Vector2>& latest = myHistory.back();
    if (latest.empty()) return true;
    if (myHistory.size() <= WINDOW_STEPS) return false;
    const float limit = MAX_DRIFT * MAX_DRIFT;
    for (const std::vector<Vector2>& earlier : myHistory) {
        for (std::size_t i = 0; i < latest.size(); ++i) {
            const Vector2 d = earlier[i] - latest[i];
            if (!(Dot(d, d) <= limit)) return false;
        }
    }
    return true;
}

}  // namespace marbles
