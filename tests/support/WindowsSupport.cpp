#include "tests/support/WindowsSupport.h"

#include <cstring>

#include "framework/TypInfoBuilder.h"

namespace Tovix::Testing {

TOVIX_IMPLEMENT_CLASS(TColorBox, TCustomControl) {}

TColorBox::TColorBox(TComponent* owner) : TCustomControl(owner) { controlStyle_.Include(csAcceptsControls); }

void TColorBox::Paint() {
  GetCanvas()->GetBrush()->SetColor(GetColor());
  GetCanvas()->FillRect(GetClientRect());
}

TOVIX_IMPLEMENT_CLASS(TColorShape, TGraphicControl) {}

TColorShape::TColorShape(TComponent* owner) : TGraphicControl(owner) {}

void TColorShape::Paint() {
  GetCanvas()->GetBrush()->SetColor(GetColor());
  GetCanvas()->FillRect(GetClientRect());
}

TOVIX_IMPLEMENT_CLASS(TEditBox, TWinControl) {}

TEditBox::TEditBox(TComponent* owner) : TWinControl(owner) { SetTabStop(true); }

void TEditBox::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  CreateSubClass(params, "EDIT");
  params.Style |= ES_AUTOHSCROLL;
}

TOVIX_IMPLEMENT_CLASS(TTestDataModule, TDataModule) {
  c.Field("Ticker", &TTestDataModule::Ticker);
  c.Field("Idle", &TTestDataModule::Idle);
  c.Method("ModuleCreate", &TTestDataModule::ModuleCreate);
  c.Method("ModuleDestroy", &TTestDataModule::ModuleDestroy);
  c.Method("TickerTimer", &TTestDataModule::TickerTimer);
}

TTestDataModule::TTestDataModule(TComponent* owner) : TDataModule(owner) { ReadFormResource(); }

void TTestDataModule::ModuleCreate(TObject*) { log.push_back(Ticker && Idle ? "create with fields" : "create"); }
void TTestDataModule::ModuleDestroy(TObject*) { log.push_back("destroy"); }
void TTestDataModule::TickerTimer(TObject* sender) {
  if (sender == Ticker) ++ticks;
}

namespace {

BOOL CALLBACK CollectUtilWindow(HWND window, LPARAM list) {
  char name[32] = {};
  GetClassNameA(window, name, sizeof name);
  if (std::strcmp(name, "TPUtilWindow") == 0) reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
  return TRUE;
}

}  // namespace

std::vector<HWND> UtilWindows() {
  std::vector<HWND> windows;
  EnumThreadWindows(GetCurrentThreadId(), CollectUtilWindow, reinterpret_cast<LPARAM>(&windows));
  return windows;
}

bool TimerMessageWaiting() {
  MSG msg;
  for (HWND window : UtilWindows())
    if (PeekMessageA(&msg, window, WM_TIMER, WM_TIMER, PM_NOREMOVE)) return true;
  return false;
}

}  // namespace Tovix::Testing
