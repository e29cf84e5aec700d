#include "framework/stdctrls/HelpRequest.h"

#include "framework/forms/Forms.h"

namespace Tovix {

namespace {

THelpHandler& Handler() {
  static THelpHandler handler;
  return handler;
}

String& HelpFile() {
  static String file;
  return file;
}

}  // namespace

THelpHandler SetHelpHandler(THelpHandler handler) { return std::exchange(Handler(), std::move(handler)); }

const String& GetHelpFile() { return HelpFile(); }
void SetHelpFile(const String& fileName) { HelpFile() = fileName; }

void ApplicationHelpCommand(unsigned command, uintptr_t data) {
  if (Handler()) {
    Handler()(command, data);
    return;
  }
  if (HelpFile().empty()) return;
  TCustomForm* main = Application->GetMainForm();
  HWND window = main ? main->GetHandle() : Application->GetHandle();
  WinHelpA(window, HelpFile().c_str(), command, data);
}

}  // namespace Tovix
