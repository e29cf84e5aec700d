#include "install/Orvwise.h"

#include <cstring>
#include <memory>

#include "install/Orvformwisevars.h"
#include "install/OrvinstallRes.h"

namespace Tovix {

const char* const SOrvWiseTablesTooLarge = "TOrvWise.Create - Variable tables too large";
const char* const SOrvWiseTableMissing = "TOrvWise.Create - Variable table has no address";

namespace {

// The messages are resource strings of the module (Orvinstall.rc), which every module that links
// the library carries.
template <typename... Args>
[[noreturn]] void RaiseWise(unsigned id, const Args&... args) {
  throw Exception(Format(LoadStr(id), args...));
}

// Whether count slots of width bytes from address stay inside the address space, so that every
// slot offset can be computed in the pointer width without wrapping.
bool TableAddressable(const char* address, uint32_t count, uint32_t width) {
  uint64_t size = uint64_t{count} * width;
  auto start = reinterpret_cast<uintptr_t>(address);
  return size <= UINTPTR_MAX && static_cast<uintptr_t>(size) <= UINTPTR_MAX - start;
}

const char* Slot(const char* table, uint32_t width, uint32_t index) {
  return table + static_cast<uintptr_t>(index) * width;
}

// A slot's text ends at its first zero; a slot without one is text over its whole width.
String SlotText(const char* table, uint32_t width, uint32_t index) {
  const char* slot = Slot(table, width, index);
  size_t length = 0;
  while (length < width && slot[length] != '\0') ++length;
  return String(slot, length);
}

// Copies text and its terminating zero into a slot; the caller has checked that both fit.
void WriteSlot(char* table, uint32_t width, uint32_t index, const String& text) {
  char* slot = table + static_cast<uintptr_t>(index) * width;
  std::memcpy(slot, text.data(), text.size());
  slot[text.size()] = '\0';
}

// Frees a form as its owner would, so that it is told before it is destroyed.
struct TFreeObject {
  void operator()(TObject* object) const { object->Free(); }
};

char FoldCase(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

// Whether a slot holds text (ASCII letter case ignored), reading no further than the slot.
bool SlotEquals(const char* table, uint32_t width, uint32_t index, const String& text) {
  if (text.size() >= width) return false;
  const char* slot = Slot(table, width, index);
  for (size_t i = 0; i < text.size(); ++i)
    if (FoldCase(slot[i]) != FoldCase(text[i])) return false;
  return slot[text.size()] == '\0';
}

}  // namespace

TOrvWise::TOrvWise(TOrvWiseParams* params) : params_(params) {
  if (!params) RaiseWise(SOrvWiseNilParams);
  // Only Size is read before it has vouched for the rest of the record.
  if (params->Size != sizeof(TOrvWiseParams)) RaiseWise(SOrvWiseBadRecordLength, params->Size, sizeof(TOrvWiseParams));
  if (!TableAddressable(params->VarNames, params->MaxVars, params->VarNameWidth) ||
      !TableAddressable(params->VarValues, params->MaxVars, params->VarValueWidth))
    throw Exception(SOrvWiseTablesTooLarge);
  if (params->MaxVars > 0 && ((params->VarNameWidth > 0 && !params->VarNames) || (params->VarValueWidth > 0 && !params->VarValues)))
    throw Exception(SOrvWiseTableMissing);
}

String TOrvWise::FormatVarName(const String& name) { return Format("%%%s%%", name); }

uint32_t TOrvWise::UsedSlots() const { return params_->VarCount < params_->MaxVars ? params_->VarCount : params_->MaxVars; }

int TOrvWise::GetMaxVarNameWidth() const { return static_cast<int32_t>(params_->VarNameWidth - 3); }
int TOrvWise::GetmaxVarValWidth() const { return static_cast<int32_t>(params_->VarValueWidth - 1); }

void TOrvWise::CheckVarNameWidth(const String& name) const {
  if (static_cast<int64_t>(name.size()) > GetMaxVarNameWidth()) RaiseWise(SOrvWiseNameTooLong, name, GetMaxVarNameWidth());
}

void TOrvWise::CheckVarValWidth(const String& value) const {
  if (static_cast<int64_t>(value.size()) > GetmaxVarValWidth()) RaiseWise(SOrvWiseValueTooLong, value, GetmaxVarValWidth());
}

void TOrvWise::CheckIndexBounds(uint32_t index) const {
  uint32_t used = UsedSlots();
  if (index >= used) RaiseWise(SOrvWiseIndexOutOfBounds, static_cast<int32_t>(index), static_cast<int32_t>(used - 1));
}

int TOrvWise::GetVarIndex(const String& name) const {
  CheckVarNameWidth(name);
  String stored = FormatVarName(name);
  uint32_t used = UsedSlots();
  if (used > INT32_MAX) used = INT32_MAX;  // the result is a signed 32-bit index
  for (uint32_t i = 0; i < used; ++i)
    if (SlotEquals(params_->VarNames, params_->VarNameWidth, i, stored)) return static_cast<int>(i);
  return -1;
}

bool TOrvWise::IsVar(const String& name) const { return GetVarIndex(name) != -1; }

String TOrvWise::GetVar(const String& name) const {
  int index = GetVarIndex(name);
  if (index == -1) RaiseWise(SOrvWiseNoSuchVar, name);
  return SlotText(params_->VarValues, params_->VarValueWidth, static_cast<uint32_t>(index));
}

String TOrvWise::GetVarDefault(const String& name, const String& defaultValue) const {
  int index = GetVarIndex(name);
  if (index == -1) return defaultValue;
  return SlotText(params_->VarValues, params_->VarValueWidth, static_cast<uint32_t>(index));
}

void TOrvWise::SetVar(const String& name, const String& value) {
  int index = GetVarIndex(name);
  CheckVarValWidth(value);
  if (index == -1) RaiseWise(SOrvWiseSetMissingVar, name);
  WriteSlot(params_->VarValues, params_->VarValueWidth, static_cast<uint32_t>(index), value);
}

void TOrvWise::AddVar(const String& name, const String& value) {
  int index = GetVarIndex(name);
  CheckVarValWidth(value);
  if (index != -1) RaiseWise(SOrvWiseAddExistingVar, name);
  uint32_t slot = params_->VarCount;
  if (slot >= params_->MaxVars) RaiseWise(SOrvWiseTooManyVars, name, params_->MaxVars);
  // Everything that can fail is done before the first byte is written.
  String stored = FormatVarName(name);
  WriteSlot(params_->VarNames, params_->VarNameWidth, slot, stored);
  WriteSlot(params_->VarValues, params_->VarValueWidth, slot, value);
  params_->VarCount = slot + 1;
}

String TOrvWise::GetVarName(uint32_t index) const {
  CheckIndexBounds(index);
  return SlotText(params_->VarNames, params_->VarNameWidth, index);
}

String TOrvWise::GetVarByIndex(uint32_t index) const {
  CheckIndexBounds(index);
  return SlotText(params_->VarValues, params_->VarValueWidth, index);
}

String TOrvWise::GetParamString() const {
  const char* text = params_->ParamString;
  if (!text) return String();
  size_t length = 0;
  while (length < OrvWiseMaxParamString && text[length] != '\0') ++length;
  return String(text, length);
}

void TOrvWise::DisplayVars() const {
  std::unique_ptr<TOrvFmWiseVars, TFreeObject> form(new TOrvFmWiseVars(nullptr));
  form->SetWiseParams(params_);
  form->ShowModal();
}

}  // namespace Tovix
