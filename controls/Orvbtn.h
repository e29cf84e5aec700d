// Orvbtn: TOrvInternetLink, a label that looks like a hyperlink and opens its address with the
// system's handler for it (a web page, a mail form for "mailto:", ...) when clicked, and
// TOrvInternetLinkEditor, its design-time editor, which tries the link from the form designer.
#pragma once

#include "framework/DesignIntf.h"
#include "framework/StdCtrls.h"

namespace Tovix {

// The address a new link opens: its maker's web site.
extern const char OrvInternetLinkDefaultUrl[];

class TOrvInternetLink : public TCustomLabel {
  TOVIX_DECLARE_CLASS(TOrvInternetLink)

 public:
  // Blue, underlined, hover colour clAqua, the maker's address; a click opens the address.
  explicit TOrvInternetLink(TComponent* owner);

  const String& GetUrl() const { return url_; }
  // Stores the address trimmed of blanks and control characters, and shows it when AutoCaption is on.
  void SetUrl(const String& value);
  bool GetAutoCaption() const { return autoCaption_; }
  // Switching it on shows the address as the caption; switching it off keeps the caption.
  void SetAutoCaption(bool value);
  TColor GetHoverColor() const { return hoverColor_; }
  void SetHoverColor(TColor value) { hoverColor_ = value; }
  // The colour the link takes once it has been opened by a click; clNone (the default) keeps the
  // link's colour as it is.
  TColor GetVisitedColor() const { return visitedColor_; }
  void SetVisitedColor(TColor value) { visitedColor_ = value; }

  // Opens the address with the shell (an empty one too), then shows the link as visited; the
  // OnClick handler.
  virtual void ClickHandler(TObject* sender);

 protected:
  // The font takes the hover colour while the mouse is over the link, and gets its own colour
  // back when the mouse leaves. In the designer the font stays as it is: it is what gets stored.
  void CMMouseEnter(TMessage& message);
  void CMMouseLeave(TMessage& message);

 private:
  String url_;
  bool autoCaption_ = false;
  TColor hoverColor_ = clAqua;
  TColor visitedColor_ = clNone;
  TColor savedColor_ = clBlue;
  // Whether the font shows the hover colour, so that a repeated enter does not save the hover
  // colour as the link's own and a leave without an enter changes nothing.
  bool hovered_ = false;
};

class TOrvInternetLinkEditor : public TComponentEditor {
 public:
  using TComponentEditor::TComponentEditor;

  // Opens the link's address, so a double click in the designer tries it.
  void Edit() override;
  // Opens the edited link's address unless it is empty (every index does the same).
  void ExecuteVerb(int index) override;
  String GetVerb(int index) override;
  int GetVerbCount() override;
};

TOVIX_LINK_CLASS(TOrvInternetLink)

// The unit's design-time registration, which a form designer runs after loading the package:
// puts the internet link on the "Tovix" palette page, then its component editor.
namespace Orvbtn {
void Register();
}  // namespace Orvbtn

}  // namespace Tovix
