// TovixDemo: the library's components at work in one window.
//
//   TovixDemo                          opens the window for a user
//   TovixDemo --shots FOLDER           walks every page, saves a PNG of each into FOLDER, prints
//                                      the files' paths and exits (for a machine without a screen)
//   TovixDemo --startup-probe EVENT    signals the named event once the window is shown and the
//                                      program is idle, then closes (the start-up benchmark)
#include <cstdio>
#include <cstring>

#include "demo/DemoShots.h"
#include "demo/FmMain.h"
#include "framework/WinApi.h"

namespace {

using namespace Tovix;

int SavePictures(TFmMain* form, const String& folder) {
  form->Show();
  for (const String& file : SavePagePictures(form, folder)) std::printf("%s\n", file.c_str());
  std::fflush(stdout);
  form->Close();
  return 0;
}

// The first idle moment after the main form is shown: the program is ready for its user.
void RunUntilIdle(const String& eventName) {
  bool signalled = false;
  Application->SetOnIdle(TIdleEvent([&](TObject*, bool& done) {
    done = true;
    if (signalled) return;
    signalled = true;
    if (HANDLE ready = OpenEventA(EVENT_MODIFY_STATE, FALSE, eventName.c_str())) {
      SetEvent(ready);
      CloseHandle(ready);
    }
    if (TCustomForm* form = Application->GetMainForm()) form->Close();
  }));
  Application->Run();
  Application->SetOnIdle(TIdleEvent());
}

}  // namespace

int main(int argc, char** argv) {
  try {
    Application->SetTitle("Tovix Demo");
    TFmMain* form = Application->CreateForm<TFmMain>();
    if (argc == 3 && std::strcmp(argv[1], "--shots") == 0) return SavePictures(form, argv[2]);
    if (argc == 3 && std::strcmp(argv[1], "--startup-probe") == 0) {
      RunUntilIdle(argv[2]);
      return 0;
    }
    Application->Run();
    return 0;
  } catch (const Exception& e) {
    std::fprintf(stderr, "TovixDemo: %s\n", e.Message().c_str());
    return 1;
  }
}
