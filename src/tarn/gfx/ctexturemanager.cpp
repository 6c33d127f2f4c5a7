// Shares loaded picture surfaces by file name: counts the images using each surface and frees
// it when the last one lets go. Surfaces it does not hold are freed at once on release.
#include "tarn/gfx/ctexturemanager.h"

#include "tarn/utils/logger/clogger.h"

namespace tarn {

namespace {

CTextureManager::SurfaceFreer theFreer = nullptr;

}  // namespace

CTextureManager* CTextureManager::GetSingleton() {
    static CTextureManager* manager = new CTextureManager();
    return manager;
}

void CTextureManager::SetSurfaceFreer(SurfaceFreer freer) { theFreer = freer; }

CTextureManager::SurfaceFreer CTextureManager::GetSurfaceFreer() { return theFreer; }

CTextureManager::CTextureManager() : myLogging(true) {}

bool CTextureManager::Exists(const std::string& name) const { return myTextures.count(name) != 0; }

void CTextureManager::AddNew(const std::string& name, SDL_Surface* surface, bool persistent) {
    if (Exists(name)) {
        if (myLogging) {
            CLogger::GetSingleton()->Error()
                << "CTextureManager::AddNew() - trying to add a new texture, but we already have one of the same name: "
                << name << "\n";
        }
        return;
    }
    myTextures[name] = CTexture{surface, 1, persistent};
}

SDL_Surface* CTextureManager::GetPointer(const std::string& name) {
    const auto found = myTextures.find(name);
    if (found == myTextures.end()) {
        if (myLogging) {
            CLogger::GetSingleton()->Warning()
                << "CTextureManager::GetPointer() - trying to get pointer to a file that doesn't exist: " << name
                << "\n";
        }
        return nullptr;
    }
    ++found->second.myUserCount;
    return found->second.mySurface;
}

void CTextureManager::Release(SDL_Surface* surface) {
    if (!surface) return;
    for (auto it = myTextures.begin(); it != myTextures.end(); ++it) {
        if (it->second.mySurface != surface) continue;
        if (it->second.myUserCount > 0) --it->second.myUserCount;
        if (it->second.myUserCount == 0 && !it->second.myPersistent) {
            myTextures.erase(it);
            Free(surface);
        }
        return;
    }
    Free(surface);
}

bool CTextureManager::ReportUnloadable(const std::string& fileName, const std::string& reason) {
    if (fileName.empty() || !myReported.insert(fileName).second) return false;
    CLogger::GetSingleton()->Warning() << "Could not load the picture " << fileName << ": " << reason << "\n";
    return true;
}

int CTextureManager::GetUserCount(const std::string& name) const {
    const auto found = myTextures.find(name);
    return found == myTextures.end() ? 0 : found->second.myUserCount;
}

void CTextureManager::Free(SDL_Surface* surface) const {
    if (theFreer) theFreer(surface);
}

}  // namespace tarn
