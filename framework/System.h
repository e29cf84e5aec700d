// The root of the framework's class tree.
#pragma once

namespace Tovix {

// Every framework object derives from TObject, so lists can hold any of them and
// destruction through a base pointer is always complete.
class TObject {
 public:
  TObject() = default;
  TObject(const TObject&) = delete;
  TObject& operator=(const TObject&) = delete;
  virtual ~TObject() = default;
};

}  // namespace Tovix
