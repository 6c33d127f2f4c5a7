// The options window's life over the title: opened with the settings in force, each change
// applied at once, the changed settings saved when it closes.
#ifndef TARN_MARBLES_GAME_COPTIONSPANEL_H
#define TARN_MARBLES_GAME_COPTIONSPANEL_H

#include <string>

#include "marbles/game/cgameoptions.h"
#include "marbles/game/cgamesound.h"

namespace marbles {

class COptionsWindow;

class COptionsPanel {
public:
    // options and sound (not owned) must outlive the panel: a change is written into the
    // options' saved settings and heard through the sound.
    COptionsPanel(CGameOptions& options, CGameSound& sound) : myOptions(options), mySound(sound) {}
    // Closes the window (saving what changed).
    ~COptionsPanel() { Close(); }
    COptionsPanel(const COptionsPanel&) = delete;
    COptionsPanel& operator=(const COptionsPanel&) = delete;

    // Puts the window in full screen at the start when the options ask for it.
    void ApplyStartMode();
    // Opens the options window on the desktop (once), showing the volumes and the full-screen
    // mode in force.
    void Open();
    // Deletes the window (if open) and saves the settings the player changed in it.
    void Close();
    // Closes the window once its own buttons closed it: called outside their handlers.
    void CloseIfDone();
    // The options window; null while it is closed.
    COptionsWindow* GetWindow() const { return myWindow; }
    bool IsOpen() const { return myWindow != nullptr; }

private:
    // A setting changed in the window: applied at once, saved when the window closes.
    void OnChanged(const std::string& name, int value);
    void Save();

    CGameOptions& myOptions;
    CGameSound& mySound;
    // Owned by the desktop widget like every window; cleared when it is deleted.
    COptionsWindow* myWindow = nullptr;
    // The player changed a setting since the settings were last saved.
    bool myChanged = false;
};

}  // namespace marbles

#endif
