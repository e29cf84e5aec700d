// TInterfaceRef<T>: a counted reference to a COM interface, the size of a plain interface pointer.
// Copying adds a reference, destruction and reassignment release the one held.
#pragma once

#include <utility>

namespace Tovix {

template <typename T>
class TInterfaceRef {
 public:
  TInterfaceRef() = default;
  // Takes a reference of its own to pointer.
  explicit TInterfaceRef(T* pointer) : pointer_(pointer) {
    if (pointer_) pointer_->AddRef();
  }
  TInterfaceRef(const TInterfaceRef& other) : TInterfaceRef(other.pointer_) {}
  TInterfaceRef(TInterfaceRef&& other) noexcept : pointer_(std::exchange(other.pointer_, nullptr)) {}
  TInterfaceRef& operator=(TInterfaceRef other) noexcept {
    std::swap(pointer_, other.pointer_);
    return *this;
  }
  ~TInterfaceRef() {
    if (pointer_) pointer_->Release();
  }

  T* Get() const { return pointer_; }
  T* operator->() const { return pointer_; }
  explicit operator bool() const { return pointer_ != nullptr; }
  // Releases the reference held and returns the slot for a call that stores a new one.
  T** Put() {
    *this = TInterfaceRef();
    return &pointer_;
  }

 private:
  T* pointer_ = nullptr;
};

}  // namespace Tovix
