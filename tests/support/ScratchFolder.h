// A fresh, empty folder under the temporary directory, deleted with its contents afterwards.
#pragma once

#include "framework/SysUtils.h"

namespace Tovix::Testing {

class ScratchFolder {
 public:
  ScratchFolder();
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  // The folder's full path, without a trailing backslash.
  const String& Path() const { return path_; }
  // Path of an entry inside the folder.
  String File(const String& name) const { return path_ + "\\" + name; }
  // Writes a file in the folder with exactly these bytes and returns its path.
  String WriteFile(const String& name, const String& bytes) const;
  // The bytes of a file; raises when it cannot be read.
  static String ReadFile(const String& path);
  // Makes the folder the current directory until the object goes away.
  void MakeCurrent();

 private:
  String path_;
  String previousDirectory_;
};

// Deletes a folder and everything in it; true when it is gone afterwards.
bool DeleteFolderTree(const String& path);

}  // namespace Tovix::Testing
