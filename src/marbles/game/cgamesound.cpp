// The game's music, effects, volumes and mute, handed to the audio task.
#include "marbles/game/cgamesound.h"

#include <string>

#include "marbles/game/cgameoptions.h"
#include "tarn/tasks/cinterpreter.h"
#include "tarn/tasks/ckernel.h"
#include "tarn/utils/logger/clogger.h"

namespace marbles {

namespace {

tarn::CInterpreter* Console() { return tarn::CKernel::GetSingleton()->GetConsole(); }

// The sound volume (0 to 100) as the audio task takes it (0 to 1).
std::string VolumeText(int volume) {
    const int clamped = volume < 0 ? 0 : (volume > 100 ? 100 : volume);
    return std::to_string(clamped / 100.0);
}

}  // namespace

CGameSound::CGameSound(bool sound, bool music) : mySound(sound), myMusic(music) {
    myMusicVolume = CGameOptions::ConsoleInt("music_volume", 100);
    myEffectsVolume = CGameOptions::ConsoleInt("effects_volume", 100);
    Console()->BindInt("music_volume", &myMusicVolume);
    Console()->BindInt("effects_volume", &myEffectsVolume);
}

void CGameSound::StartMusic() const {
    if (mySound && myMusic) Console()->Execute(std::string("audio::PlayMusic( \"") + MUSIC + "\" )", false);
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
    Console()->Execute("audio::SetMusicVolume( " + VolumeText(music) + " )", false);
    Console()->Execute("audio::SetEffectsVolume( " + VolumeText(effects) + " )", false);
}

void CGameSound::PlayEffect(const char* file) const {
    if (!mySound || myMuted) return;
    tarn::CLogger::GetSingleton()->Debug() << "Sound effect: " << file << "\n";
    Console()->Execute(std::string("audio::PlayEffect( \"") + file + "\" )", false);
}

void CGameSound::ToggleMute() {
    myMuted = !myMuted;
    ApplyVolumes();
}

}  // namespace marbles
