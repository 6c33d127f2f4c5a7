// The program-wide file system: answers file queries and reads one current input stream,
// forwarding everything to a replaceable implementation (the basic one by default).
#include "tarn/io/cfilesystem.h"

#include "tarn/io/cfilesystembasicimpl.h"
#include "tarn/io/cinputstream.h"

namespace tarn {

CFileSystem* CFileSystem::GetSingleton() {
    static CFileSystem* fileSystem = new CFileSystem(nullptr);
    return fileSystem;
}

CFileSystem::CFileSystem(std::shared_ptr<CFileSystemBasicImpl> implementation) {
    SetImplementation(std::move(implementation));
}

CFileSystem::~CFileSystem() { Close(); }

void CFileSystem::SetImplementation(std::shared_ptr<CFileSystemBasicImpl> implementation) {
    Close();
    myImplementation = implementation ? std::move(implementation) : std::make_shared<CFileSystemBasicImpl>();
}

std::shared_ptr<CFileSystemBasicImpl> CFileSystem::GetImplementation() const { return myImplementation; }

CFileName CFileSystem::MakeFileName(const std::string& path) const { return myImplementation->MakeFileName(path); }

CFileInfo CFileSystem::GetFileInfo(const std::string& path) const { return myImplementation->GetFileInfo(path); }

bool CFileSystem::Open(const std::string& path) {
    Close();
    myStream = myImplementation->OpenInputStream(path);
    return myStream != nullptr;
}

std::size_t CFileSystem::Read(char* buffer, std::size_t count) {
    return myImplementation->Read(myStream, buffer, count);
}

void CFileSystem::Close() {
    if (!myStream) return;
    if (myImplementation) myImplementation->Release(myStream);
    myStream.reset();
}

}  // namespace tarn
