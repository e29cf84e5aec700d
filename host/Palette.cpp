#include "host/Palette.h"

namespace Tovix {

TPalette::TPalette(TComponent* owner, const TDesignPackage& package) : TPageControl(owner) {
  for (const TPalettePage& page : package.Pages()) {
    auto* sheet = new TTabSheet(this);
    sheet->SetPageControl(this);
    sheet->SetCaption(page.name);
    int left = 4;
    for (const TClassInfo* componentClass : page.classes) {
      auto* button = new TSpeedButton(this);
      button->SetParent(sheet);
      button->SetBounds(left, 4, 30, 30);
      button->SetGroupIndex(1);
      button->SetAllowAllUp(true);
      button->SetHint(componentClass->Name());
      button->SetShowHint(true);
      if (HBITMAP bitmap = static_cast<HBITMAP>(package.LoadPaletteBitmap(*componentClass))) {
        auto glyph = std::make_unique<TBitmap>();
        glyph->SetHandle(bitmap);  // the glyph owns the handle now
        button->SetGlyph(glyph.get());
      } else {
        button->SetCaption(componentClass->Name().substr(1, 3));
      }
      button->SetOnClick(TNotifyEvent(this, &TPalette::ButtonClick));
      buttons_.emplace_back(button, componentClass);
      left += 32;
    }
  }
}

TSpeedButton* TPalette::ButtonOf(const String& className) const {
  for (const auto& [button, componentClass] : buttons_)
    if (SameText(componentClass->Name(), className)) return button;
  return nullptr;
}

void TPalette::ReleaseButtons() {
  for (const auto& entry : buttons_) entry.first->SetDown(false);
}

void TPalette::ButtonClick(TObject* sender) {
  for (const auto& [button, componentClass] : buttons_) {
    if (button != sender) continue;
    if (OnPick) OnPick(button->GetDown() ? componentClass : nullptr);
    return;
  }
}

}  // namespace Tovix
