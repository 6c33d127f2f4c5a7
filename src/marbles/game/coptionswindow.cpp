// The options window: its rows of labels, buttons and values, and the changes they make.
#include "marbles/game/coptionswindow.h"

#include "tarn/ui/cbuttonwidget.h"
#include "tarn/ui/ctextwidget.h"

namespace marbles {

namespace {

using tarn::CColor;
using tarn::CRect;

// The title's colours: the gold of its buttons, the window's black for labels.
const CColor BUTTON_FRAME(250, 210, 60);
const CColor LABEL_FRAME(0, 0, 0);
const int ROW_HEIGHT = 24;
const int LABEL_X = 12;
const int LABEL_WIDTH = 128;
const int MINUS_X = 150;
const int VALUE_X = 184;
const int PLUS_X = 238;
const int SMALL_BUTTON = 28;

bool IsFullscreen(const std::string& name) { return name == CGameSettings::FULLSCREEN; }

std::string ValueText(const std::string& name, int value) {
    if (IsFullscreen(name)) return value ? "On" : "Off";
    return std::to_string(value);
}

// A setting the window was not given: full volume, windowed.
int Default(const std::string& name) { return IsFullscreen(name) ? 0 : 100; }

// Centred in the parent; in the game's 640x480 picture while the parent is smaller than the window.
CRect Centred(const tarn::ui::CWidget* parent) {
    const bool fits =
        parent && parent->GetRect().w >= COptionsWindow::WIDTH && parent->GetRect().h >= COptionsWindow::HEIGHT;
    const CRect area = fits ? parent->GetRect() : CRect(0, 0, 640, 480);
    return CRect(area.x + (area.w - COptionsWindow::WIDTH) / 2, area.y + (area.h - COptionsWindow::HEIGHT) / 2,
                 COptionsWindow::WIDTH, COptionsWindow::HEIGHT);
}

}  // namespace

COptionsWindow::COptionsWindow(tarn::ui::CWidget* parent, const CGameSettings& values, const CChange& onChange)
    : tarn::ui::CWindowWidget(parent, Centred(parent), false, "options", "data/gui/background.png"),
      myValues(values),
      myOnChange(onChange) {
    KeepSize();
    new tarn::ui::CTextWidget(GetTitleBar(), CRect(4, 2, 64, 16), "Options", LABEL_FRAME);
    AddRow(36, "Music volume", CGameSettings::MUSIC_VOLUME);
    AddRow(70, "Effects volume", CGameSettings::EFFECTS_VOLUME);
    new tarn::ui::CTextWidget(this, CRect(LABEL_X, 104, LABEL_WIDTH, ROW_HEIGHT), "Fullscreen", LABEL_FRAME);
    AddButton(CRect(MINUS_X, 104, PLUS_X + SMALL_BUTTON - MINUS_X, ROW_HEIGHT), CGameSettings::FULLSCREEN,
              ValueText(CGameSettings::FULLSCREEN,
                        myValues.Get(CGameSettings::FULLSCREEN, Default(CGameSettings::FULLSCREEN))))
        ->clicked.Connect(this, &COptionsWindow::ToggleFullscreen);
    AddButton(CRect((WIDTH - 80) / 2, 148, 80, 26), "ok", "OK")->clicked.Connect(this, &COptionsWindow::Ok);
}

COptionsWindow::~COptionsWindow() {
    if (myOnDestroyed) myOnDestroyed();
}

void COptionsWindow::KeepSize() {
    SetResizable(false);
    // No maximising, neither by its button (hidden, letting clicks through to the title bar)
    // nor by a double click on the title bar.
    GetMaximiseButton()->GetSprite()->SetVisible(false);
    for (int type :
         {tarn::ui::WIDGET_EVENT_MOTION, tarn::ui::WIDGET_EVENT_BUTTON_DOWN, tarn::ui::WIDGET_EVENT_BUTTON_UP})
        GetMaximiseButton()->IgnoreEvent(type, true);
    GetTitleBar()->SetDoubleClickEnabled(false);
}

void COptionsWindow::AddRow(int y, const std::string& label, const char* name) {
    new tarn::ui::CTextWidget(this, CRect(LABEL_X, y, LABEL_WIDTH, ROW_HEIGHT), label, LABEL_FRAME);
    const std::string setting = name;
    tarn::ui::CButtonWidget* down = AddButton(CRect(MINUS_X, y, SMALL_BUTTON, ROW_HEIGHT), setting + "-", "-");
    tarn::ui::CButtonWidget* up = AddButton(CRect(PLUS_X, y, SMALL_BUTTON, ROW_HEIGHT), setting + "+", "+");
    auto* value = new tarn::ui::CTextWidget(this, CRect(VALUE_X, y, PLUS_X - VALUE_X - 6, ROW_HEIGHT),
                                            ValueText(name, myValues.Get(name, Default(name))), LABEL_FRAME, true);
    value->SetName(setting + " value");
    const bool music = setting == CGameSettings::MUSIC_VOLUME;
    down->clicked.Connect(this, music ? &COptionsWindow::MusicDown : &COptionsWindow::EffectsDown);
    up->clicked.Connect(this, music ? &COptionsWindow::MusicUp : &COptionsWindow::EffectsUp);
}

tarn::ui::CButtonWidget* COptionsWindow::AddButton(const CRect& rect, const std::string& name,
                                                   const std::string& face) {
    // Relative to the window, as its labels are.
    auto* button = new tarn::ui::CButtonWidget(this, rect, true, name, "");
    button->SetDragEnabled(false);
    button->SetDoubleClickEnabled(false);
    auto* text = new tarn::ui::CTextWidget(button, CRect(0, 0, rect.w, rect.h), face, BUTTON_FRAME, true);
    text->SetName(name + " face");
    return button;
}

tarn::ui::CButtonWidget* COptionsWindow::GetButton(const std::string& name) {
    return dynamic_cast<tarn::ui::CButtonWidget*>(FindByName(name));
}

tarn::ui::CTextWidget* COptionsWindow::Shown(const std::string& name) {
    // The fullscreen button shows its value on its face; the volumes between their buttons.
    return dynamic_cast<tarn::ui::CTextWidget*>(FindByName(name + (IsFullscreen(name) ? " face" : " value")));
}

std::string COptionsWindow::GetShownValue(const std::string& name) {
    tarn::ui::CTextWidget* text = Shown(name);
    return text ? text->GetText() : std::string();
}

void COptionsWindow::Change(const char* name, int delta) {
    const int before = myValues.Get(name, Default(name));
    myValues.Set(name, before + delta);
    const int after = myValues.Get(name, Default(name));
    if (after == before) return;
    if (tarn::ui::CTextWidget* text = Shown(name)) text->SetText(ValueText(name, after));
    if (myOnChange) myOnChange(name, after);
}

}  // namespace marbles
