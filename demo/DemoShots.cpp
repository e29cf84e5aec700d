#include "demo/DemoShots.h"

#include <cctype>

#include "demo/FmMain.h"
#include "framework/WinApi.h"
#include "screenshots/Screenshots.h"

namespace Tovix {

String PagePictureName(int position, const String& caption) {
  String name = Format("%d", position);
  if (name.size() < 2) name.insert(0, "0");
  bool pendingHyphen = true;
  for (char ch : caption) {
    auto c = static_cast<unsigned char>(ch);
    if (std::isalnum(c)) {
      if (pendingHyphen) name += '-';
      name += static_cast<char>(std::tolower(c));
      pendingHyphen = false;
    } else {
      pendingHyphen = true;
    }
  }
  return name + ".png";
}

namespace {

// Lets the page paint and the tray icon's timer tick before the picture is taken.
void Settle() {
  for (int i = 0; i < 10; ++i) {
    Application->ProcessMessages();
    Sleep(20);
  }
}

// The form's client area: the system draws no window frames into pictures here, so the frame
// would only be a black border.
TScreenshot ClientPicture(TFmMain* form) {
  TScreenshot whole = TakeScreenshot(form);
  RECT window{};
  GetWindowRect(form->GetHandle(), &window);
  POINT origin{0, 0};
  ClientToScreen(form->GetHandle(), &origin);
  int left = origin.x - window.left;
  int top = origin.y - window.top;
  return whole.Crop(TRect{left, top, left + form->GetClientWidth(), top + form->GetClientHeight()});
}

}  // namespace

std::vector<String> SavePagePictures(TFmMain* form, const String& folder) {
  if (!ForceDirectories(folder)) RaiseLastWin32Error();
  String prefix = folder.ends_with("\\") ? folder : folder + "\\";
  std::vector<String> files;
  form->PageControl->SetActivePageIndex(0);
  form->UpdateNavigation(form);
  for (int page = 0; page < form->PageControl->GetPageCount(); ++page) {
    if (page > 0) form->BtnNext->Click();
    Settle();
    String file = prefix + PagePictureName(page + 1, form->PageControl->GetActivePage()->GetCaption());
    ClientPicture(form).SaveToFile(file);
    files.push_back(file);
  }
  return files;
}

}  // namespace Tovix
