// One loaded music file: SDL_mixer's music handle and the file it came from. Every live
// object is listed in the music registry, where players look files up by name.
#ifndef TARN_TASKS_TASK_SDLMIXER_CSDLMIXERMUSICDATA_H
#define TARN_TASKS_TASK_SDLMIXER_CSDLMIXERMUSICDATA_H

#include <string>

typedef struct _Mix_Music Mix_Music;

namespace tarn {

class CSDLMixerMusicData {
public:
    // Loads fileName (the device must be open); a file that does not load is logged as an
    // error and leaves the handle null. Joins the registry either way.
    explicit CSDLMixerMusicData(const std::string& fileName);
    // Frees the handle and leaves the registry.
    ~CSDLMixerMusicData();
    CSDLMixerMusicData(const CSDLMixerMusicData&) = delete;
    CSDLMixerMusicData& operator=(const CSDLMixerMusicData&) = delete;

    // The first live music loaded from exactly fileName, or null.
    static CSDLMixerMusicData* Find(const std::string& fileName);
    // The live music loaded from fileName, loading it when there is none. Never null; the
    // caller deletes a result whose handle is null.
    static CSDLMixerMusicData* FindOrLoad(const std::string& fileName);
    // Deletes every live music.
    static void DestroyAll();
    static int GetLiveCount();

    bool IsLoaded() const { return myMusic != nullptr; }
    // Null when loading failed; owned here.
    Mix_Music* GetMusic() const { return myMusic; }
    const std::string& GetFileName() const { return myFileName; }
    // A kept music stays loaded when another replaces it.
    bool IsKept() const { return myKept; }
    void SetKept(bool kept) { myKept = kept; }

private:
    Mix_Music* myMusic;
    std::string myFileName;
    bool myKept;
};

}  // namespace tarn

#endif
