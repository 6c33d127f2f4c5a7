// A sprite that shows a sprite sheet one frame at a time: it holds named animations, plays
// the current one on its own clock and is stepped by the animation scheduler.
#include "tarn/gfx/canimatedsprite.h"

#include "tarn/utils/xml/cxmlfilesys.h"
#include "tarn/gfx/canimation.h"
#include "tarn/gfx/canimationupdater.h"
#include "tarn/gfx/cspritefactory.h"

namespace tarn {

namespace {

// Scaled milliseconds as ticks: negative, non-finite and too large values are cut to what
// a tick count can hold (a sprite's clock never runs backwards).
types::ticks ToTicks(double ms) {
    if (!(ms > 0.0)) return 0;
    const double limit = 2147483647.0;
    return static_cast<types::ticks>(ms < limit ? ms : limit);
}

CSpriteTypeRegistrar theAnimatedSpriteRegistrar(SPRITE_ANIMATED, +[]() -> CSprite* { return new CAnimatedSprite(); });

}  // namespace

CAnimatedSprite::CAnimatedSprite()
    : myCurrentAnimation(nullptr),
      myCurrentFrame(0),
      myAnimationTime(0),
      myClockStarted(false),
      myLastUpdateTime(0),
      myMiniumUpdateTime(kDefaultMinimumUpdateTime),
      myPlay(false),
      myTimeMultiply(1.0f) {}

CAnimatedSprite::~CAnimatedSprite() { CAnimationUpdater::GetSingleton()->Remove(this); }

int CAnimatedSprite::GetType() const { return SPRITE_ANIMATED; }

void CAnimatedSprite::AddAnimation(std::unique_ptr<CAnimation> animation) {
    if (!animation) return;
    myAnimations.push_back(std::move(animation));
    if (!myCurrentAnimation) myCurrentAnimation = myAnimations.back().get();
}

int CAnimatedSprite::GetFrameCount() const { return myCurrentAnimation ? myCurrentAnimation->GetFrameCount() : 0; }

std::string CAnimatedSprite::GetAnimationName() const {
    return myCurrentAnimation ? myCurrentAnimation->GetName() : std::string();
}

bool CAnimatedSprite::HasAnimation(const std::string& name) const {
    for (const auto& animation : myAnimations)
        if (animation->GetName() == name) return true;
    return false;
}

void CAnimatedSprite::Play() {
    myPlay = true;
    CAnimationUpdater::GetSingleton()->Add(this);
}

void CAnimatedSprite::Stop() {
    myPlay = false;
    CAnimationUpdater::GetSingleton()->Remove(this);
}

void CAnimatedSprite::Reset() {
    Stop();
    Rewind();
}

void CAnimatedSprite::Rewind() {
    myCurrentFrame = 0;
    myAnimationTime = 0;
    myClockStarted = false;
    if (myCurrentAnimation) myCurrentAnimation->Restart();
}

void CAnimatedSprite::SetAnimation(const std::string& name) {
    if (myCurrentAnimation && myCurrentAnimation->GetName() == name) {
        Play();
        return;
    }
    for (const auto& animation : myAnimations) {
        if (animation->GetName() != name) continue;
        myCurrentAnimation = animation.get();
        break;
    }
    Rewind();
    Play();
}

types::ticks CAnimatedSprite::GetNextUpdateTime() const {
    if (!myCurrentAnimation || myCurrentAnimation->GetFrameCount() == 0 || !(myTimeMultiply > 0.0f)) {
        return myLastUpdateTime + myMiniumUpdateTime;
    }
    // Not started: due at once.
    if (!myClockStarted) return 0;
    const auto ahead = static_cast<int32_t>(myCurrentAnimation->GetNextTime() - myAnimationTime);
    if (ahead <= 0) return myLastUpdateTime;
    return myLastUpdateTime + ToTicks(ahead / static_cast<double>(myTimeMultiply));
}

void CAnimatedSprite::UpdateTime(types::ticks now) {
    if (!myClockStarted) {
        myAnimationTime = now;
        myLastUpdateTime = now;
        myClockStarted = true;
        return;
    }
    myAnimationTime += ToTicks(static_cast<double>(now - myLastUpdateTime) * myTimeMultiply);
    myLastUpdateTime = now;
}

void CAnimatedSprite::StepFrame() {
    if (!myCurrentAnimation || !myPlay) return;
    myCurrentFrame = myCurrentAnimation->Step(this, myCurrentFrame, myAnimationTime);
}

void CAnimatedSprite::Serialize(CXmlFileSys* filesys) {
    CSprite::Serialize(filesys);
    std::string current = GetAnimationName();
    TARN_SERIALIZE(filesys, current, "CurrentAnimation");
    TARN_SERIALIZE(filesys, myCurrentFrame, "CurrentFrame");
    TARN_SERIALIZE(filesys, myMiniumUpdateTime, "MiniumUpdateTime");
    TARN_SERIALIZE(filesys, myPlay, "Play");
    TARN_SERIALIZE(filesys, myTimeMultiply, "TimeMultiply");
    CXmlNode* node = filesys->GetNode();
    if (filesys->IsWriting()) {
        for (const auto& animation : myAnimations) {
            auto* child = new CXmlNode("Animation");
            node->AddChild(child);
            CXmlFileSys nested(child, CXmlFileSys::MODE_WRITE);
            animation->Serialize(&nested);
        }
        return;
    }
    for (int i = 0; node && i < node->GetChildCount(); ++i) {
        CXmlNode* child = node->GetChild(i);
        if (child->GetName() != "Animation") continue;
        auto animation = std::make_unique<CAnimation>();
        CXmlFileSys nested(child, CXmlFileSys::MODE_READ);
        animation->Serialize(&nested);
        AddAnimation(std::move(animation));
    }
    myCurrentAnimation = nullptr;
    if (!current.empty()) {
        SetAnimation(current);
    } else if (myPlay) {
        Play();  // playing means scheduled
    }
}

}  // namespace tarn
