// Design-time packages: DLLs that a form designer loads to get components. A package exports
// Initialize, Finalize, GetPackageInfoTable and one Register routine per registering unit, and
// describes itself in an RCDATA resource named PACKAGEINFO, which ReadPackageInfo parses.
//
// PACKAGEINFO layout (little-endian; a "short string" is one length byte and that many ANSI
// characters, with no terminating zero):
//   uint32        flags (TPackageFlags)
//   uint32        number of required packages, then that many short strings: their names
//   uint32        number of contained units, then per unit: uint8 unit flags (TPackageUnitFlags)
//                 and a short string: its name
// Nothing follows the last unit.
#pragma once

#include <cstdint>
#include <vector>

#include "framework/classes/Classes.h"

namespace Tovix {

enum TPackageFlags : uint32_t {
  pfNeverBuild = 0x00000001,
  pfDesignOnly = 0x00000002,
  pfRunOnly = 0x00000004,
  // The compiler that produced the package (bits 24-27): 0x0C000000 names version 4.
  pfProducerMask = 0x0F000000,
  pfProducerVersion4 = 0x0C000000,
  // The kind of module (bits 30-31): a package, or a library that only uses packages.
  pfModuleTypeMask = 0xC0000000,
  pfPackageModule = 0x40000000,
};

enum TPackageUnitFlags : uint8_t {
  ufMainUnit = 0x01,     // the unit named after the package
  ufPackageUnit = 0x02,  // a unit of the package's own (not one brought in from elsewhere)
};

struct TPackageUnitInfo {
  String name;
  uint8_t flags = 0;
};

struct TPackageInfo {
  uint32_t flags = 0;
  std::vector<String> requiredPackages;
  std::vector<TPackageUnitInfo> units;
};

class EPackageError : public Exception {
 public:
  using Exception::Exception;
};

// Parses a PACKAGEINFO block; raises EPackageError when it is cut short or has bytes left over.
TPackageInfo ParsePackageInfo(const void* data, size_t size);
// The PACKAGEINFO resource of a loaded module (an HMODULE); EPackageError when it has none.
TPackageInfo ReadPackageInfo(void* module);

// One entry of a package's unit table: the unit's start-up and shut-down sections (either may be
// null: most units do nothing there).
struct TPackageUnitEntry {
  const char* name;
  void (*startUp)();
  void (*shutDown)();
};

struct TPackageInfoTable {
  int unitCount;
  const TPackageUnitEntry* units;
};

// What a package's GetPackageInfoTable export is.
using TGetPackageInfoTable = const TPackageInfoTable* (*)();

// Runs the start-up sections in table order. When one raises, the units already started are
// shut down in reverse order and the exception goes on.
void InitializePackage(const TPackageInfoTable& table);
// Runs the shut-down sections in reverse table order; every one runs even when another raises
// (the first exception goes on afterwards).
void FinalizePackage(const TPackageInfoTable& table);

}  // namespace Tovix
