#include "tests/support/ScratchFolder.h"

#include <stdexcept>

#include "framework/WinApi.h"

namespace Tovix::Testing {

ScratchFolder::ScratchFolder() {
  static int counter = 0;
  char temp[MAX_PATH];
  DWORD n = GetTempPathA(MAX_PATH, temp);
  if (n == 0 || n >= MAX_PATH) throw std::runtime_error("scratch folder: no temporary directory");
  path_ = Format("%stovix-%u-%u-%d", String(temp, n), static_cast<unsigned>(GetCurrentProcessId()),
                 static_cast<unsigned>(GetTickCount()), ++counter);
  if (!CreateDirectoryA(path_.c_str(), nullptr)) throw std::runtime_error("scratch folder: cannot create " + path_);
}

ScratchFolder::~ScratchFolder() {
  if (!previousDirectory_.empty()) SetCurrentDirectoryA(previousDirectory_.c_str());
  DeleteFolderTree(path_);
}

String ScratchFolder::WriteFile(const String& name, const String& bytes) const {
  String path = File(name);
  HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) throw std::runtime_error("scratch folder: cannot create " + path);
  DWORD written = 0;
  BOOL ok = ::WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(h);
  if (!ok || written != bytes.size()) throw std::runtime_error("scratch folder: cannot write " + path);
  return path;
}

String ScratchFolder::ReadFile(const String& path) {
  HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) throw std::runtime_error("scratch folder: cannot open " + path);
  String bytes;
  char buffer[65536];
  DWORD got = 0;
  while (::ReadFile(h, buffer, sizeof buffer, &got, nullptr) && got > 0) bytes.append(buffer, got);
  CloseHandle(h);
  return bytes;
}

void ScratchFolder::MakeCurrent() {
  if (previousDirectory_.empty()) previousDirectory_ = GetCurrentDir();
  if (!SetCurrentDir(path_)) throw std::runtime_error("scratch folder: cannot enter " + path_);
}

bool DeleteFolderTree(const String& path) {
  WIN32_FIND_DATAA entry;
  HANDLE find = FindFirstFileA((path + "\\*").c_str(), &entry);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      String name = entry.cFileName;
      if (name == "." || name == "..") continue;
      String full = path + "\\" + name;
      if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        DeleteFolderTree(full);
      } else {
        SetFileAttributesA(full.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(full.c_str());
      }
    } while (FindNextFileA(find, &entry));
    FindClose(find);
  }
  RemoveDirectoryA(path.c_str());
  return !DirectoryExists(path);
}

}  // namespace Tovix::Testing
