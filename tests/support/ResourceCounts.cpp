#include "tests/support/ResourceCounts.h"

#include <cstdint>

#include "framework/WinApi.h"

#include <winternl.h>

namespace Tovix::Testing {

int CountGdiObjects() {
#ifdef _WIN64
  struct Entry {
    uint64_t object;
    uint32_t owner;
    uint16_t unique;
    uint8_t type;
    uint8_t flags;
    uint64_t user;
  };
  static_assert(sizeof(Entry) == 24);
  const size_t kTableOffset = 0xF8;  // PEB.GdiSharedHandleTable on 64 bits
  const int kEntries = 0x10000;
  PROCESS_BASIC_INFORMATION basic{};
  if (NtQueryInformationProcess(GetCurrentProcess(), ProcessBasicInformation, &basic, sizeof(basic), nullptr) != 0)
    return -1;
  auto* peb = reinterpret_cast<const uint8_t*>(basic.PebBaseAddress);
  auto* table = *reinterpret_cast<const Entry* const*>(peb + kTableOffset);
  if (!table) return -1;
  int count = 0;
  for (int i = 0; i < kEntries; ++i)
    if (table[i].type) ++count;
  return count;
#else
  return -1;
#endif
}

namespace {

BOOL CALLBACK CountChild(HWND, LPARAM count) {
  ++*reinterpret_cast<int*>(count);
  return TRUE;
}

BOOL CALLBACK CountTopLevel(HWND window, LPARAM count) {
  ++*reinterpret_cast<int*>(count);
  EnumChildWindows(window, CountChild, count);
  return TRUE;
}

}  // namespace

int CountThreadWindows() {
  int count = 0;
  EnumThreadWindows(GetCurrentThreadId(), CountTopLevel, reinterpret_cast<LPARAM>(&count));
  return count;
}

}  // namespace Tovix::Testing
