#include "tests/install/WiseTestBlock.h"

#include <cstdio>
#include <cstring>
#include <set>
#include <stdexcept>

namespace Tovix::Testing {

namespace {
constexpr size_t kPage = 4096;
size_t TableSize(uint32_t slots, uint32_t width) { return static_cast<size_t>(uint64_t{slots} * width); }

std::set<uintptr_t>& GuardPages() {
  static std::set<uintptr_t> pages;
  return pages;
}

// A touch of a guard page ends the test program with a message at once: left alone, the
// unhandled fault would start Wine's debugger and hang the run.
LONG CALLBACK StopAtGuardPage(EXCEPTION_POINTERS* e) {
  const EXCEPTION_RECORD* r = e->ExceptionRecord;
  if (r->ExceptionCode != EXCEPTION_ACCESS_VIOLATION || r->NumberParameters < 2) return EXCEPTION_CONTINUE_SEARCH;
  uintptr_t page = r->ExceptionInformation[1] / kPage * kPage;
  if (!GuardPages().count(page)) return EXCEPTION_CONTINUE_SEARCH;
  std::fprintf(stderr, "FAILED: the code at %p reached past a test block, to %p\n", r->ExceptionAddress,
               reinterpret_cast<void*>(r->ExceptionInformation[1]));
  std::fflush(stderr);
  TerminateProcess(GetCurrentProcess(), 3);
  return EXCEPTION_CONTINUE_SEARCH;
}
}  // namespace

GuardedBuffer::GuardedBuffer(size_t capacity) : committed_((capacity + kPage - 1) / kPage * kPage) {
  base_ = static_cast<char*>(VirtualAlloc(nullptr, committed_ + kPage, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
  DWORD old = 0;
  if (!base_ || !VirtualProtect(base_ + committed_, kPage, PAGE_NOACCESS, &old)) throw std::runtime_error("no guarded memory");
  static PVOID handler = AddVectoredExceptionHandler(1, StopAtGuardPage);
  (void)handler;
  GuardPages().insert(reinterpret_cast<uintptr_t>(base_ + committed_));
}

GuardedBuffer::~GuardedBuffer() {
  GuardPages().erase(reinterpret_cast<uintptr_t>(base_ + committed_));
  VirtualFree(base_, 0, MEM_RELEASE);
}

char* GuardedBuffer::Tail(size_t size) const {
  if (size > committed_) throw std::runtime_error("guarded buffer too small");
  return base_ + committed_ - size;
}

WiseTestBlock::WiseTestBlock(uint32_t maxVars, uint32_t nameWidth, uint32_t valueWidth)
    : record_(sizeof(TOrvWiseParams)),
      names_(TableSize(maxVars, nameWidth)),
      values_(TableSize(maxVars, valueWidth)),
      param_(OrvWiseMaxParamString + 1),
      params_(reinterpret_cast<TOrvWiseParams*>(record_.Tail(sizeof(TOrvWiseParams)))) {
  *params_ = TOrvWiseParams{};
  params_->Size = sizeof(TOrvWiseParams);
  params_->MaxVars = maxVars;
  params_->VarNameWidth = nameWidth;
  params_->VarValueWidth = valueWidth;
  params_->VarNames = names_.Tail(TableSize(maxVars, nameWidth));
  params_->VarValues = values_.Tail(TableSize(maxVars, valueWidth));
  params_->Unused1 = 0x11111111;
  params_->Unused2 = 0x22222222;
}

void WiseTestBlock::PutSlot(uint32_t index, const String& name, const String& value) {
  auto put = [index](char* table, uint32_t width, const String& text) {
    char* slot = table + size_t{index} * width;
    std::memset(slot, 0, width);
    std::memcpy(slot, text.data(), std::min<size_t>(text.size(), width));
  };
  put(params_->VarNames, params_->VarNameWidth, name);
  put(params_->VarValues, params_->VarValueWidth, value);
  if (params_->VarCount <= index) params_->VarCount = index + 1;
}

void WiseTestBlock::SetParamString(const String& text, bool terminated) {
  char* start = param_.Tail(text.size() + (terminated ? 1 : 0));
  std::memcpy(start, text.c_str(), text.size() + (terminated ? 1 : 0));
  params_->ParamString = start;
}

String WiseTestBlock::Bytes() const {
  String bytes(reinterpret_cast<const char*>(params_), sizeof(TOrvWiseParams));
  bytes.append(params_->VarNames, TableSize(params_->MaxVars, params_->VarNameWidth));
  bytes.append(params_->VarValues, TableSize(params_->MaxVars, params_->VarValueWidth));
  return bytes;
}

}  // namespace Tovix::Testing
