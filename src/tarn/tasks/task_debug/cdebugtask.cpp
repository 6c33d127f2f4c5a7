// The "debug" task: frame-rate box and the developer console window.
#include "tarn/tasks/task_debug/cdebugtask.h"

#include <algorithm>

#include "tarn/tasks/task_debug/cconsolewidget.h"
#include "tarn/tasks/task_debug/ctoggleconsolecommand.h"
#include "tarn/inputdevice/cdraggablesprite.h"
#include "tarn/gfx/cfont.h"
#include "tarn/gfx/cscreenlayer.h"
#include "tarn/gfx/ctextsprite.h"
#include "tarn/gfx/font/csystemfontloader.h"
#include "tarn/gfx/gfx.h"
#include "tarn/tasks/cinterpreter.h"
#include "tarn/tasks/ckernel.h"
#include "tarn/tasks/ctaskfactory.h"
#include "tarn/ui/cdesktopwidget.h"
#include "tarn/ui/cwindowwidget.h"

namespace tarn {

namespace {

CTaskRegistrar<CDebugTask> theDebugRegistrar("debug");

const types::ticks kSampleMs = 1000;

}  // namespace

CDebugTask::CDebugTask() : myConsole(nullptr) { Clear(); }

CDebugTask::~CDebugTask() { OnStop(); }

void CDebugTask::Clear() {
    myFrameCount = 0;
    myLastSample = 0;
    myAverageFps = 0;
    myMinFps = std::numeric_limits<unsigned>::max();
    myMaxFps = 0;
}

bool CDebugTask::Start() {
    CToggleConsoleCommand::GetSingleton()->SetTarget(this);
    myInterpreter.reset(CKernel::GetSingleton()->CreateInterpreter());
    myInterpreter->AddCommand("ToggleConsole", CToggleConsoleCommand::GetSingleton());

    CFont* font = new CFont();
    CSystemFontLoader(font, "");
    CSprite* box = new CSprite(CreateImage(125, 25, CColor(255, 0, 255, 255)));
    box->SetAlpha(128);
    box->SetZ(-5);
    CTextSprite* text = new CTextSprite(font, 75, 20, box);
    myFpsSprite.reset(text);
    myFpsSprite->SetZ(-6);
    myFpsSprite->SetParent(CScreenLayer::GetSingleton());
    myFpsMover.reset(new CDraggableSprite(myFpsSprite));

    myConsole = nullptr;
    myLastSample = myTimer.GetTime();
    return true;
}

void CDebugTask::Update() {
    if (myConsole && myConsole->IsClosed()) CloseConsole();
    ++myFrameCount;
    const types::ticks now = myTimer.GetTime();
    if (now - myLastSample < kSampleMs) return;
    if (myAverageFps < 1) myAverageFps = myFrameCount;
    myAverageFps = (myFrameCount + myAverageFps) / 2;
    myMinFps = std::min(myMinFps, myFrameCount);
    myMaxFps = std::max(myMaxFps, myFrameCount);
    if (CTextSprite* text = GetFpsSprite()) text->SetText("Fps: " + std::to_string(myFrameCount));
    myFrameCount = 0;
    myLastSample = now;
}

void CDebugTask::OnStop() {
    if (CToggleConsoleCommand::GetSingleton()->GetTarget() == this) CToggleConsoleCommand::GetSingleton()->SetTarget(nullptr);
    CloseConsole();
    myFpsMover.reset();
    myFpsSprite.reset();
    myInterpreter.reset();
}

bool CDebugTask::ExecuteCommand(const std::string& line) {
    if (myInterpreter) myInterpreter->Execute(line, false);
    return true;
}

CTextSprite* CDebugTask::GetFpsSprite() const { return static_cast<CTextSprite*>(myFpsSprite.get()); }

void CDebugTask::CloseConsole() {
    ui::CWindowWidget* console = myConsole;
    myConsole = nullptr;
    delete console;
}

void CDebugTask::ToggleConsole() {
    if (myConsole) {
        CloseConsole();
        return;
    }
    myConsole = new ui::CWindowWidget(ui::CDesktopWidget::GetSingleton(), CRect(10, 10, 400, 200), false, "Dev-tool",
                                      "data/gui/background.png");
    // The desktop may delete the window with its whole tree (the ui task stopping first).
    // The log fills the window's client area, so the title bar and close control stay usable.
    ui::CWidget* area = myConsole->GetClientArea() ? myConsole->GetClientArea() : myConsole;
    CConsoleWidget* client = new CConsoleWidget(area, CRect(0, 0, area->GetRect().w, area->GetRect().h));
    client->SetOnDestroyed([this]() { myConsole = nullptr; });
}

}  // namespace tarn
