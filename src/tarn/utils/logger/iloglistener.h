// A receiver of whole log lines; the logger delivers every line to each listener in turn.
// Listeners filter by their own minimum level; negative (control) levels always reach them.
#ifndef TARN_UTILS_LOGGER_ILOGLISTENER_H
#define TARN_UTILS_LOGGER_ILOGLISTENER_H

#include <string>

namespace tarn {

enum {
    LOG_INDENT_IN = -2,
    LOG_INDENT_OUT = -1,
    LOG_DEBUG = 0,
    LOG_NORMAL = 1,
    LOG_WARNING = 2,
    LOG_ERROR = 3
};

class ILogListener {
public:
    virtual ~ILogListener() = default;
    // text is a whole line ending in exactly one "\n", or "" for the indent control levels.
    virtual void Write(const std::string& text, int level) = 0;
};

}  // namespace tarn

#endif
