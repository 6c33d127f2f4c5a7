// Replacing a file's content safely: a crash, a full disk or a link planted beside the file
// never leaves it half-written, lost, or written somewhere else.
#ifndef TARN_IO_FILEREPLACE_H
#define TARN_IO_FILEREPLACE_H

#include <cstdio>
#include <string>

namespace tarn {

// Gives fileName the content bytes: they go to a new file beside it, created exclusively under
// a name with a random part (nothing of that name is opened or followed, so a planted link
// or file is left alone), pushed to the disk, then moved over fileName in one step, and the
// folder is written out after. Returns false, with fileName as it was and no temporary file
// left, when a step fails; reason (when given) receives the step and the system's reason
// ("open: ...", "write: ...", "sync: ...", "close: ...", "rename: ..."). Nothing is logged but
// a folder that cannot be written out, which only costs durability.
bool ReplaceFileContent(const std::string& fileName, const std::string& bytes, std::string* reason = nullptr);

// Moves temporary over fileName in one step, then writes the folder out (a folder that cannot
// be written out is only logged). False, with the reason "rename: ...", when the move fails.
bool MoveFileOver(const std::string& temporary, const std::string& fileName, std::string* reason = nullptr);

// Writes bytes to file, pushes them to the disk and closes file (always). 0 on success;
// otherwise the system's error, with step naming what failed ("write", "flush", "sync",
// "close").
int WriteAndClose(std::FILE* file, const std::string& bytes, const char*& step);

// The name ReplaceFileContent writes beside fileName: fileName + ".tmp." + 16 random hex digits.
std::string TemporaryNameBeside(const std::string& fileName);

}  // namespace tarn

#endif
