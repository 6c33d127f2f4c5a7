// Creates the interpreters the kernel hands out.
// CreateInterpreter returns a new object that the caller owns.
#ifndef TARN_TASKS_CINTERPRETERFACTORY_H
#define TARN_TASKS_CINTERPRETERFACTORY_H

namespace tarn {

class CInterpreter;

class CInterpreterFactory {
public:
    virtual ~CInterpreterFactory() = default;
    virtual CInterpreter* CreateInterpreter() = 0;
};

}  // namespace tarn

#endif
