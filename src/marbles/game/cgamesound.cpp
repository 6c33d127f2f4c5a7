// The game's music, effects, volumes and mute, handed to the audio task through its typed
// interface.
#include "marbles/game/cgamesound.h"

#include <algorithm>
#include <string>

#include "marbles/game/cgameoptions.h"
#include "tarn/tasks/cinterpreter.h"
#include "tarn/tasks/ckernel.h"
#include "tarn/tasks/ctaskfactory.h"
#include "tarn/tasks/iaudiooutput.h"
#include "tarn/utils/logger/clogger.h"

namespace marbles {

namespace {

tarn::CInterpreter* Console() { return tarn::CKernel::GetSingleton()->GetConsole(); }

// The sound volume (0 to 100) as the audio task takes it (0 to 1).
float Volume(int volume) {
    const int clamped = volume < 0 ? 0 : (volume > 100 ? 100 : volume);
    return static_cast<float>(clamped / 100.0);
}

// The running audio task; null when none runs.
tarn::IAudioOutput* Audio() {
    return dynamic_cast<tarn::IAudioOutput*>(tarn::CTaskFactory::GetSingleton()->FindTask("audio"));
}

}  // namespace

CGameSound::CGameSound(bool sound, bool music) : mySound(sound), myMusic(music) {
    myMusicVolume = CGameOptions::ConsoleInt("music_volume", 100);
    myEffectsVolume = CGameOptions::ConsoleInt("effects_volume", 100);
    Console()->BindInt("music_volume", &myMusicVolume);
    Console()->BindInt("effects_volume", &myEffectsVolume);
}

const char* CGameSound::MusicForLevel(int position, int levelCount) {
    return position > (levelCount + 1) / 2 ? LATER_MUSIC : MUSIC;
}

void CGameSound::PlayMusic(const char* file) {
    tarn::IAudioOutput* audio = Audio();
    if (!mySound || !myMusic || !audio || myMusicFile == file) return;
    myMusicFile = file;
    audio->PlayMusic(file);
}

CGameSound::~CGameSound() {
    const std::string music = std::to_string(myMusicVolume);
    const std::string effects = std::to_string(myEffectsVolume);
    Console()->RemoveVariable("music_volume");
    Console()->RemoveVariable("effects_volume");
    Console()->SetVariable("music_volume", music);
    Console()->SetVariable("effects_volume", effects);
}

void CGameSound::ApplyVolumes() {
    const int music = myMuted ? 0 : myMusicVolume;
    const int effects = myMuted ? 0 : myEffectsVolume;
    if (music == myAppliedMusicVolume && effects == myAppliedEffectsVolume) return;
    myAppliedMusicVolume = music;
    myAppliedEffectsVolume = effects;
    tarn::IAudioOutput* audio = Audio();
    if (!audio) return;
    audio->SetMusicVolume(Volume(music));
    audio->SetEffectsVolume(Volume(effects));
}

void CGameSound::PlayEffect(const char* file) const {
    if (!mySound || myMuted) return;
    tarn::CLogger::GetSingleton()->Debug() << "Sound effect: " << file << "\n";
    if (tarn::IAudioOutput* audio = Audio()) audio->PlayEffect(file);
}

void CGameSound::SetMusicVolume(int volume) { myMusicVolume = std::clamp(volume, 0, 100); }

void CGameSound::SetEffectsVolume(int volume) { myEffectsVolume = std::clamp(volume, 0, 100); }

void CGameSound::ToggleMute() {
    myMuted = !myMuted;
    ApplyVolumes();
}

}  // namespace marbles
