// The serialization context handed to every Serialize function: reading from or writing to
// an XML node tree, with the order-sensitive child lookup and its warnings. XmlLoad/XmlSave
// load and save a whole object.
#ifndef TARN_UTILS_XML_CXMLFILESYS_H
#define TARN_UTILS_XML_CXMLFILESYS_H

#include <memory>
#include <string>
#include <type_traits>
#include <utility>

#include "tarn/utils/xml/cxmlnode.h"
#include "tarn/utils/xml/xmlvalue.h"
#include "tarn/utils/containers/canycontainer.h"

namespace tarn {

class CXmlFileSys;

namespace detail {

template <typename T, typename = void>
struct CHasMemberSerialize : std::false_type {};
template <typename T>
struct CHasMemberSerialize<T, std::void_t<decltype(std::declval<T&>().Serialize(std::declval<CXmlFileSys*>()))>>
    : std::true_type {};

template <typename T, typename = void>
struct CHasFreeSerialize : std::false_type {};
template <typename T>
struct CHasFreeSerialize<T, std::void_t<decltype(Serialize(std::declval<T&>(), std::declval<CXmlFileSys*>()))>>
    : std::true_type {};

}  // namespace detail

// True for class types with a Serialize (CXmlFileSys*) member or a free Serialize (T&, CXmlFileSys*);
// everything else is a plain value stored as text.
template <typename T>
constexpr bool IsXmlSerializable = detail::CHasMemberSerialize<T>::value || detail::CHasFreeSerialize<T>::value;

// Runs object's own serialization function on filesys.
template <typename T>
void CallSerialize(T& object, CXmlFileSys* filesys) {
    if constexpr (detail::CHasMemberSerialize<T>::value) {
        object.Serialize(filesys);
    } else {
        Serialize(object, filesys);
    }
}

class CXmlFileSys {
public:
    enum EMode { MODE_READ = 0, MODE_WRITE = 1 };

    // A context on node (not owned) that reads or writes; warnings are on.
    CXmlFileSys(CXmlNode* node, int mode);
    CXmlFileSys(const CXmlFileSys&) = delete;
    CXmlFileSys& operator=(const CXmlFileSys&) = delete;

    bool IsReading() const { return myMode == MODE_READ; }
    bool IsWriting() const { return myMode == MODE_WRITE; }

    // The source place of the statement being run, used in the lookup's messages.
    void SetFile(const std::string& file) { myFile = file; }
    void SetLine(int line) { myLine = line; }
    const std::string& GetFile() const { return myFile; }
    int GetLine() const { return myLine; }
    void SetWarnings(bool on) { myWarnings = on; }

    // The current node: the root, or the node opened last by BeginNode.
    CXmlNode* GetNode() const { return myCurrent; }

    // Whether the child at the cursor, or else any child, has this name. The cursor stays.
    bool HasChild(const std::string& name) const;
    // The order-sensitive lookup: the child at the cursor when it has the name (the cursor
    // moves past it), otherwise the first child of that name (with a warning). Null, with an
    // error message, when no child has the name.
    CXmlNode* GetChild(const std::string& name);

    // Reads the child element name into member: a plain member parses the element's text,
    // a class member runs its Serialize on a reading context of its own. Returns false and
    // leaves member unchanged when the element is missing or its text does not parse.
    template <typename T>
    bool Read(T& member, const std::string& name);

    // Adds a child element name holding member: its text for a plain member, the elements
    // its Serialize writes for a class member.
    template <typename T>
    void Write(const T& member, const std::string& name);

    // Appends one value per child element name, in order; the container is not emptied first.
    // Elements whose text does not parse are skipped.
    template <typename Container>
    void ReadArray(Container& container, const std::string& name);
    // Writes one element name per entry, in order.
    template <typename Container>
    void WriteArray(const Container& container, const std::string& name);

    // One stored member: when reading, reads it if its element is present; when writing,
    // writes it. file and line are recorded for messages (see TARN_SERIALIZE).
    template <typename T>
    void SerializeMember(T& member, const std::string& name, const char* file, int line);

    // Reads the current node's attribute name into value; false (value unchanged) when it is
    // missing or does not parse as T.
    template <typename T>
    bool ReadAttribute(const std::string& name, T& value) const;

    // Writing only (they do nothing while reading): opens a child element name as the current
    // node; adds an attribute to the current node (a present name keeps its value); closes the
    // current node, warning when its name is not name. The context's own node is never left.
    void BeginNode(const std::string& name);
    void AddAttribute(const std::string& name, const CAnyContainer& value);
    void EndNode(const std::string& name);

private:
    void Log(const std::string& message) const;
    std::string Where() const;

