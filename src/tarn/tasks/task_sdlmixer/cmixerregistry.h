// The program-wide list of live loaded sound files of one kind (music or effects), so that a
// file is loaded once. Resources join on construction and leave on destruction; the list
// exists only while it has members.
#ifndef TARN_TASKS_TASK_SDLMIXER_CMIXERREGISTRY_H
#define TARN_TASKS_TASK_SDLMIXER_CMIXERREGISTRY_H

#include <algorithm>
#include <list>
#include <string>
#include <vector>

namespace tarn {

// T has GetFileName(). The list never owns its members.
template <typename T>
class CMixerRegistry {
public:
    static void Add(T* resource) {
        if (!ourList) ourList = new std::list<T*>();
        ourList->push_back(resource);
    }

    static void Remove(T* resource) {
        if (!ourList) return;
        const auto found = std::find(ourList->begin(), ourList->end(), resource);
        if (found != ourList->end()) ourList->erase(found);
        if (!ourList->empty()) return;
        delete ourList;
        ourList = nullptr;
    }

    // The first live resource loaded from exactly fileName, or null.
    static T* Find(const std::string& fileName) {
        if (!ourList) return nullptr;
        for (T* resource : *ourList) {
            if (resource->GetFileName() == fileName) return resource;
        }
        return nullptr;
    }

    // A copy of the list in order, safe to walk while deleting its members.
    static std::vector<T*> GetAll() {
        if (!ourList) return std::vector<T*>();
        return std::vector<T*>(ourList->begin(), ourList->end());
    }

    static int Count() { return ourList ? static_cast<int>(ourList->size()) : 0; }

private:
    static inline std::list<T*>* ourList = nullptr;
};

}  // namespace tarn

#endif
