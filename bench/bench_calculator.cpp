// Calculator evaluations per second on the widget layout expressions: the text as the widgets
// hand it over (names already replaced by numbers), and the same with registered named values.
#include <benchmark/benchmark.h>

#include <string>

#include "tarn/utils/calculator/ccalculator.h"
#include "tarn/utils/calculator/cinfixtopostfix.h"
#include "tarn/utils/calculator/cvalueoperand.h"

namespace {

// The centred child at 90 percent of a 640 by 480 parent at (15, 30), after name replacement.
const char* const kCentred = "15 + ( 640 / 2 - ( 640 * 0.9 / 2 ) )";
const char* const kCentredNamed = "parent.x + ( parent.w / 2 - ( parent.w * 0.9 / 2 ) )";
const char* const kShort = "640 - 20";

void RunCalculations(benchmark::State& state, tarn::CCalculator& calculator, const std::string& text) {
    for (auto _ : state) benchmark::DoNotOptimize(calculator.Calculate(text));
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations()));
}

void BM_CalculateLayoutExpression(benchmark::State& state) {
    tarn::CCalculator calculator;
    RunCalculations(state, calculator, kCentred);
}
BENCHMARK(BM_CalculateLayoutExpression);

void BM_CalculateShortExpression(benchmark::State& state) {
    tarn::CCalculator calculator;
    RunCalculations(state, calculator, kShort);
}
BENCHMARK(BM_CalculateShortExpression);

void BM_CalculateWithNamedValues(benchmark::State& state) {
    tarn::CCalculator calculator;
    tarn::CValueOperand x(15), width(640);
    calculator.AddOperand("parent.x", &x);
    calculator.AddOperand("parent.w", &width);
    RunCalculations(state, calculator, kCentredNamed);
}
BENCHMARK(BM_CalculateWithNamedValues);

void BM_ConvertLayoutExpression(benchmark::State& state) {
    tarn::CInfixToPostfix converter;
    const std::string text = kCentred;
    for (auto _ : state) benchmark::DoNotOptimize(converter.Convert(text));
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations()));
}
BENCHMARK(BM_ConvertLayoutExpression);

// A long expression, to show the time grows linearly with the text.
void BM_CalculateLongSum(benchmark::State& state) {
    std::string text = "1";
    for (int64_t i = 0; i < state.range(0); ++i) text += " + 1";
    tarn::CCalculator calculator;
    for (auto _ : state) benchmark::DoNotOptimize(calculator.Calculate(text));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_CalculateLongSum)->Arg(1000)->Arg(100000);

}  // namespace