    std::string myFile;
    int myLine = 0;
    bool myWarnings = true;
    int myMode;
    CXmlNode* myRoot;
    CXmlNode* myCurrent;
    int myCursor = 0;
};

template <typename T>
bool CXmlFileSys::Read(T& member, const std::string& name) {
    CXmlNode* child = GetChild(name);
    if (!child) return false;
    if constexpr (IsXmlSerializable<T>) {
        CXmlFileSys nested(child, MODE_READ);
        CallSerialize(member, &nested);
        return true;
    } else {
        return XmlValueFromText(child->GetContent(), member);
    }
}

template <typename T>
void CXmlFileSys::Write(const T& member, const std::string& name) {
    if (!myCurrent) return;
    auto* child = new CXmlNode(name);
    myCurrent->AddChild(child);
    if constexpr (IsXmlSerializable<T>) {
        CXmlFileSys nested(child, MODE_WRITE);
        // Serialize both reads and writes, so it is not const; writing leaves the object as it is.
        CallSerialize(const_cast<T&>(member), &nested);
    } else {
        child->SetContent(XmlValueToText(member));
    }
}

template <typename Container>
void CXmlFileSys::ReadArray(Container& container, const std::string& name) {
    using Value = typename Container::value_type;
    if (!myCurrent) return;
    for (int i = 0; i < myCurrent->GetChildCount(); ++i) {
        CXmlNode* child = myCurrent->GetChild(i);
        if (child->GetName() != name) continue;
        Value value{};
        if constexpr (IsXmlSerializable<Value>) {
            CXmlFileSys nested(child, MODE_READ);
            CallSerialize(value, &nested);
        } else {
            if (!XmlValueFromText(child->GetContent(), value)) continue;
        }
        container.insert(container.end(), std::move(value));
    }
}

template <typename Container>
void CXmlFileSys::WriteArray(const Container& container, const std::string& name) {
    for (const auto& value : container) Write(value, name);
}

template <typename T>
void CXmlFileSys::SerializeMember(T& member, const std::string& name, const char* file, int line) {
    SetLine(line);
    SetFile(file);
    if (IsReading()) {
        if (HasChild(name)) Read(member, name);
    } else {
        Write(member, name);
    }
}

template <typename T>
bool CXmlFileSys::ReadAttribute(const std::string& name, T& value) const {
    if (!myCurrent || !myCurrent->HasAttribute(name)) return false;
    const CAnyContainer& stored = myCurrent->GetAttribute(name);
    if (const T* held = stored.GetPointer<T>()) {
        value = *held;
        return true;
    }
    return XmlValueFromText(stored.ToText(), value);
}

// Loads object from fileName: reads the tree and runs the object's Serialize on its root.
// Returns false, leaving the object as it was, when the file is missing or has no element.
template <typename T>
bool XmlLoad(T& object, const std::string& fileName);

// Saves object to fileName (replacing its content) under an element named rootName.
// Returns false, after logging the step that failed and why, when the file cannot be
// written; reason, when given, receives that step and why.
template <typename T>
bool XmlSave(const T& object, const std::string& fileName, const std::string& rootName,
             std::string* reason = nullptr);

// The file parts of loading and saving, shared by every type. SaveXmlRoot writes the file and
// flushes it to the disk before it returns; every failure (open, write, flush, sync, close)
// is logged with the system's reason and returns false.
std::unique_ptr<CXmlNode> LoadXmlRoot(const std::string& fileName);
bool SaveXmlRoot(const CXmlNode& root, const std::string& fileName, std::string* reason = nullptr);

// Moves temporary over fileName, then flushes the folder so that the new name survives a
// power cut. False, with the reason (nothing is logged), when the move fails; a folder that
// cannot be flushed is only logged.
bool ReplaceFile(const std::string& temporary, const std::string& fileName, std::string* reason = nullptr);

// Saves like SaveXmlRoot, but never leaves fileName half-written nor writes through a link:
// the text goes to an exclusive temporary file beside it that then takes its place
// (ReplaceFileContent). fileName is as it was after a failure, which is logged with its step
// and reason as SaveXmlRoot does.
bool SaveXmlRootReplacing(const CXmlNode& root, const std::string& fileName, std::string* reason = nullptr);

// XmlSave through SaveXmlRootReplacing.
template <typename T>
bool XmlSaveReplacing(const T& object, const std::string& fileName, const std::string& rootName,
                      std::string* reason = nullptr) {
    CXmlNode root(rootName);
    CXmlFileSys filesys(&root, CXmlFileSys::MODE_WRITE);
    CallSerialize(const_cast<T&>(object), &filesys);
    return SaveXmlRootReplacing(root, fileName, reason);
}

template <typename T>
bool XmlLoad(T& object, const std::string& fileName) {
    std::unique_ptr<CXmlNode> root = LoadXmlRoot(fileName);
    if (!root) return false;
    CXmlFileSys filesys(root.get(), CXmlFileSys::MODE_READ);
    CallSerialize(object, &filesys);
    return true;
}

template <typename T>
bool XmlSave(const T& object, const std::string& fileName, const std::string& rootName, std::string* reason) {
    CXmlNode root(rootName);
    CXmlFileSys filesys(&root, CXmlFileSys::MODE_WRITE);
    CallSerialize(const_cast<T&>(object), &filesys);
    return SaveXmlRoot(root, fileName, reason);
}

}  // namespace tarn

// One statement of a Serialize function: reads member from the element name when it is
// present, or writes it, recording this source file and line for the lookup's messages.
#define TARN_SERIALIZE(filesys, member, name) (filesys)->SerializeMember((member), (name), __FILE__, __LINE__)

// Records this source file and line in filesys for the messages of the statements that follow.
#define TARN_XML_HERE(filesys) ((filesys)->SetFile(__FILE__), (filesys)->SetLine(__LINE__))

#endif
