// Fuzz target for level lists: any bytes (up to 4 KiB) are read as a "LevelList". The list
// read is written, read back and written again: the second writing must equal the first, and
// walking through the list must stay within it.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <sstream>
#include <string>
#include <string_view>

#include "support/fuzzxml.h"
#include "marbles/level/clevellist.h"
#include "tarn/utils/xml/cxmlfilesys.h"
#include "tarn/utils/xml/cxmlnode.h"
#include "tarn/utils/xml/xmltree.h"

namespace {

void Load(marbles::CLevelList& list, tarn::CXmlNode* root) {
    tarn::CXmlFileSys reader(root, tarn::CXmlFileSys::MODE_READ);
    reader.SetWarnings(false);
    list.Serialize(&reader);
}

std::string Write(marbles::CLevelList& list) {
    tarn::CXmlNode root("LevelList");
    tarn::CXmlFileSys writer(&root, tarn::CXmlFileSys::MODE_WRITE);
    list.Serialize(&writer);
    std::ostringstream out;
    tarn::WriteXmlTree(&root, out);
    return out.str();
}

// Whether every file name can be stored in an attribute value unchanged.
bool Carried(const marbles::CLevelList& list) {
    const std::string_view notInValues("<>\"\r\n\0&'", 8);
    for (unsigned i = 0; i < list.GetEntryCount(); ++i) {
        const std::string& name = list.GetEntry(i).myFileName;
        if (name.find_first_of(notInValues.data(), 0, notInValues.size()) != std::string::npos) return false;
    }
    return true;
}

}  // namespace

// Lists are read as the game reads them; longer inputs only repeat what shorter ones reach.
const std::size_t MAX_INPUT = 4096;
// Writing and reading back a list of up to 10,000 entries is what makes inputs slow; longer
// lists are only walked.
const unsigned MAX_ROUND_TRIP_ENTRIES = 1000;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > MAX_INPUT) return 0;
    std::unique_ptr<tarn::CXmlNode> root = fuzzsupport::ReadXmlTree(data, size);
    if (!root) return 0;
    marbles::CLevelList list;
    Load(list, root.get());
    if (list.GetEntryCount() > static_cast<unsigned>(marbles::CLevelList::MAX_POSITION)) std::abort();
    if (list.GetEntryCount() > MAX_ROUND_TRIP_ENTRIES) {
        for (unsigned i = 0; i <= list.GetEntryCount() + 1; ++i) list.GetNextLevel();
        if (list.GetPosition() != static_cast<std::int32_t>(list.GetEntryCount())) std::abort();
        return 0;
    }
    const std::string first = Write(list);

    std::unique_ptr<tarn::CXmlNode> again = fuzzsupport::ReadXmlTree(first);
    if (!again) std::abort();
    marbles::CLevelList reread;
    Load(reread, again.get());
    // Entry 0 is written but never read, and comes back as it was; file names the dialect
    // cannot carry in an attribute may come back changed.
    if (list.GetEntryCount() > 1 && Carried(list) && Write(reread) != first) std::abort();
    for (unsigned i = 0; i <= list.GetEntryCount() + 1; ++i) {
        list.GetNextLevel();
        if (list.GetPosition() > static_cast<std::int32_t>(list.GetEntryCount())) std::abort();
    }
    return 0;
}
