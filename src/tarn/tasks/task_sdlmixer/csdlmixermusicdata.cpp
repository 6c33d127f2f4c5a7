// One loaded music file: SDL_mixer's music handle and the file it came from. Every live
// object is listed in the music registry, where players look files up by name.
#include "tarn/tasks/task_sdlmixer/csdlmixermusicdata.h"

#include <SDL_mixer.h>

#include <filesystem>

#include "tarn/io/regularfile.h"
#include "tarn/utils/logger/clogger.h"
#include "tarn/tasks/ckernel.h"
#include "tarn/tasks/task_sdlmixer/cmixerregistry.h"

namespace tarn {

namespace {

using CMusicRegistry = CMixerRegistry<CSDLMixerMusicData>;

}  // namespace

CSDLMixerMusicData::CSDLMixerMusicData(const std::string& fileName)
    : myMusic(nullptr), myFileName(fileName), myKept(false) {
    CMusicRegistry::Add(this);
    CLogger* log = CKernel::GetSingleton()->GetLogger();
    *log << "new CSDLMixerMusicData( " << myFileName << " ) \n";
    // SDL_mixer is only handed regular files of at most 64 MB: it leaks what it allocated for a
    // directory, reads a device without end, and would decode a huge file whole. A missing file
    // is left to SDL_mixer, which says so.
    std::string why;
    std::error_code error;
    if (!CheckRegularFile(myFileName, CFileLimits::kSound, &why) && std::filesystem::exists(myFileName, error)) {
        log->Error() << "Could not load music-file  " << myFileName << "\n";
        *log << why << "\n";
        return;
    }
    myMusic = Mix_LoadMUS(myFileName.c_str());
    if (myMusic) return;
    log->Error() << "Could not load music-file  " << myFileName << "\n";
    *log << "SDL_Mixer says: " << SDL_GetError() << "\n";
}

CSDLMixerMusicData::~CSDLMixerMusicData() {
    CKernel::GetSingleton()->GetLogger()->Write("freed CSDLMixerMusicData\n");
    if (myMusic) Mix_FreeMusic(myMusic);
    CMusicRegistry::Remove(this);
}

CSDLMixerMusicData* CSDLMixerMusicData::Find(const std::string& fileName) { return CMusicRegistry::Find(fileName); }

CSDLMixerMusicData* CSDLMixerMusicData::FindOrLoad(const std::string& fileName) {
    if (CSDLMixerMusicData* found = Find(fileName)) return found;
    return new CSDLMixerMusicData(fileName);
}

void CSDLMixerMusicData::DestroyAll() {
    for (CSDLMixerMusicData* music : CMusicRegistry::GetAll()) delete music;
}

int CSDLMixerMusicData::GetLiveCount() { return CMusicRegistry::Count(); }

}  // namespace tarn
