// The task interface: every long-running activity is a task that the task manager updates
// once per frame in priority order (or every interval ms, when timed).
#ifndef TARN_TASKS_CTASK_H
#define TARN_TASKS_CTASK_H

#include <string>

namespace tarn {

class CParameterList;

class CTask {
public:
    CTask();
    CTask(int priority, const std::string& name);
    CTask(const CTask&) = delete;
    CTask& operator=(const CTask&) = delete;

    // Stops the task and unlinks it from the task manager's lists.
    virtual ~CTask();
    // Timed tasks order by interval, the others by priority; lower comes first.
    virtual bool IsLessThan(const CTask* other) const;
    // Start with start-up arguments (params is not owned); false means the task did not start.
    virtual bool Start(CParameterList* params);
    virtual bool Start();
    virtual void Update() = 0;
    virtual void OnStop();
    virtual void OnPause();
    virtual void OnResume();
    virtual void SetPriority(int priority);
    virtual int GetPriority() const;
    virtual bool IsDead() const;
    virtual void SetDead(bool dead);
    virtual std::string GetName() const;
    virtual void SetName(const std::string& name);
    // Runs line in the task's own interpreter; false when the task has no commands.
    virtual bool ExecuteCommand(const std::string& line);
    virtual bool IsTimed() const;
    virtual void SetInterval(unsigned int ms);
    virtual unsigned int GetInterval() const;
    // True for tasks that pause while the application is inactive.
    virtual bool PauseWhenInactive() const;

private:
    std::string myName;
    int myPriority;
    bool myDead;
    unsigned int myInterval;
};

}  // namespace tarn

#endif
