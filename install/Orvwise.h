// Orvwise: the parameter block that the Wise installation system passes to a function of a setup
// DLL, and TOrvWise, which reads, changes and adds the installer's variables in that block.
//
// The block and its two tables belong to the installer and stay in its memory: TOrvWise neither
// copies nor owns them, and every change is made in place. The block comes from another program,
// so it is trusted only as far as its own fields declare: slots are read at most their width,
// lookups use at most MaxVars slots, and a failed call leaves every byte as it was.
#pragma once

#include <cstddef>
#include <cstdint>

#include "framework/Classes.h"
#include "framework/WinApi.h"

namespace Tovix {

// The layout each build expects:
//   32-bit: 44 bytes, eleven 32-bit little-endian fields without padding, at offsets
//           Size 0, WindowHandle 4, MaxVars 8, VarNameWidth 12, VarValueWidth 16, VarCount 20,
//           VarNames 24, VarValues 28, two unused fields 32 and 36, ParamString 40.
//   64-bit: the same fields in the same order with their natural alignment, 64 bytes: window
//           handle and addresses are 64-bit, the two unused fields stay 32-bit; Size 0,
//           WindowHandle 8, MaxVars 16, VarNameWidth 20, VarValueWidth 24, VarCount 28,
//           VarNames 32, VarValues 40, unused 48 and 52, ParamString 56.
// Size must hold the build's record size (sizeof(TOrvWiseParams)).
struct TOrvWiseParams {
  uint32_t Size;
  HWND WindowHandle;       // the installer's window
  uint32_t MaxVars;        // slots in each table
  uint32_t VarNameWidth;   // bytes per name slot, terminating zero included
  uint32_t VarValueWidth;  // bytes per value slot, terminating zero included
  uint32_t VarCount;       // slots in use
  char* VarNames;          // MaxVars slots of VarNameWidth bytes: "%NAME%"
  char* VarValues;         // MaxVars slots of VarValueWidth bytes
  uint32_t Unused1;        // the installer's own; never read or written here
  uint32_t Unused2;
  const char* ParamString;  // zero-terminated string parameter of the call, or null
};

#if INTPTR_MAX == INT32_MAX
static_assert(sizeof(TOrvWiseParams) == 44, "the installer's 32-bit record is 44 bytes");
static_assert(offsetof(TOrvWiseParams, WindowHandle) == 4);
static_assert(offsetof(TOrvWiseParams, MaxVars) == 8);
static_assert(offsetof(TOrvWiseParams, VarNameWidth) == 12);
static_assert(offsetof(TOrvWiseParams, VarValueWidth) == 16);
static_assert(offsetof(TOrvWiseParams, VarCount) == 20);
static_assert(offsetof(TOrvWiseParams, VarNames) == 24);
static_assert(offsetof(TOrvWiseParams, VarValues) == 28);
static_assert(offsetof(TOrvWiseParams, Unused1) == 32);
static_assert(offsetof(TOrvWiseParams, Unused2) == 36);
static_assert(offsetof(TOrvWiseParams, ParamString) == 40);
#else
static_assert(sizeof(TOrvWiseParams) == 64, "the 64-bit record keeps the fields' natural alignment");
static_assert(offsetof(TOrvWiseParams, WindowHandle) == 8);
static_assert(offsetof(TOrvWiseParams, MaxVars) == 16);
static_assert(offsetof(TOrvWiseParams, VarNameWidth) == 20);
static_assert(offsetof(TOrvWiseParams, VarValueWidth) == 24);
static_assert(offsetof(TOrvWiseParams, VarCount) == 28);
static_assert(offsetof(TOrvWiseParams, VarNames) == 32);
static_assert(offsetof(TOrvWiseParams, VarValues) == 40);
static_assert(offsetof(TOrvWiseParams, Unused1) == 48);
static_assert(offsetof(TOrvWiseParams, Unused2) == 52);
static_assert(offsetof(TOrvWiseParams, ParamString) == 56);
#endif

// The longest string parameter read; a longer one is cut there.
constexpr size_t OrvWiseMaxParamString = 64 * 1024;

// Raised (as the general Exception) by the constructor for tables whose slots could not all be
// addressed, or that are declared with slots but no address.
extern const char* const SOrvWiseTablesTooLarge;
extern const char* const SOrvWiseTableMissing;

class TOrvWise : public TObject {
 public:
  // Raises Exception for a null address, a Size other than the build's record size, or tables
  // that cannot be addressed.
  explicit TOrvWise(TOrvWiseParams* params);

  TOrvWiseParams* GetParams() const { return params_; }

  // The slot of the variable (case ignored), or -1. Raises for a name too long for the slots.
  int GetVarIndex(const String& name) const;
  bool IsVar(const String& name) const;
  // Raises when the variable does not exist.
  String GetVar(const String& name) const;
  String GetVarDefault(const String& name, const String& defaultValue) const;
  // Changes the value of an existing variable in the installer's table.
  void SetVar(const String& name, const String& value);
  // Adds a variable in the next free slot and counts it in VarCount.
  void AddVar(const String& name, const String& value);

  // The stored name of slot index, percent signs included, and its value.
  String GetVarName(uint32_t index) const;
  String GetVarByIndex(uint32_t index) const;

  uint32_t GetVarCount() const { return params_->VarCount; }
  uint32_t GetMaxVars() const { return params_->MaxVars; }
  HWND GetWindowHandle() const { return params_->WindowHandle; }
  // The string parameter, at most OrvWiseMaxParamString bytes; empty when there is none.
  String GetParamString() const;

  // The longest name without its two percent signs and terminator, and the longest value.
  int GetMaxVarNameWidth() const;
  int GetmaxVarValWidth() const;
  void CheckVarNameWidth(const String& name) const;
  void CheckVarValWidth(const String& value) const;
  // Raises for an index that is not the slot of a variable.
  void CheckIndexBounds(uint32_t index) const;

  // The stored form of a name: "%NAME%".
  static String FormatVarName(const String& name);

  // Shows every variable of the block in a modal window.
  void DisplayVars() const;

 private:
  // The slots in use that lie inside the tables: VarCount, but never more than MaxVars.
  uint32_t UsedSlots() const;

  TOrvWiseParams* params_;
};

}  // namespace Tovix
