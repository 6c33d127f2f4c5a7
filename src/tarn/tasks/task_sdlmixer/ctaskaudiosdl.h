// The audio task (type "audio" of the task library "sdl_mixer"): opens the audio device
// through SDL_mixer, plays looping music and sound effects, and offers the commands
// "PlayMusic", "PlayMusicFadeIn", "StopMusic" and "StopMusicFadeOut".
#ifndef TARN_TASKS_TASK_SDLMIXER_CTASKAUDIOSDL_H
#define TARN_TASKS_TASK_SDLMIXER_CTASKAUDIOSDL_H

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "tarn/tasks/ctask.h"
#include "tarn/tasks/iaudiooutput.h"
#include "tarn/utils/timer/types.h"

namespace tarn {

class CEffectPlayer;
class CInterpreter;
class CMusicPlayer;
class ICommand;

class CTaskAudioSDL : public CTask, public IAudioOutput {
public:
    // Start-up parameters outside these ranges count as parameters of the wrong kind.
    static constexpr int kMinFrequency = 1000;
    static constexpr int kMaxFrequency = 192000;
    static constexpr int kMaxChannels = 8;
    static constexpr int kMaxChunkSize = 65535;
    static constexpr int kMaxMixingChannels = 256;

    // Priority 100, name "audio" (the task factory sets the values of "starttask").
    CTaskAudioSDL();
    // Releases everything and closes the device when the task is still open.
    ~CTaskAudioSDL() override;

    // Reads the start-up parameters (frequency, format, num_of_channels, chunk_size,
    // number_of_audio_channels; null or missing ones keep the defaults, wrong ones are logged
    // warnings), then opens the device as Start does.
    bool Start(CParameterList* params) override;
    // Opens the audio device and creates the players and commands; false (logged) when SDL's
    // audio or the device does not open. True without reopening when already open.
    bool Start() override;
    void Update() override;
    // Deletes the commands and the players (halting and unloading every sound), then closes
    // the device and SDL's audio if this task opened them.
    void OnStop() override;
    void OnPause() override;
    void OnResume() override;
    // Runs line in the task's interpreter (result dropped); false while the device is not open.
    bool ExecuteCommand(const std::string& line) override;
    bool PauseWhenInactive() const override { return false; }

    // Each of these does nothing while the device is not open.
    void PlayMusic(const std::string& fileName) override;
    void PlayMusicFadeIn(const std::string& fileName, int ms);
    void StopMusic();
    void StopMusicFadeOut(int ms);
    void PauseMusic();
    void ResumeMusic();
    void SetMusicVolume(float volume) override;
    void PreloadMusic(const std::string& fileName);
    void FreeMusic(const std::string& fileName);
    void PlayEffect(const std::string& fileName) override;
    void PauseEffects();
    void ResumeEffects();
    void SetEffectsVolume(float volume) override;
    void PreloadEffect(const std::string& fileName);
    void FreeEffect(const std::string& fileName);

    // Null while the device is not open.
    const CMusicPlayer* GetMusicPlayer() const { return myMusicPlayer.get(); }
    const CEffectPlayer* GetEffectPlayer() const { return myEffectPlayer.get(); }

private:
    void ReadStartUpParameters(const CParameterList& params);
    bool ReadNumber(const CParameterList& params, int index, int low, int high, int& field);
    void WarnStartUpParameter(const char* text) const;
    bool OpenMixer();
    void LogDeviceSettings() const;
    void CreateCommands();
    void Close();

    std::unique_ptr<CMusicPlayer> myMusicPlayer;
    std::unique_ptr<CEffectPlayer> myEffectPlayer;
    std::unique_ptr<CInterpreter> myInterpreter;
    std::vector<std::unique_ptr<ICommand>> myCommands;
    int myFrequency;
    uint16_t myFormat;
    int myChannels;
    int myChunkSize;
    int myMixingChannels;
    // What this task opened and so closes.
    bool myAudioStarted;
    bool myMixerOpen;
    // Asking SDL_mixer whether music plays takes the audio lock: it is asked once per frame.
    types::ticks myLastMusicPoll = 0;
    bool myMusicPolled = false;
};

}  // namespace tarn

#endif
