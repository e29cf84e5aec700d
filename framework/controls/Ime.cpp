#include "framework/controls/Ime.h"

#include <imm.h>
#include <vector>

namespace Tovix {

const TEnumInfo& TEnumTraits<TImeMode>::Info() {
  static const TEnumInfo info{{"imDisable", "imClose", "imOpen", "imDontCare", "imSAlpha", "imAlpha", "imHira", "imSKata",
                               "imKata", "imChinese", "imSHanguel", "imHanguel"}};
  return info;
}

namespace {

// The conversion mode each of the language-specific modes stands for.
DWORD ConversionMode(TImeMode mode) {
  switch (mode) {
    case imSAlpha: return IME_CMODE_ALPHANUMERIC;
    case imAlpha: return IME_CMODE_ALPHANUMERIC | IME_CMODE_FULLSHAPE;
    case imHira: return IME_CMODE_NATIVE | IME_CMODE_FULLSHAPE;
    case imSKata: return IME_CMODE_NATIVE | IME_CMODE_KATAKANA;
    case imKata: return IME_CMODE_NATIVE | IME_CMODE_KATAKANA | IME_CMODE_FULLSHAPE;
    case imChinese: case imSHanguel: return IME_CMODE_NATIVE;
    case imHanguel: return IME_CMODE_NATIVE | IME_CMODE_FULLSHAPE;
    default: return 0;
  }
}

void ActivateImeNamed(const TImeName& name) {
  int count = GetKeyboardLayoutList(0, nullptr);
  std::vector<HKL> layouts(static_cast<size_t>(count > 0 ? count : 0));
  if (layouts.empty()) return;
  count = GetKeyboardLayoutList(count, layouts.data());
  for (int i = 0; i < count; ++i) {
    char description[256] = {};
    if (ImmIsIME(layouts[i]) && ImmGetDescriptionA(layouts[i], description, sizeof description - 1) > 0 && name == description) {
      ActivateKeyboardLayout(layouts[i], 0);
      return;
    }
  }
}

// The window's input context, released when the object goes.
class InputContext {
 public:
  explicit InputContext(HWND window) : window_(window), context_(ImmGetContext(window)) {}
  ~InputContext() {
    if (context_) ImmReleaseContext(window_, context_);
  }
  InputContext(const InputContext&) = delete;
  InputContext& operator=(const InputContext&) = delete;
  HIMC Get() const { return context_; }

 private:
  HWND window_;
  HIMC context_;
};

}  // namespace

void ApplyIme(HWND window, TImeMode mode, const TImeName& name) {
  if (!name.empty()) ActivateImeNamed(name);
  if (mode == imDontCare) return;
  if (mode == imDisable) {
    ImmAssociateContextEx(window, nullptr, 0);
    return;
  }
  ImmAssociateContextEx(window, nullptr, IACE_DEFAULT);
  InputContext context(window);
  if (!context.Get()) return;
  ImmSetOpenStatus(context.Get(), mode != imClose);
  if (mode == imClose || mode == imOpen) return;
  DWORD conversion = 0, sentence = 0;
  ImmGetConversionStatus(context.Get(), &conversion, &sentence);
  ImmSetConversionStatus(context.Get(), ConversionMode(mode), sentence);
}

}  // namespace Tovix
