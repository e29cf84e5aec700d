// The Tovix form designer. Usage: TovixDesigner [package.dll]; the default package is
// Ferrovane.dll beside the program. On a virtual display (TOVIX_VIRTUAL_DISPLAY=1, set by
// tools/wine-display.sh when no real display is there) it designs a form holding one of each
// palette component, writes pictures of the designer and of that form to the folder above its
// own (the build folder) and exits instead of waiting for a user.
#include <windows.h>

#include <cstdlib>
#include <memory>

#include "framework/Forms.h"
#include "host/DesignerWindow.h"
#include "screenshots/Screenshots.h"

using namespace Tovix;

namespace {

String ProgramFolder() {
  char path[MAX_PATH];
  DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  String folder(path, length);
  return folder.substr(0, folder.find_last_of("\\/") + 1);
}

void DesignEveryComponent(TDesignerWindow& window) {
  int i = 0;
  for (const TPalettePage& page : window.GetPackage().Pages())
    for (const TClassInfo* componentClass : page.classes) {
      window.GetDesigner().Drop(*componentClass, Point(12 + (i % 3) * 170, 12 + (i / 3) * 70));
      ++i;
    }
}

void WritePictures(TDesignerWindow& window) {
  TForm* design = window.GetDesigner().GetRoot();
  design->SetBounds(360, 20, 560, 330);
  DesignEveryComponent(window);
  Application->ProcessMessages();
  String folder = ProgramFolder() + "..\\";
  SaveScreenshot(&window, folder + "designer-palette.png");
  SaveScreenshot(design, folder + "designer-form.png");
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) {
  String packagePath = commandLine && *commandLine ? String(commandLine) : ProgramFolder() + "Ferrovane.dll";
  if (packagePath.size() > 1 && packagePath.front() == '"') packagePath = packagePath.substr(1, packagePath.find('"', 1) - 1);
  Application->SetTitle("Tovix Form Designer");
  std::unique_ptr<TDesignerWindow> window;
  try {
    window = std::make_unique<TDesignerWindow>(nullptr, packagePath);
  } catch (const Exception& e) {
    MessageBoxA(nullptr, e.Message().c_str(), "Tovix Form Designer", MB_OK | MB_ICONERROR);
    return 1;
  }
  window->Show();
  window->GetDesigner().GetRoot()->Show();
  const char* virtualDisplay = std::getenv("TOVIX_VIRTUAL_DISPLAY");
  if (virtualDisplay && String(virtualDisplay) == "1") {
    WritePictures(*window);
    return 0;
  }
  // Closing the designer's window ends the program.
  while (window->GetVisible() && !Application->GetTerminated()) Application->HandleMessage();
  return 0;
}
