// TCustomMemo: a multi-line edit whose lines are a TStrings bound to the window text; TMemo
// publishes it.
#pragma once

#include <vector>

#include "framework/stdctrls/Edit.h"

namespace Tovix {

class TCustomMemo;

// The lines of a memo: its text split at CR LF. A text that ends with a line break has no empty
// line after it, so "a\r\nb" and "a\r\nb\r\n" both hold two lines. Changes go to the text at
// once, or, inside BeginUpdate/EndUpdate, once at the end.
class TMemoStrings : public TStrings {
  TOVIX_DECLARE_CLASS(TMemoStrings)

 public:
  explicit TMemoStrings(TCustomMemo* memo) : memo_(memo) {}

  int GetCount() const override;
  String Get(int index) const override;
  void Put(int index, const String& s) override;
  void Insert(int index, const String& s) override;
  void Delete(int index) override;
  void Clear() override;
  // The memo's text as it is, and setting it whole (lone CR or LF become CR LF).
  String GetText() const override;
  void SetText(const String& text) override;

 protected:
  void SetUpdateState(bool updating) override;

 private:
  // The text cut at every CR LF: one piece more than there are line breaks.
  std::vector<String> Pieces() const;
  void Store(const std::vector<String>& pieces);

  TCustomMemo* memo_;
  bool updating_ = false;
  bool pending_ = false;
  std::vector<String> pendingPieces_;
};

class TCustomMemo : public TCustomEdit {
  TOVIX_DECLARE_CLASS(TCustomMemo)

 public:
  explicit TCustomMemo(TComponent* owner);
  ~TCustomMemo() override;

  TStrings* GetLines() const { return lines_; }
  void SetLines(TStrings* lines);
  TAlignment GetAlignment() const { return alignment_; }
  void SetAlignment(TAlignment v);
  TScrollStyle GetScrollBars() const { return scrollBars_; }
  void SetScrollBars(TScrollStyle v);
  // Long lines break at the right edge; true by default.
  bool GetWordWrap() const { return wordWrap_; }
  void SetWordWrap(bool v);
  // Enter starts a new line (otherwise it goes to the form, for its default button); true by default.
  bool GetWantReturns() const { return wantReturns_; }
  void SetWantReturns(bool v) { wantReturns_ = v; }
  // Tab inserts a tab character (otherwise it moves the focus); false by default.
  bool GetWantTabs() const { return wantTabs_; }
  void SetWantTabs(bool v) { wantTabs_ = v; }

 protected:
  void CreateParams(TCreateParams& params) override;
  void KeyPress(char& key) override;
  void WMGetDlgCode(TMessage& m);

 private:
  TMemoStrings* lines_;
  TAlignment alignment_ = taLeftJustify;
  TScrollStyle scrollBars_ = ssNone;
  bool wordWrap_ = true;
  bool wantReturns_ = true;
  bool wantTabs_ = false;
};

class TMemo : public TCustomMemo {
  TOVIX_DECLARE_CLASS(TMemo)

 public:
  using TCustomMemo::TCustomMemo;
};

TOVIX_LINK_CLASS(TMemo)

}  // namespace Tovix
