// One loaded effect file: SDL_mixer's sound chunk and the file it came from. Every live
// object is listed in the effect registry, where players look files up by name.
#include "tarn/tasks/task_sdlmixer/csdlmixereffectdata.h"

#include <SDL_mixer.h>

#include <filesystem>

#include "tarn/io/regularfile.h"
#include "tarn/utils/logger/clogger.h"
#include "tarn/tasks/ckernel.h"
#include "tarn/tasks/task_sdlmixer/cmixerregistry.h"

namespace tarn {

namespace {

using CEffectRegistry = CMixerRegistry<CSDLMixerEffectData>;

// The whole file as a sound chunk, or null with SDL's error text set.
Mix_Chunk* LoadChunk(const std::string& fileName) {
    SDL_RWops* stream = SDL_RWFromFile(fileName.c_str(), "rb");
    if (!stream) return nullptr;
    // SDL_mixer closes the stream, whether the file loads or not.
    return Mix_LoadWAV_RW(stream, 1);
}

}  // namespace

CSDLMixerEffectData::CSDLMixerEffectData(const std::string& fileName)
    : myChunk(nullptr), myFileName(fileName), myKept(false) {
    CEffectRegistry::Add(this);
    CLogger* log = CKernel::GetSingleton()->GetLogger();
    *log << "new CSDLMixerEffectData( " << myFileName << " ) \n";
    // SDL_mixer is only handed regular files of at most 64 MB: it leaks what it allocated for a
    // directory, reads a device without end, and would decode a huge file whole. A missing file
    // is left to SDL_mixer, which says so.
    std::string why;
    std::error_code error;
    if (!CheckRegularFile(myFileName, CFileLimits::kSound, &why) && std::filesystem::exists(myFileName, error)) {
        log->Error() << "Could not load effect-file  " << myFileName << "\n";
        *log << why << "\n";
        return;
    }
    myChunk = LoadChunk(myFileName);
    if (myChunk) return;
    log->Error() << "Could not load effect-file  " << myFileName << "\n";
    *log << "SDL_Mixer says: " << SDL_GetError() << "\n";
}

CSDLMixerEffectData::~CSDLMixerEffectData() {
    CKernel::GetSingleton()->GetLogger()->Write("freed CSDLMixerEffectData\n");
    // SDL_mixer silences every channel still playing the chunk before freeing it.
    if (myChunk) Mix_FreeChunk(myChunk);
    CEffectRegistry::Remove(this);
}

CSDLMixerEffectData* CSDLMixerEffectData::Find(const std::string& fileName) {
    return CEffectRegistry::Find(fileName);
}

CSDLMixerEffectData* CSDLMixerEffectData::FindOrLoad(const std::string& fileName) {
    if (CSDLMixerEffectData* found = Find(fileName)) return found;
    return new CSDLMixerEffectData(fileName);
}

std::vector<CSDLMixerEffectData*> CSDLMixerEffectData::GetAll() { return CEffectRegistry::GetAll(); }

void CSDLMixerEffectData::DestroyAll() {
    for (CSDLMixerEffectData* effect : CEffectRegistry::GetAll()) delete effect;
}

int CSDLMixerEffectData::GetLiveCount() { return CEffectRegistry::Count(); }

}  // namespace tarn
