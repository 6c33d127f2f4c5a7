// One loaded effect file: SDL_mixer's sound chunk and the file it came from. Every live
// object is listed in the effect registry, where players look files up by name.
#ifndef TARN_TASKS_TASK_SDLMIXER_CSDLMIXEREFFECTDATA_H
#define TARN_TASKS_TASK_SDLMIXER_CSDLMIXEREFFECTDATA_H

#include <string>
#include <vector>

struct Mix_Chunk;

namespace tarn {

class CSDLMixerEffectData {
public:
    // Loads fileName (the device must be open); a file that does not load is logged as an
    // error and leaves the handle null. Joins the registry either way.
    explicit CSDLMixerEffectData(const std::string& fileName);
    // Frees the handle and leaves the registry.
    ~CSDLMixerEffectData();
    CSDLMixerEffectData(const CSDLMixerEffectData&) = delete;
    CSDLMixerEffectData& operator=(const CSDLMixerEffectData&) = delete;

    // The first live effect loaded from exactly fileName, or null.
    static CSDLMixerEffectData* Find(const std::string& fileName);
    // The live effect loaded from fileName, loading it when there is none. Never null; the
    // caller deletes a result whose handle is null.
    static CSDLMixerEffectData* FindOrLoad(const std::string& fileName);
    // The live effects in the order they were loaded (a copy: members may be deleted while
    // walking it).
    static std::vector<CSDLMixerEffectData*> GetAll();
    // Deletes every live effect.
    static void DestroyAll();
    static int GetLiveCount();

    bool IsLoaded() const { return myChunk != nullptr; }
    // Null when loading failed; owned here.
    Mix_Chunk* GetChunk() const { return myChunk; }
    const std::string& GetFileName() const { return myFileName; }
    // A kept effect stays loaded when all channels fall silent.
    bool IsKept() const { return myKept; }
    void SetKept(bool kept) { myKept = kept; }

private:
    Mix_Chunk* myChunk;
    std::string myFileName;
    bool myKept;
};

}  // namespace tarn

#endif
