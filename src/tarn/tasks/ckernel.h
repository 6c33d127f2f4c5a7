// The kernel singleton: owns the console interpreter, creates further interpreters and
// gives access to the logger, which it deletes with itself.
#ifndef TARN_TASKS_CKERNEL_H
#define TARN_TASKS_CKERNEL_H

#include <memory>

namespace tarn {

class CInterpreter;
class CInterpreterFactory;
class CLogger;

class CKernel {
public:
    // Created on first call.
    static CKernel* GetSingleton();
    // Deletes the kernel (and with it the console interpreter and the logger).
    static void DeleteSingleton();

    CKernel();
    virtual ~CKernel();
    CKernel(const CKernel&) = delete;
    CKernel& operator=(const CKernel&) = delete;

    // The console interpreter with the "basic" commands; created on first call, owned here.
    CInterpreter* GetConsole();
    // A new interpreter attached to no namespace; the caller owns it.
    CInterpreter* CreateInterpreter();
    CLogger* GetLogger();

private:
    std::unique_ptr<CInterpreter> myConsole;
    std::unique_ptr<CInterpreterFactory> myInterpreterFactory;
};

}  // namespace tarn

#endif
