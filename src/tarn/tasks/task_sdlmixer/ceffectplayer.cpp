// Plays sound effects on SDL_mixer's free channels; effects not marked kept are unloaded once
// every channel has fallen silent. Loaded files are shared through the effect registry.
#include "tarn/tasks/task_sdlmixer/ceffectplayer.h"

#include <SDL_mixer.h>

#include "tarn/utils/logger/clogger.h"
#include "tarn/tasks/ckernel.h"
#include "tarn/tasks/task_sdlmixer/csdlmixereffectdata.h"
#include "tarn/tasks/task_sdlmixer/mixervolume.h"

namespace tarn {

CEffectPlayer::CEffectPlayer() : myEffectStarted(false), myVolume(1.0f), myVolumeFactor(1.0f) {}

CEffectPlayer::~CEffectPlayer() {
    Mix_HaltChannel(-1);
    CSDLMixerEffectData::DestroyAll();
}

void CEffectPlayer::Play(const std::string& fileName) {
    CSDLMixerEffectData* effect = CSDLMixerEffectData::FindOrLoad(fileName);
    if (!effect->IsLoaded()) {
        delete effect;
        return;
    }
    if (Mix_PlayChannelTimed(-1, effect->GetChunk(), 0, -1) == -1) {
        CLogger* log = CKernel::GetSingleton()->GetLogger();
        log->Warning() << "Could not play the effect: " << fileName << "\n";
        *log << "SDL_Mixer says: " << SDL_GetError() << "\n";
    }
    myEffectStarted = true;
}

void CEffectPlayer::Pause() { Mix_Pause(-1); }

void CEffectPlayer::Resume() { Mix_Resume(-1); }

void CEffectPlayer::SetVolume(float volume) {
    myVolume = ClampVolume(volume);
    Mix_Volume(-1, MixerVolume(myVolume, myVolumeFactor));
}

void CEffectPlayer::Preload(const std::string& fileName) {
    CSDLMixerEffectData* effect = CSDLMixerEffectData::FindOrLoad(fileName);
    if (effect->IsLoaded()) {
        effect->SetKept(true);
        return;
    }
    delete effect;
}

void CEffectPlayer::Free(const std::string& fileName) { delete CSDLMixerEffectData::Find(fileName); }

void CEffectPlayer::Update() {
    if (!myEffectStarted || Mix_Playing(-1) != 0) return;
    for (CSDLMixerEffectData* effect : CSDLMixerEffectData::GetAll()) {
        if (!effect->IsKept()) delete effect;
    }
    myEffectStarted = false;
}

}  // namespace tarn
