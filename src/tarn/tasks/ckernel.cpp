// The kernel singleton: owns the console interpreter, creates further interpreters and
// gives access to the logger, which it deletes with itself.
#include "tarn/tasks/ckernel.h"

#include "tarn/utils/logger/clogger.h"
#include "tarn/tasks/cbasiccommands.h"
#include "tarn/tasks/cinterpreterfactory.h"
#include "tarn/tasks/ckernelinterpreter.h"
#include "tarn/tasks/cnamespaceregistry.h"

namespace tarn {

namespace {

CKernel* theKernel = nullptr;

class CKernelInterpreterFactory : public CInterpreterFactory {
public:
    CInterpreter* CreateInterpreter() override { return new CKernelInterpreter(); }
};

}  // namespace

CKernel* CKernel::GetSingleton() {
    if (!theKernel) theKernel = new CKernel();
    return theKernel;
}

void CKernel::DeleteSingleton() {
    CKernel* kernel = theKernel;
    theKernel = nullptr;
    delete kernel;
}

CKernel::CKernel() : myInterpreterFactory(new CKernelInterpreterFactory()) {}

CKernel::~CKernel() {
    myInterpreterFactory.reset();
    if (myConsole) CNamespaceRegistry::GetSingleton()->DetachInterpreter(myConsole.get());
    myConsole.reset();
    CLogger::DeleteSingleton();
}

CInterpreter* CKernel::GetConsole() {
    if (myConsole) return myConsole.get();
    myConsole.reset(myInterpreterFactory->CreateInterpreter());
    static bool registered = false;
    if (!registered) {
        RegisterBasicCommands();
        registered = true;
    }
    CNamespaceRegistry::GetSingleton()->AttachInterpreter("basic", myConsole.get());
    return myConsole.get();
}

CInterpreter* CKernel::CreateInterpreter() { return myInterpreterFactory->CreateInterpreter(); }

CLogger* CKernel::GetLogger() { return CLogger::GetSingleton(); }

}  // namespace tarn
