// The browser's side of the platform layer: sleeping by handing the thread back to the page
// (ASYNCIFY), the player's folder on the page's IndexedDB storage (Emscripten's IDBFS), and
// the main loop's yield to the page. The storage functions do nothing elsewhere.
#include "tarn/platform/platform.h"

#if defined(__EMSCRIPTEN__)
#include <emscripten.h>

// Mounts IDBFS at folder and resolves, once the stored files are copied in, to 1 (0 on failure).
EM_ASYNC_JS(int, tarn_open_persistent_folder, (const char* folderName), {
    const folder = UTF8ToString(folderName);
    try {
        FS.mkdirTree(folder);
        FS.mount(IDBFS, {}, folder);
    } catch (error) {
        return 0;
    }
    return await new Promise(resolve => FS.syncfs(true, error => resolve(error ? 0 : 1)));
});

// Resolves after ms milliseconds through the page's timer; 0 only lets the page run first.
// The timer fires a little late, so a wait of more than a millisecond is asked one shorter:
// the loop then finds its work due rather than a frame lost to the lateness.
EM_ASYNC_JS(void, tarn_sleep, (unsigned ms), {
    await new Promise(resolve => setTimeout(resolve, ms > 1 ? ms - 1 : ms));
});

// Starts copying the mounted folders out to IndexedDB; a request made while a copy runs is
// carried out once it ends, so the last save always reaches the storage.
EM_JS(void, tarn_persist_folders, (), {
    const state = Module.tarnPersist || (Module.tarnPersist = {running: false, again: false});
    if (state.running) {
        state.again = true;
        return;
    }
    const run = () => {
        state.running = true;
        state.again = false;
        FS.syncfs(false, error => {
            if (error) err('Could not keep the progress: ' + error);
            state.running = false;
            if (state.again) run();
        });
    };
    run();
});
#endif

namespace tarn {
namespace platform {

#if defined(__EMSCRIPTEN__)
void SleepMs(unsigned ms) { tarn_sleep(ms); }

bool OpenPersistentFolder(const std::string& folder) { return tarn_open_persistent_folder(folder.c_str()) != 0; }

void PersistFolders() { tarn_persist_folders(); }

bool YieldsEveryFrame() { return true; }
#else
bool OpenPersistentFolder(const std::string&) { return true; }

void PersistFolders() {}

bool YieldsEveryFrame() { return false; }
#endif

}  // namespace platform
}  // namespace tarn
