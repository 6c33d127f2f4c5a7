// The console window's client: a widget holding the log text sprite.
#include "tarn/tasks/task_debug/cconsolewidget.h"

#include "tarn/tasks/task_debug/cconsolelogbuffer.h"
#include "tarn/tasks/task_debug/clotsatextsprite.h"
#include "tarn/gfx/cfont.h"
#include "tarn/gfx/cscreenlayer.h"
#include "tarn/gfx/font/csystemfontloader.h"

namespace tarn {

CConsoleWidget::CConsoleWidget(ui::CWidget* parent, const CRect& rect)
    : ui::CWidget(parent, rect, true, "Dev-tool: console", "") {
    SetLayout("parent.x", "parent.y", "parent.w", "parent.h");
    myFont.reset(new CFont());
    CSystemFontLoader(myFont.get(), "");
    CConsoleLogBuffer::GetSingleton()->SetFont(myFont.get());
    myText.reset(new CLotsaTextSprite(rect.w, rect.h));
    myText->SetTextSource(CConsoleLogBuffer::GetSingleton());
    myText->SetParent(CScreenLayer::GetSingleton());
    UpdateSprite();
    UpdateSpriteDepth();
}

CConsoleWidget::~CConsoleWidget() {
    myText.reset();
    CConsoleLogBuffer::GetSingleton()->SetFont(nullptr);
    if (myOnDestroyed) myOnDestroyed();
}

void CConsoleWidget::UpdateSprite() {
    ui::CWidget::UpdateSprite();
    if (!myText) return;
    const CRect& rect = GetRect();
    myText->SetPosition(rect.x, rect.y);
    if (rect.w > 0 && rect.h > 0) myText->SetSize(rect.w, rect.h);
}

void CConsoleWidget::UpdateSpriteDepth() {
    ui::CWidget::UpdateSpriteDepth();
    if (myText) myText->SetZ(GetDepth());
}

}  // namespace tarn
