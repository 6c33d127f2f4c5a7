// Plays one piece of music at a time through SDL_mixer and keeps it looping until stopped,
// with optional fades, pause and volume. Loaded files are shared through the music registry.
#include "tarn/tasks/task_sdlmixer/cmusicplayer.h"

#include <SDL_mixer.h>

#include "tarn/utils/logger/clogger.h"
#include "tarn/tasks/ckernel.h"
#include "tarn/tasks/task_sdlmixer/csdlmixermusicdata.h"
#include "tarn/tasks/task_sdlmixer/mixervolume.h"

namespace tarn {

CMusicPlayer::CMusicPlayer()
    : myCurrent(nullptr),
      myState(STATE_STOPPED),
      myFadeTime(3000),
      myFadeRequested(true),
      myVolume(1.0f),
      myVolumeFactor(1.0f) {}

CMusicPlayer::~CMusicPlayer() {
    Mix_HaltMusic();
    myCurrent = nullptr;
    CSDLMixerMusicData::DestroyAll();
}

void CMusicPlayer::Play(const std::string& fileName) {
    if (myState == STATE_PAUSED) {
        myState = STATE_PLAYING;
        Mix_ResumeMusic();
    }
    CSDLMixerMusicData* music = CSDLMixerMusicData::FindOrLoad(fileName);
    if (!music->IsLoaded()) {
        delete music;
        return;
    }
    // SDL_mixer would hold the main loop until a running fade-out ends; cut it short.
    if (Mix_FadingMusic() == MIX_FADING_OUT) Mix_HaltMusic();
    int result = 0;
    if (myFadeRequested) {
        result = Mix_FadeInMusicPos(music->GetMusic(), 0, myFadeTime, 0.0);
        myFadeRequested = false;
    } else {
        result = Mix_PlayMusic(music->GetMusic(), 0);
    }
    if (result < 0) {
        CLogger* log = CKernel::GetSingleton()->GetLogger();
        log->Warning() << "Could not play music: " << fileName << "\n";
        *log << "SDL_Mixer says: " << SDL_GetError() << "\n";
    }
    myState = STATE_PLAYING;
    if (myCurrent && myCurrent != music && !myCurrent->IsKept()) delete myCurrent;
    myCurrent = music;
}

void CMusicPlayer::PlayFadeIn(const std::string& fileName, int ms) {
    myFadeRequested = true;
    myFadeTime = ClampFadeTime(ms, kMaxFadeTime);
    Play(fileName);
}

void CMusicPlayer::Stop() {
    if (myState == STATE_PLAYING) {
        if (myFadeRequested) {
            Mix_FadeOutMusic(myFadeTime);
        } else {
            Mix_HaltMusic();
        }
    }
    myState = STATE_STOPPED;
}

void CMusicPlayer::StopFadeOut(int ms) {
    myFadeRequested = true;
    myFadeTime = ClampFadeTime(ms, kMaxFadeTime);
    Stop();
}

void CMusicPlayer::Pause() {
    if (myState != STATE_PLAYING) return;
    myState = STATE_PAUSED;
    Mix_PauseMusic();
}

void CMusicPlayer::Resume() {
    if (myState != STATE_PAUSED) return;
    myState = STATE_PLAYING;
    Mix_ResumeMusic();
}

void CMusicPlayer::SetVolume(float volume) {
    myVolume = ClampVolume(volume);
    Mix_VolumeMusic(MixerVolume(myVolume, myVolumeFactor));
}

void CMusicPlayer::Preload(const std::string& fileName) {
    CSDLMixerMusicData* music = CSDLMixerMusicData::FindOrLoad(fileName);
    if (music->IsLoaded()) {
        music->SetKept(true);
        return;
    }
    delete music;
}

void CMusicPlayer::Free(const std::string& fileName) {
    if (myCurrent && myCurrent->GetFileName() == fileName) {
        myCurrent->SetKept(false);
        return;
    }
    delete CSDLMixerMusicData::Find(fileName);
}

void CMusicPlayer::Update() {
    if (myState != STATE_PLAYING || !myCurrent || Mix_PlayingMusic()) return;
    // Copied: playing may replace the current music.
    const std::string fileName = myCurrent->GetFileName();
    Play(fileName);
}

}  // namespace tarn
