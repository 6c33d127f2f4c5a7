// The drawn, clickable marble: its sprite follows the body, its highlight follows the pointer
// and the selection, and its clicks go to the game logic.
#include "marbles/game/cmarblegfx.h"

#include <cmath>

#include "marbles/game/cmarblegfxfactory.h"
#include "marbles/game/cmarblespritetable.h"
#include "marbles/rules/cmarbleslogic.h"
#include "tarn/gfx/canimatedsprite.h"
#include "tarn/inputdevice/cmouse.h"
#include "tarn/utils/logger/cassert.h"
#include "tarn/utils/logger/clogger.h"

namespace marbles {

namespace {

const int LEFT_BUTTON = 1;
const int RIGHT_BUTTON = 4;
const int Z_WITHOUT_SPRITE = 100000;
// What a marble made without a factory uses.
const CScreenMapping DEFAULT_MAPPING;

}  // namespace

CMarbleGfx::~CMarbleGfx() {
    tarn::CMouse::GetSingleton()->RemoveReceiver(this);
    mySprite.reset();
}

const CScreenMapping& CMarbleGfx::Mapping() const { return myFactory ? myFactory->GetMapping() : DEFAULT_MAPPING; }

bool CMarbleGfx::IsInputEnabled() const { return !myFactory || myFactory->IsInputEnabled(); }

void CMarbleGfx::RefreshLook() {
    if (!mySprite) return;
    std::string look = IsSelected() ? "selected" : IsHighlightShown() ? "highlight" : "normal";
    // Animated sprites fall back to the looks they have; others ignore the request anyway.
    if (const auto* animated = dynamic_cast<const tarn::CAnimatedSprite*>(mySprite.get())) {
        if (look == "selected" && !animated->HasAnimation(look)) look = "highlight";
        if (look == "highlight" && !animated->HasAnimation(look)) look = "normal";
    }
    mySprite->SetAnimation(look);
}

void CMarbleGfx::OnTypeAssigned() {
    mySprite = CMarbleSpriteTable::GetSingleton()->GetSprite(GetType());
    if (IsHighlightShown()) RefreshLook();
    tarn::CMouse::GetSingleton()->AddReceiver(this);
}

void CMarbleGfx::RememberPosition() {
    myRecent[myRecentNext] = GetPosition();
    myRecentNext = (myRecentNext + 1) % SMOOTH_STEPS;
    if (myRecentCount < SMOOTH_STEPS) ++myRecentCount;
}

bool CMarbleGfx::IsResting() const {
    if (myRecentCount < SMOOTH_STEPS) return false;
    const Vector2 latest = GetPosition();
    for (const Vector2& p : myRecent) {
        const Vector2 d = p - latest;
        if (Dot(d, d) > SMOOTH_RADIUS * SMOOTH_RADIUS) return false;
    }
    return true;
}

Vector2 CMarbleGfx::GetDrawnPosition() {
    if (!IsResting()) {
        myAnchored = false;
        return GetPosition();
    }
    Vector2 sum;
    for (const Vector2& p : myRecent) sum = sum + p;
    const Vector2 mean = (1.0f / static_cast<float>(SMOOTH_STEPS)) * sum;
    // The mean of a trembling marble still wanders by fractions of a pixel: it is drawn where
    // it came to rest until its mean has gone a whole pixel from there, so that it does not
    // flicker between two pixels (and nothing is redrawn while the pile rests).
    const Vector2 drift = mean - myAnchor;
    const CScreenMapping& mapping = Mapping();
    if (!myAnchored || std::fabs(drift.x * mapping.myScaleX) >= 1.0f || std::fabs(drift.y * mapping.myScaleY) >= 1.0f) {
        myAnchor = mean;
        myAnchored = true;
    }
    return myAnchor;
}

void CMarbleGfx::OnMoved() {
    RememberPosition();
    if (!mySprite) return;
    const tarn::CRect rect = mySprite->GetRect();
    const Vector2 drawn = GetDrawnPosition();
    const CScreenMapping& mapping = Mapping();
    const float x = drawn.x * mapping.myScaleX + mapping.myOffsetX - rect.w / 2.0f;
    const float y = drawn.y * mapping.myScaleY + mapping.myOffsetY - rect.h / 2.0f;
    mySprite->SetPosition(static_cast<int>(x), static_cast<int>(y));
}

void CMarbleGfx::OnHighlightChanged(bool /*on*/) { RefreshLook(); }

void CMarbleGfx::OnMouseMove(int /*x*/, int /*y*/) {
    if (myPointerOver || !IsInputEnabled()) return;
    myPointerOver = true;
    if (myGameLogic && myGameLogic->CanSelect(this) && !IsSelected()) SetHighlight(true);
}

void CMarbleGfx::OnMouseOut(int /*x*/, int /*y*/) {
    if (!myPointerOver) return;
    myPointerOver = false;
    if (!IsSelected() && IsHighlightShown()) SetHighlight(false);
}

void CMarbleGfx::OnMouseDown(int button) {
    if (!IsInputEnabled()) return;
    if (button == LEFT_BUTTON) {
        cassert(myGameLogic != nullptr) cvalue(GetIndex());
        if (myGameLogic) myGameLogic->OnMarbleClicked(this);
        return;
    }
    if (button == RIGHT_BUTTON) tarn::CLogger::GetSingleton()->Write("Marble " + std::to_string(GetIndex()) + "\n");
}

tarn::CRect CMarbleGfx::GetRect() const { return mySprite ? mySprite->GetRect() : tarn::CRect(); }

int CMarbleGfx::GetZ() const { return mySprite ? mySprite->GetZ() : Z_WITHOUT_SPRITE; }

}  // namespace marbles
