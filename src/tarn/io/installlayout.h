// Where an installed program finds its read-only data and where it keeps the player's files:
// the data directory beside the program's prefix, the XDG base directories on Linux and the
// per-user application-data folder on Windows.
#ifndef TARN_IO_INSTALLLAYOUT_H
#define TARN_IO_INSTALLLAYOUT_H

#include <string>

namespace tarn {

// The value of the environment variable named, with '/' separators, when it is an absolute
// path ("C:\\Users\\p\\AppData\\Roaming" gives "C:/Users/p/AppData/Roaming"); "" when it is unset,
// empty or relative. Windows names the player's application-data folder in "APPDATA".
std::string AbsoluteDirectoryVariable(const char* variable);

// The XDG base directory named by variable ("XDG_DATA_HOME", "XDG_STATE_HOME", ...): its value
// when that is an absolute path, otherwise home + "/" + fallback (".local/share", ...). A
// relative value is ignored, as the XDG rules ask. "" when neither gives an absolute path.
std::string XdgBaseDirectory(const char* variable, const std::string& fallback, const std::string& home);
// The same with the variable and home read from the environment.
std::string XdgBaseDirectory(const char* variable, const std::string& fallback);

// The data directory of an installed program: programPath's directory joined with
// relativeDataDir (as the build computed it, e.g. "../share/games/marbles") and normalized,
// when a file named marker lies there; "" otherwise (the program runs from a build tree).
std::string FindInstalledDataDirectory(const std::string& programPath, const std::string& relativeDataDir,
                                       const std::string& marker);

// Creates directory and its missing parents; true when it exists afterwards.
bool MakeDirectories(const std::string& directory);

}  // namespace tarn

#endif
