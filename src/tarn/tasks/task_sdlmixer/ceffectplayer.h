// Plays sound effects on SDL_mixer's free channels; effects not marked kept are unloaded once
// every channel has fallen silent. Loaded files are shared through the effect registry.
#ifndef TARN_TASKS_TASK_SDLMIXER_CEFFECTPLAYER_H
#define TARN_TASKS_TASK_SDLMIXER_CEFFECTPLAYER_H

#include <string>

namespace tarn {

class CEffectPlayer {
public:
    // The audio device must be open while a player exists.
    CEffectPlayer();
    // Halts every channel and deletes every loaded effect, kept or not.
    ~CEffectPlayer();
    CEffectPlayer(const CEffectPlayer&) = delete;
    CEffectPlayer& operator=(const CEffectPlayer&) = delete;

    // Plays fileName once on the first free channel; a file that does not load plays nothing,
    // a busy mixer is logged as a warning.
    void Play(const std::string& fileName);
    void Pause();
    void Resume();
    // volume is held within 0..1 (NaN is 0); it applies to every channel.
    void SetVolume(float volume);
    // Loads fileName and keeps it loaded while the channels are silent.
    void Preload(const std::string& fileName);
    // Deletes the effect loaded from fileName, silencing the channels that play it.
    void Free(const std::string& fileName);
    // Unloads the effects not kept once every channel is silent.
    void Update();

    bool IsEffectStarted() const { return myEffectStarted; }
    float GetVolume() const { return myVolume; }

private:
    bool myEffectStarted;
    float myVolume;
    float myVolumeFactor;
};

}  // namespace tarn

#endif
