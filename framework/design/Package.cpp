#include "framework/design/Package.h"

#include <cstring>
#include <exception>

#include "framework/system/ScopeExit.h"
#include "framework/system/WinApi.h"

namespace Tovix {

namespace {

// Reads the PACKAGEINFO fields in order, refusing to read past the end.
class TPackageInfoReader {
 public:
  TPackageInfoReader(const void* data, size_t size) : data_(static_cast<const uint8_t*>(data)), size_(size) {}

  uint32_t ReadUInt32() {
    Need(4);
    uint32_t value;
    std::memcpy(&value, data_ + position_, 4);  // little-endian, like every Windows target
    position_ += 4;
    return value;
  }

  uint8_t ReadByte() {
    Need(1);
    return data_[position_++];
  }

  String ReadShortString() {
    size_t length = ReadByte();
    Need(length);
    String text(reinterpret_cast<const char*>(data_ + position_), length);
    position_ += length;
    return text;
  }

  // A count of items that each take at least minimumSize bytes: never more than can fit.
  uint32_t ReadCount(size_t minimumSize) {
    uint32_t count = ReadUInt32();
    if (count > (size_ - position_) / minimumSize) Fail();
    return count;
  }

  void ExpectEnd() const {
    if (position_ != size_) throw EPackageError(Format("Package information has %d bytes left over", static_cast<int>(size_ - position_)));
  }

 private:
  void Need(size_t bytes) const {
    if (bytes > size_ - position_) Fail();
  }
  [[noreturn]] static void Fail() { throw EPackageError("Package information is cut short"); }

  const uint8_t* data_;
  size_t size_;
  size_t position_ = 0;
};

}  // namespace

TPackageInfo ParsePackageInfo(const void* data, size_t size) {
  TPackageInfoReader reader(data, size);
  TPackageInfo info;
  info.flags = reader.ReadUInt32();
  for (uint32_t i = 0, n = reader.ReadCount(1); i < n; ++i) info.requiredPackages.push_back(reader.ReadShortString());
  for (uint32_t i = 0, n = reader.ReadCount(2); i < n; ++i) {
    TPackageUnitInfo unit;
    unit.flags = reader.ReadByte();
    unit.name = reader.ReadShortString();
    info.units.push_back(std::move(unit));
  }
  reader.ExpectEnd();
  return info;
}

TPackageInfo ReadPackageInfo(void* module) {
  auto instance = static_cast<HMODULE>(module);
  HRSRC found = FindResourceA(instance, "PACKAGEINFO", MAKEINTRESOURCEA(10));  // RT_RCDATA
  if (!found) throw EPackageError("The module has no package information (PACKAGEINFO)");
  HGLOBAL loaded = LoadResource(instance, found);
  const void* data = loaded ? LockResource(loaded) : nullptr;
  if (!data) RaiseLastWin32Error();
  return ParsePackageInfo(data, SizeofResource(instance, found));
}

void InitializePackage(const TPackageInfoTable& table) {
  int started = 0;
  // Until every unit has started, leaving shuts down the ones that did.
  TScopeExit undo([&] {
    if (started < table.unitCount) FinalizePackage(TPackageInfoTable{started, table.units});
  });
  for (; started < table.unitCount; ++started)
    if (table.units[started].startUp) table.units[started].startUp();
}

void FinalizePackage(const TPackageInfoTable& table) {
  std::exception_ptr first;
  for (int i = table.unitCount - 1; i >= 0; --i) {
    if (!table.units[i].shutDown) continue;
    try {
      table.units[i].shutDown();
    } catch (...) {
      if (!first) first = std::current_exception();
    }
  }
  if (first) std::rethrow_exception(first);
}

}  // namespace Tovix
