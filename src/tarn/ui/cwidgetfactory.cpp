// The widget factory: a map from class name to creator, filled by static registrars.
#include "tarn/ui/cwidgetfactory.h"

#include "tarn/utils/logger/clogger.h"

namespace tarn {
namespace ui {

CWidgetFactory* CWidgetFactory::GetSingleton() {
    static CWidgetFactory* instance = new CWidgetFactory();
    return instance;
}

void CWidgetFactory::AddWidgetType(const std::string& className, Creator creator) {
    myCreators[className] = creator;
}

CWidget* CWidgetFactory::CreateWidget(const std::string& className) const {
    auto it = myCreators.find(className);
    if (it == myCreators.end() || !it->second) {
        CLogger::GetSingleton()->Error() << "Unknown widget class \"" << className << "\"\n";
        return nullptr;
    }
    return it->second();
}

bool CWidgetFactory::HasWidgetType(const std::string& className) const {
    return myCreators.count(className) != 0;
}

}  // namespace ui
}  // namespace tarn
