// The task factory: turns task type names into running, named tasks and reaches them by name.
// It owns the tasks it creates; they live until the process ends.
#ifndef TARN_TASKS_CTASKFACTORY_H
#define TARN_TASKS_CTASKFACTORY_H

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "tarn/tasks/ctask.h"

namespace tarn {

class CParameterList;

// Creates tasks of one type.
class ITaskCreator {
public:
    virtual ~ITaskCreator() = default;
    // A new task; the caller owns it.
    virtual CTask* Create() = 0;
};

template <typename T>
class CTaskCreator : public ITaskCreator {
public:
    CTask* Create() override { return new T(); }
};

class CTaskFactory {
public:
    // Registers a task library's types when "taskload" names it.
    using LibraryLoader = void (*)();

    // Created on first use (with the task manager and the kernel) and never deleted.
    static CTaskFactory* GetSingleton();

    CTaskFactory();
    ~CTaskFactory();
    CTaskFactory(const CTaskFactory&) = delete;
    CTaskFactory& operator=(const CTaskFactory&) = delete;

    // Takes ownership of creator; a second registration under the same name is ignored
    // (and the creator deleted).
    void AddTaskType(const std::string& name, ITaskCreator* creator);
    template <typename T>
    void AddTaskType(const std::string& name) {
        AddTaskType(name, new CTaskCreator<T>());
    }
    bool HasTaskType(const std::string& name) const { return myTaskTypes.count(name) != 0; }
    // The registered type names, sorted; and the task libraries "taskload" knows.
    std::vector<std::string> GetTaskTypes() const;
    std::vector<std::string> GetTaskLibraries() const;

    // Creates, names and starts a task; false only when the type is unknown.
    bool StartTask(const std::string& type, const std::string& name, int priority, CParameterList* params);
    void PauseTask(const std::string& name);
    void ResumeTask(const std::string& name);
    void StopTask(const std::string& name);
    // Runs line in the named task's interpreter; false (and a log line) when no such task.
    bool ExecuteInTask(const std::string& name, const std::string& line);
    // The task or null.
    CTask* FindTask(const std::string& name) const;

    // Library names are case-sensitive; an unknown name does nothing.
    void TaskLoad(const std::string& library);
    void AddTaskLibrary(const std::string& library, LibraryLoader loader);

private:
    std::map<std::string, std::unique_ptr<ITaskCreator>> myTaskTypes;
    // The manager and the logger are reached through their accessors on every use: both are
    // deleted at teardown while the factory lives on.
    std::map<std::string, std::unique_ptr<CTask>> myTasks;
    // Tasks started under a name already taken: owned here, reachable only by the manager.
    std::vector<std::unique_ptr<CTask>> myUnnamedTasks;
    std::map<std::string, LibraryLoader> myLibraries;
};

// Registers task type T under name before main runs: static CTaskRegistrar<T> reg("name");
template <typename T>
class CTaskRegistrar {
public:
    explicit CTaskRegistrar(const char* name) { CTaskFactory::GetSingleton()->AddTaskType<T>(name); }
};

// Registers a task library loader before main runs.
class CTaskLibraryRegistrar {
public:
    CTaskLibraryRegistrar(const char* library, CTaskFactory::LibraryLoader loader) {
        CTaskFactory::GetSingleton()->AddTaskLibrary(library, loader);
    }
};

}  // namespace tarn

#endif
