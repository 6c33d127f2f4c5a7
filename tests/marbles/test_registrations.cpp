// What registers itself before main in the program's link: every task type and task library,
// sprite type, widget class, and the command namespace the console brings. A registrar the linker drops (a library no longer linked
// whole) fails here.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tarn/gfx/cspritefactory.h"
#include "tarn/tasks/ckernel.h"
#include "tarn/tasks/cnamespaceregistry.h"
#include "tarn/tasks/ctaskfactory.h"
#include "tarn/ui/cwidgetfactory.h"

using Names = std::vector<std::string>;

TEST(Registrations, EveryTaskTypeSpriteTypeAndCommandNamespaceIsThereBeforeMain) {
    tarn::CTaskFactory* factory = tarn::CTaskFactory::GetSingleton();
    EXPECT_EQ(factory->GetTaskLibraries(), (Names{"sdl", "sdl_mixer"}));
    EXPECT_EQ(factory->GetTaskTypes(), (Names{"debug", "game", "gfxtest", "keyboard", "mouse", "ui", "unittest"}));
    factory->TaskLoad("sdl");
    factory->TaskLoad("sdl_mixer");
    EXPECT_EQ(factory->GetTaskTypes(), (Names{"audio", "debug", "event", "game", "gfx", "gfxtest", "keyboard", "mouse",
                                              "ui", "unittest", "window"}));
    EXPECT_EQ(tarn::CSpriteFactory::GetSingleton()->GetSpriteTypes(), (std::vector<int>{0, 1, 2, 3, 4}));
    for (const char* widget : {"CWidget", "CButtonWidget", "CWindowWidget", "CDesktopWidget"})
        EXPECT_TRUE(tarn::ui::CWidgetFactory::GetSingleton()->HasWidgetType(widget)) << widget;
    // The basic commands register with the console's first use; a task's commands are reached
    // by the task's name ("game::Undo") through the task itself.
    EXPECT_TRUE(tarn::CNamespaceRegistry::GetSingleton()->GetNames().empty());
    tarn::CKernel::GetSingleton()->GetConsole();
    EXPECT_EQ(tarn::CNamespaceRegistry::GetSingleton()->GetNames(), (Names{"basic"}));
}
