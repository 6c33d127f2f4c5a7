// Shares loaded picture surfaces by file name: counts the images using each surface and frees
// it when the last one lets go. Surfaces it does not hold are freed at once on release.
#ifndef TARN_GFX_CTEXTUREMANAGER_H
#define TARN_GFX_CTEXTUREMANAGER_H

#include <map>
#include <set>
#include <string>

struct SDL_Surface;

namespace tarn {

class CTextureManager {
public:
    // Frees one surface; the SDL side installs SDL_FreeSurface before any image exists.
    using SurfaceFreer = void (*)(SDL_Surface* surface);

    // Created on first use, never destroyed.
    static CTextureManager* GetSingleton();
    // Installs the function Release frees surfaces with (null: surfaces are never freed).
    static void SetSurfaceFreer(SurfaceFreer freer);
    static SurfaceFreer GetSurfaceFreer();

    CTextureManager();
    CTextureManager(const CTextureManager&) = delete;
    CTextureManager& operator=(const CTextureManager&) = delete;

    bool Exists(const std::string& name) const;
    // Takes ownership of surface under name with one user. A name already held changes nothing
    // (and is logged as an error); the caller keeps that surface.
    void AddNew(const std::string& name, SDL_Surface* surface, bool persistent);
    // The surface held under name with one more user, or null (logged as a warning).
    SDL_Surface* GetPointer(const std::string& name);
    // One user fewer; the last user of a non-persistent surface frees it and forgets the name.
    // A surface the manager does not hold is freed at once. Null is ignored.
    void Release(SDL_Surface* surface);

    // Logs (as a warning) that the picture fileName could not be loaded and why, once per file
    // name for the program's life, so a picture asked for every frame does not flood the log.
    // An empty name (no picture asked for) is never logged. True when it logged.
    bool ReportUnloadable(const std::string& fileName, const std::string& reason);

    // Users of the surface held under name; 0 when there is none.
    int GetUserCount(const std::string& name) const;
    int GetTextureCount() const { return static_cast<int>(myTextures.size()); }
    void SetLogging(bool logging) { myLogging = logging; }

private:
    struct CTexture {
        SDL_Surface* mySurface;
        int myUserCount;
        bool myPersistent;
    };

    void Free(SDL_Surface* surface) const;

    std::map<std::string, CTexture> myTextures;
    std::set<std::string> myReported;
    bool myLogging;
};

}  // namespace tarn

#endif
