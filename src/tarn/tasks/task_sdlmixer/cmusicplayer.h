// Plays one piece of music at a time through SDL_mixer and keeps it looping until stopped,
// with optional fades, pause and volume. Loaded files are shared through the music registry.
#ifndef TARN_TASKS_TASK_SDLMIXER_CMUSICPLAYER_H
#define TARN_TASKS_TASK_SDLMIXER_CMUSICPLAYER_H

#include <string>

namespace tarn {

class CSDLMixerMusicData;

class CMusicPlayer {
public:
    enum { STATE_PAUSED = 0, STATE_PLAYING = 1, STATE_STOPPED = 2 };
    // Fades are held within this many milliseconds (an hour); a negative fade is no fade.
    static constexpr int kMaxFadeTime = 3600000;

    // The audio device must be open while a player exists.
    CMusicPlayer();
    // Halts the music and deletes every loaded music, kept or not.
    ~CMusicPlayer();
    CMusicPlayer(const CMusicPlayer&) = delete;
    CMusicPlayer& operator=(const CMusicPlayer&) = delete;

    // Plays fileName from its start (fading in when a fade was asked for); a paused music is
    // resumed first. A file that does not load leaves the current music as it was.
    void Play(const std::string& fileName);
    void PlayFadeIn(const std::string& fileName, int ms);
    // A stop leaves the fade request in place: the next plain play fades in over the same time.
    void Stop();
    void StopFadeOut(int ms);
    void Pause();
    void Resume();
    // volume is held within 0..1 (NaN is 0).
    void SetVolume(float volume);
    // Loads fileName and keeps it loaded when another music replaces it.
    void Preload(const std::string& fileName);
    // Drops fileName; the current music only loses its keep mark and goes when replaced.
    void Free(const std::string& fileName);
    // Starts the current music again when it has ended by itself.
    void Update();

    int GetState() const { return myState; }
    // The music last played, or null; owned by the registry.
    const CSDLMixerMusicData* GetCurrent() const { return myCurrent; }
    int GetFadeTime() const { return myFadeTime; }
    bool IsFadeRequested() const { return myFadeRequested; }
    float GetVolume() const { return myVolume; }

private:
    CSDLMixerMusicData* myCurrent;
    int myState;
    int myFadeTime;
    bool myFadeRequested;
    float myVolume;
    float myVolumeFactor;
};

}  // namespace tarn

#endif
