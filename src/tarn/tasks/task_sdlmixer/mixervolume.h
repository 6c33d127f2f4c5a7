// Volume arithmetic shared by the music and effect players: a 0..1 volume scaled by a factor
// into SDL_mixer's 0..128 range, safe for any float.
#ifndef TARN_TASKS_TASK_SDLMIXER_MIXERVOLUME_H
#define TARN_TASKS_TASK_SDLMIXER_MIXERVOLUME_H

#include <cmath>

namespace tarn {

// volume held within 0..1; NaN gives 0.
inline float ClampVolume(float volume) {
    if (std::isnan(volume) || volume < 0.0f) return 0.0f;
    return volume > 1.0f ? 1.0f : volume;
}

// trunc(volume * factor * 128), held within 0..128.
inline int MixerVolume(float volume, float factor) {
    const float scaled = ClampVolume(volume) * ClampVolume(factor) * 128.0f;
    return static_cast<int>(scaled);
}

// A fade time held within 0..maxMs.
inline int ClampFadeTime(int ms, int maxMs) {
    if (ms < 0) return 0;
    return ms > maxMs ? maxMs : ms;
}

}  // namespace tarn

#endif
