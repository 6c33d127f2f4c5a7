// Makes widgets by class name ("CWidget", ...); every widget class registers its creator here
// before main through a static registrar object.
#ifndef TARN_UI_CWIDGETFACTORY_H
#define TARN_UI_CWIDGETFACTORY_H

#include <map>
#include <string>

namespace tarn {
namespace ui {

class CWidget;

class CWidgetFactory {
public:
    using Creator = CWidget* (*)();

    // Created on first call and never deleted.
    static CWidgetFactory* GetSingleton();

    CWidgetFactory() = default;
    CWidgetFactory(const CWidgetFactory&) = delete;
    CWidgetFactory& operator=(const CWidgetFactory&) = delete;

    // Registers (or replaces) the creator of a class name.
    void AddWidgetType(const std::string& className, Creator creator);
    // A new default-constructed widget of the class, owned by the caller (a creator may hand
    // out a shared widget instead, and says so). Null, with a logged error, for an unknown name.
    CWidget* CreateWidget(const std::string& className) const;
    bool HasWidgetType(const std::string& className) const;

private:
    std::map<std::string, Creator> myCreators;
};

// Registers a widget class with the factory before main (one static object per class).
class CWidgetRegistrar {
public:
    CWidgetRegistrar(const std::string& className, CWidgetFactory::Creator creator) {
        CWidgetFactory::GetSingleton()->AddWidgetType(className, creator);
    }
};

}  // namespace ui
}  // namespace tarn

#endif
