// Opens and closes the options window, applies each setting the player changes in it to the
// sound and the window, and saves the changed settings when it closes.
#include "marbles/game/coptionspanel.h"

#include "marbles/game/cgamesettings.h"
#include "marbles/game/coptionswindow.h"
#include "tarn/tasks/ctaskfactory.h"
#include "tarn/tasks/iwindowcontrol.h"
#include "tarn/ui/cdesktopwidget.h"
#include "tarn/utils/logger/clogger.h"

namespace marbles {

namespace {

tarn::CLogger* Log() { return tarn::CLogger::GetSingleton(); }

// The running window task; null when none runs.
tarn::IWindowControl* Window() {
    return dynamic_cast<tarn::IWindowControl*>(tarn::CTaskFactory::GetSingleton()->FindTask("window"));
}

}  // namespace

void COptionsPanel::ApplyStartMode() {
    tarn::IWindowControl* window = Window();
    if (myOptions.myFullscreen && window && !window->IsFullscreen()) window->SetFullscreen(true);
}

void COptionsPanel::Open() {
    if (myWindow) return;
    tarn::IWindowControl* window = Window();
    CGameSettings current;
    current.Set(CGameSettings::MUSIC_VOLUME, mySound.GetMusicVolume());
    current.Set(CGameSettings::EFFECTS_VOLUME, mySound.GetEffectsVolume());
    current.Set(CGameSettings::FULLSCREEN, window ? window->IsFullscreen() : myOptions.myFullscreen);
    myWindow = new COptionsWindow(tarn::ui::CDesktopWidget::GetSingleton(), current,
                                  [this](const std::string& name, int value) { OnChanged(name, value); });
    myWindow->SetOnDestroyed([this]() { myWindow = nullptr; });
    Log()->Debug() << "Showing the options\n";
}

void COptionsPanel::Close() {
    // Its destroyed callback forgets it.
    delete myWindow;
    Save();
}

void COptionsPanel::CloseIfDone() {
    if (myWindow && myWindow->IsDone()) Close();
}

void COptionsPanel::OnChanged(const std::string& name, int value) {
    Log()->Debug() << "Option " << name << " = " << value << "\n";
    myOptions.mySavedSettings.Set(name, value);
    myChanged = true;
    if (name == CGameSettings::FULLSCREEN) {
        if (tarn::IWindowControl* window = Window()) window->SetFullscreen(value != 0);
        return;
    }
    if (name == CGameSettings::MUSIC_VOLUME) mySound.SetMusicVolume(value);
    if (name == CGameSettings::EFFECTS_VOLUME) mySound.SetEffectsVolume(value);
    mySound.ApplyVolumes();
    // The new effects volume is heard at once.
    if (name == CGameSettings::EFFECTS_VOLUME) mySound.PlayEffect(CGameSound::CLICK_SOUND);
}

void COptionsPanel::Save() {
    if (!myChanged || myOptions.mySettingsFile.empty()) return;
    myChanged = false;
    if (myOptions.mySavedSettings.Save(myOptions.mySettingsFile))
        *Log() << "Settings saved to " << myOptions.mySettingsFile << "\n";
}

}  // namespace marbles
