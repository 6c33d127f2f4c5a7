// Kernel throughput: command lines interpreted per second and main-loop frames per second.
#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "tarn/tasks/cinterpreter.h"
#include "tarn/tasks/ctask.h"
#include "tarn/tasks/ctaskmanager.h"

namespace {

class CNoOpCommand : public tarn::CCommand {
public:
    std::string Execute(tarn::CParameterList* params) override {
        benchmark::DoNotOptimize(params);
        return std::string();
    }
    std::string Execute() override { return std::string(); }
};

class CIdleTask : public tarn::CTask {
public:
    void Update() override { benchmark::ClobberMemory(); }
};

void BM_InterpretStartTaskLine(benchmark::State& state) {
    tarn::CInterpreter interpreter;
    CNoOpCommand command;
    interpreter.AddCommand("starttask", &command);
    const std::string line = "starttask( window, w, 100, 640, 480 )";
    for (auto _ : state) benchmark::DoNotOptimize(interpreter.Execute(line, false));
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_InterpretStartTaskLine);

void BM_InterpretStatementList(benchmark::State& state) {
    tarn::CInterpreter interpreter;
    const std::string line = "a = 3; b = a // two assignments";
    for (auto _ : state) benchmark::DoNotOptimize(interpreter.Execute(line, false));
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_InterpretStatementList);

void BM_MainLoopFrame(benchmark::State& state) {
    tarn::CTaskManager* manager = tarn::CTaskManager::GetSingleton();
    std::vector<std::unique_ptr<CIdleTask>> tasks;
    for (int i = 0; i < 20; ++i) {
        tasks.emplace_back(new CIdleTask());
        if (i >= 10) tasks.back()->SetInterval(1000 + i);  // timed tasks, rarely due
        tasks.back()->SetPriority(i);
        manager->AddTask(tasks.back().get(), nullptr);
    }
    for (auto _ : state) manager->RunOnce();
    state.SetItemsProcessed(state.iterations());
    tasks.clear();
    tarn::CTaskManager::DeleteSingleton();
}
BENCHMARK(BM_MainLoopFrame);

}  // namespace
