// Installer parameter blocks built by the tests, each part ending right before a page the process
// may not touch: a read or write past the record, a table or the string parameter faults at once.
#pragma once

#include "install/Orvwise.h"

namespace Tovix::Testing {

// Committed memory followed by one inaccessible page.
class GuardedBuffer {
 public:
  explicit GuardedBuffer(size_t capacity);
  ~GuardedBuffer();
  GuardedBuffer(const GuardedBuffer&) = delete;
  GuardedBuffer& operator=(const GuardedBuffer&) = delete;
  // The last size bytes before the guard page (size at most the capacity).
  char* Tail(size_t size) const;

 private:
  char* base_ = nullptr;
  size_t committed_ = 0;
};

// The message of the Exception that action raises ("" when it raises none).
template <typename F>
String MessageOf(F action) {
  try {
    action();
  } catch (const Exception& e) {
    return e.Message();
  }
  return "";
}

class WiseTestBlock {
 public:
  // A valid record with empty tables of maxVars slots.
  WiseTestBlock(uint32_t maxVars, uint32_t nameWidth, uint32_t valueWidth);
  TOrvWiseParams* Params() const { return params_; }
  // Raw slot bytes, cut at the slot width: a text as long as the slot has no terminator.
  void PutSlot(uint32_t index, const String& name, const String& value);
  // The string parameter, or one of exactly `length` bytes with no terminator before the guard.
  void SetParamString(const String& text, bool terminated = true);
  // The record and both tables, to compare before and after a call.
  String Bytes() const;

 private:
  GuardedBuffer record_;
  GuardedBuffer names_;
  GuardedBuffer values_;
  GuardedBuffer param_;
  TOrvWiseParams* params_;
};

}  // namespace Tovix::Testing
