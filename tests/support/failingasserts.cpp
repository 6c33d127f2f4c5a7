// Makes a broken invariant fail the running test: every test program installs, before main,
// an assertion handler that reports the failed statement and its values to GoogleTest.
#include <gtest/gtest.h>

#include <string>

#include "tarn/utils/logger/cassert.h"

namespace {

void FailTheRunningTest(tarn::CAssertReport* report) {
    std::string values;
    for (const tarn::CAssertValue& value : report->myValues)
        values += "\n  " + value.myName + " = " + (value.myValue ? value.myValue->ToText() : std::string("?"));
    ADD_FAILURE_AT(report->myFile.c_str(), report->myLine)
        << "assertion failed: " << report->myExpression << values;
}

struct CFailingAsserts {
    CFailingAsserts() { tarn::SetAssertHandler(&FailTheRunningTest); }
} theFailingAsserts;

}  // namespace
