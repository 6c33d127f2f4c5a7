// The options window over the title: music and effects volume with - and + buttons and the
// value shown, fullscreen on and off, and OK; every change is handed to the game at once.
#ifndef TARN_MARBLES_GAME_COPTIONSWINDOW_H
#define TARN_MARBLES_GAME_COPTIONSWINDOW_H

#include <functional>
#include <string>

#include "marbles/game/cgamesettings.h"
#include "tarn/ui/cwindowwidget.h"

namespace tarn {
namespace ui {
class CButtonWidget;
class CTextWidget;
}  // namespace ui
}  // namespace tarn

namespace marbles {

// A window of the engine's widgets, owned by its parent (the desktop) like any widget. Its
// buttons are named after what they change: "music_volume-", "music_volume+",
// "effects_volume-", "effects_volume+", "fullscreen" and "ok".
class COptionsWindow : public tarn::ui::CWindowWidget {
public:
    // Called with the setting's name and its new value.
    using CChange = std::function<void(const std::string& name, int value)>;

    // Volumes change in steps of this much.
    static const int VOLUME_STEP = 10;
    static const int WIDTH = 300;
    static const int HEIGHT = 190;

    // Centred in parent, showing values (music and effects volume, fullscreen).
    COptionsWindow(tarn::ui::CWidget* parent, const CGameSettings& values, const CChange& onChange);
    // Calls the destroyed callback, whoever deletes the window (its owner, the desktop).
    ~COptionsWindow() override;

    // OK or the close button was clicked: the owner deletes the window.
    bool IsDone() const { return IsClosed() || myOk; }
    const CGameSettings& GetValues() const { return myValues; }
    // The button named (see above); null for another name.
    tarn::ui::CButtonWidget* GetButton(const std::string& name);
    // The value shown for a setting's name ("40", "On").
    std::string GetShownValue(const std::string& name);
    void SetOnDestroyed(const std::function<void()>& callback) { myOnDestroyed = callback; }

private:
    // A small fixed window: neither resized nor maximised.
    void KeepSize();
    void AddRow(int y, const std::string& label, const char* name);
    tarn::ui::CButtonWidget* AddButton(const tarn::CRect& rect, const std::string& name, const std::string& face);
    // The text widget showing the setting's value.
    tarn::ui::CTextWidget* Shown(const std::string& name);
    // Moves the setting by delta within its range, shows it and tells the game.
    void Change(const char* name, int delta);
    void MusicDown() { Change(CGameSettings::MUSIC_VOLUME, -VOLUME_STEP); }
    void MusicUp() { Change(CGameSettings::MUSIC_VOLUME, VOLUME_STEP); }
    void EffectsDown() { Change(CGameSettings::EFFECTS_VOLUME, -VOLUME_STEP); }
    void EffectsUp() { Change(CGameSettings::EFFECTS_VOLUME, VOLUME_STEP); }
    void ToggleFullscreen() { Change(CGameSettings::FULLSCREEN, myValues.Get(CGameSettings::FULLSCREEN, 0) ? -1 : 1); }
    void Ok() { myOk = true; }

    CGameSettings myValues;
    CChange myOnChange;
    std::function<void()> myOnDestroyed;
    bool myOk = false;
};

}  // namespace marbles

#endif
