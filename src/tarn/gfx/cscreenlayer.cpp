// The one layer whose target is the screen: besides redrawing what changed it tells the
// screen image which rectangles changed, so that only those reach the display.
#include "tarn/gfx/cscreenlayer.h"

#include "tarn/utils/logger/clogger.h"
#include "tarn/gfx/gfx.h"
#include "tarn/gfx/ipixel.h"

namespace tarn {

CScreenLayer* CScreenLayer::GetSingleton() {
    static CScreenLayer* layer = new CScreenLayer();
    return layer;
}

CScreenLayer::CScreenLayer() : myScreen(nullptr), myDrawAll(true), myScreenTarget(std::make_unique<CSprite>()) {
    CSpriteLayer::SetTarget(myScreenTarget.get());
}

CScreenLayer::~CScreenLayer() { CSpriteLayer::SetTarget(nullptr); }

int CScreenLayer::GetType() const { return SPRITE_SCREENLAYER; }

void CScreenLayer::ReportDirty(const CSprite* child) {
    const CSprite::DirtyState state = child->GetDirtyState();
    if (state == CSprite::DirtyState::Clean) return;
    myScreen->AddDirtyRect(child->GetDirtyRect(0));
    if (state == CSprite::DirtyState::Moved) myScreen->AddDirtyRect(child->GetDirtyRect(1));
}

bool CScreenLayer::Redraw(CSprite* target) {
    const std::list<CSprite*>& children = GetChildren();
    if (children.empty() || !myScreen) return false;
    if (children.front()->GetZ() > GetWatermark()) return false;
    // The farthest sprite, when opaque, covers nothing but the blank screen and saves no
    // background; places left by such sprites are blanked before anything is drawn.
    const CSprite* farthest = children.back();
    for (CSprite* child : children) {
        if (child->GetZ() > GetWatermark()) break;
        child->SetOverBlank(child == farthest && child->CanDrawOverBlank());
        child->ClearLeftPlace(target);
    }
    for (auto it = children.rbegin(); it != children.rend(); ++it) {
        CSprite* child = *it;
        if (child->GetZ() > GetWatermark()) continue;
        ReportDirty(child);
        child->Redraw(target);
        SetWatermark(child->GetZ());
    }
    SetWatermark(GetWatermark() - 1);
    return true;
}

void CScreenLayer::RemoveSprite(CSprite* sprite) {
    IPixel* screen = GetScreen();
    screen->AddDirtyRect(screen->GetRect());
    CSpriteLayer::RemoveSprite(sprite);
    LeaveBlank(sprite);
}

void CScreenLayer::LeaveBlank(CSprite* sprite) {
    if (!sprite) return;
    sprite->SetOverBlank(false);
    sprite->ClearLeftPlace(myScreenTarget.get());
}

void CScreenLayer::SetTarget(CSprite*) {}

void CScreenLayer::HideSprite(CSprite* sprite) {
    IPixel* screen = GetScreen();
    screen->AddDirtyRect(screen->GetRect());
    CSpriteLayer::HideSprite(sprite);
    LeaveBlank(sprite);
}

void CScreenLayer::Refresh() {
    myScreen = GetScreen();
    if (myScreen->IsNullImage() || myScreen->IsEmpty()) return;
    if (myDrawAll || myScreenTarget->GetImage() != myScreen || myScreenTarget->GetRect() != myScreen->GetRect()) {
        DrawAll();
        return;
    }
    Redraw(myScreenTarget.get());
}

void CScreenLayer::ReleaseScreen() {
    myScreenTarget->SetImage(nullptr);
    myScreenTarget->SetRect(CRect());
    myScreen = nullptr;
    myDrawAll = true;
}

void CScreenLayer::DrawAll() {
    myDrawAll = false;
    myScreenTarget->BorrowImage(myScreen);
    myScreenTarget->SetRect(myScreen->GetRect());
    *CLogger::GetSingleton() << "drawing all" << "\n";
    // A new screen shows nothing of the old one: all of it goes to the display.
    myScreen->AddDirtyRect(myScreen->GetRect());
    const std::list<CSprite*>& children = GetChildren();
    if (children.empty()) return;
    // Erasing from the farthest child makes every child due.
    ChildChanged(children.back());
    Redraw(myScreenTarget.get());
}

}  // namespace tarn
