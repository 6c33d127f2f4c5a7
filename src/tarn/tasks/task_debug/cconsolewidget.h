// The client of the "Dev-tool" window: fills its parent and shows the whole log in the system
// font through a lotsa-text sprite fed by the process-wide log buffer.
#ifndef TARN_TASKS_TASK_DEBUG_CCONSOLEWIDGET_H
#define TARN_TASKS_TASK_DEBUG_CCONSOLEWIDGET_H

#include <functional>
#include <memory>

#include "tarn/ui/cwidget.h"

namespace tarn {

class CFont;
class CLotsaTextSprite;

class CConsoleWidget : public ui::CWidget {
public:
    // A child of parent at rect (relative to it), laid out to fill it.
    CConsoleWidget(ui::CWidget* parent, const CRect& rect);
    // Takes the font back from the log buffer and deletes it.
    ~CConsoleWidget() override;
    // Keeps the text sprite on the widget's rectangle and depth.
    void UpdateSprite() override;
    void UpdateSpriteDepth() override;

    CLotsaTextSprite* GetTextSprite() const { return myText.get(); }
    // Called from the destructor, whoever deletes the widget (its window, the desktop).
    void SetOnDestroyed(const std::function<void()>& callback) { myOnDestroyed = callback; }

private:
    std::unique_ptr<CFont> myFont;
    std::unique_ptr<CLotsaTextSprite> myText;
    std::function<void()> myOnDestroyed;
};

}  // namespace tarn

#endif
