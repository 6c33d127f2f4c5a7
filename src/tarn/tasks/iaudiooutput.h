// What the game asks of the audio task, called directly rather than through console lines
// (which stay for scripts and key bindings). The audio task implements it.
#ifndef TARN_TASKS_IAUDIOOUTPUT_H
#define TARN_TASKS_IAUDIOOUTPUT_H

#include <string>

namespace tarn {

class IAudioOutput {
public:
    virtual ~IAudioOutput() = default;
    // Plays fileName as the music, in a loop; a file that cannot be played is logged.
    virtual void PlayMusic(const std::string& fileName) = 0;
    // Plays fileName once over the music; a file that cannot be played is logged.
    virtual void PlayEffect(const std::string& fileName) = 0;
    // From 0 (silent) to 1 (full); values outside are clamped.
    virtual void SetMusicVolume(float volume) = 0;
    virtual void SetEffectsVolume(float volume) = 0;
};

}  // namespace tarn

#endif
