// The seven commands of the namespace "basic": quit, load, taskload, starttask, pausetask,
// resumetask and stoptask, the vocabulary of the start-up script.
#ifndef TARN_TASKS_CBASICCOMMANDS_H
#define TARN_TASKS_CBASICCOMMANDS_H

namespace tarn {

// Registers the basic commands in the namespace registry (they live until the process ends).
void RegisterBasicCommands();

}  // namespace tarn

#endif
