// The assertion statement: cassert( expr ) cvalue( a ) cvalue( b );
// Built in when TARN_ASSERTIONS is 1; otherwise it evaluates neither the expression nor the values.
#ifndef TARN_UTILS_LOGGER_CASSERT_H
#define TARN_UTILS_LOGGER_CASSERT_H

#include <list>
#include <memory>
#include <string>
#include <typeinfo>

#include "tarn/utils/containers/cvalueref.h"

#ifndef TARN_ASSERTIONS
#define TARN_ASSERTIONS 0
#endif

namespace tarn {

// One value captured by a failed assertion.
struct CAssertValue {
    std::string myTypeName;
    std::string myName;
    bool myConst;
    std::shared_ptr<CValueRef> myValue;
};

// The report of one failed assertion; it lives from the failure until its handler returns.
struct CAssertReport {
    std::string myMessage;
    std::string myExpression;
    std::string myFile;
    int myLine = 0;
    std::list<CAssertValue> myValues;
};

using AssertHandler = void (*)(CAssertReport* report);

// The process-wide handler called with every report. The default one returns at once.
AssertHandler GetAssertHandler();
// Installs handler; null restores the default.
void SetAssertHandler(AssertHandler handler);

// Writes the report to the log while values are attached and calls the handler when the
// statement ends. Only one exists at a time.
class CAssertReporter {
public:
    CAssertReporter(const char* expression, const char* file, int line);
    ~CAssertReporter();
    CAssertReporter(const CAssertReporter&) = delete;
    CAssertReporter& operator=(const CAssertReporter&) = delete;

    template <typename T>
    CAssertReporter& Value(const char* name, const T& value) {
        AddValue(typeid(T).name(), name, new CValueRefT<T>(const_cast<T*>(&value), name, true));
        return *this;
    }

private:
    void AddValue(const char* typeName, const char* name, CValueRef* value);
};

// Stands in for the reporter when assertions are compiled out; never constructed at run time.
struct CAssertNull {
    template <typename T>
    CAssertNull& Value(const char*, const T&) {
        return *this;
    }
};

}  // namespace tarn

#if TARN_ASSERTIONS
#define cassert(expr) \
    if (expr) {       \
    } else            \
        ::tarn::CAssertReporter(#expr, __FILE__, __LINE__)
#else
#define cassert(expr) \
    if (true) {       \
    } else            \
        ::tarn::CAssertNull()
#endif

// Attaches a named value to the assertion statement before it: cassert( a < b ) cvalue( a );
#define cvalue(v) .Value(#v, (v))

#endif
