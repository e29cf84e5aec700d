// TBitBtn: a push button (the system's BUTTON, drawn by the framework) with a glyph beside its
// caption. Kind gives standard buttons their caption, glyph, modal result and Default or Cancel
// switch: bkOK, bkCancel, bkHelp, bkYes, bkNo, bkClose, bkAbort, bkRetry, bkIgnore, bkAll.
// Changing what a kind set (Default, Cancel, ModalResult, the glyph) makes the button custom.
//
// bkClose closes its form. bkHelp runs its OnClick when one is set, else it asks for the
// application's help contents (ApplicationHelpCommand).
#pragma once

#include <memory>

#include "framework/stdctrls/ButtonGlyph.h"
#include "framework/stdctrls/Button.h"

namespace Tovix {

enum TBitBtnKind { bkCustom, bkOK, bkCancel, bkHelp, bkYes, bkNo, bkClose, bkAbort, bkRetry, bkIgnore, bkAll };

class TBitBtn : public TButton {
  TOVIX_DECLARE_CLASS(TBitBtn)

 public:
  explicit TBitBtn(TComponent* owner);
  ~TBitBtn() override;

  void Click() override;

  TBitmap* GetGlyph() const { return glyph_->GetGlyph(); }
  // Assigning a glyph makes the button custom.
  void SetGlyph(TBitmap* value);
  // bkCustom once a property the kind set has been changed.
  TBitBtnKind GetKind() const;
  void SetKind(TBitBtnKind value);
  TButtonLayout GetLayout() const { return layout_; }
  void SetLayout(TButtonLayout value);
  int GetMargin() const { return margin_; }
  void SetMargin(int value);
  int GetNumGlyphs() const { return glyph_->GetNumGlyphs(); }
  void SetNumGlyphs(int value);
  int GetSpacing() const { return spacing_; }
  void SetSpacing(int value);

  // The caption, modal result and glyph of a kind.
  static String KindCaption(TBitBtnKind kind);
  static TModalResult KindModalResult(TBitBtnKind kind);
  // A new glyph drawn for a kind (the caller owns it); null for bkCustom.
  static TBitmap* CreateKindGlyph(TBitBtnKind kind);

 protected:
  void CreateParams(TCreateParams& params) override;
  void CNDrawItem(TMessage& m);
  void BMSetStyle(TMessage& m);
  void WMLButtonDblClk(TMessage& m);
  void CMRedraw(TMessage& m);

 private:
  void GlyphChanged(TObject* sender);
  void Redraw();
  bool IsCustom() const { return GetKind() == bkCustom; }
  bool IsCustomCaption() const;

  std::unique_ptr<TButtonGlyph> glyph_;
  TBitBtnKind kind_ = bkCustom;
  TButtonLayout layout_ = blGlyphLeft;
  int margin_ = -1;
  int spacing_ = 4;
  bool modifiedGlyph_ = false;
  bool settingKind_ = false;
  // Drawn with the default button's dark frame (the style TButton asks for).
  bool defaultFrame_ = false;
};

template <>
struct TEnumTraits<TBitBtnKind> {
  static const TEnumInfo& Info();
};

TOVIX_LINK_CLASS(TBitBtn)

}  // namespace Tovix
