#include "framework/stdctrls/Memo.h"

#include "framework/stdctrls/Publish.h"

namespace Tovix {

namespace {

const char kLineBreak[] = "\r\n";

String JoinPieces(const std::vector<String>& pieces) {
  String text;
  for (size_t i = 0; i < pieces.size(); ++i) {
    if (i > 0) text += kLineBreak;
    text += pieces[i];
  }
  return text;
}

// Every CR LF, lone CR and lone LF becomes CR LF.
String AdjustLineBreaks(const String& text) {
  String result;
  result.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    char ch = text[i];
    if (ch == '\r' || ch == '\n') {
      result += kLineBreak;
      if (ch == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else {
      result += ch;
    }
  }
  return result;
}

}  // namespace

// ---------------------------------------------------------------------------
// TMemoStrings

TOVIX_IMPLEMENT_CLASS(TMemoStrings, TStrings) {}

std::vector<String> TMemoStrings::Pieces() const {
  if (pending_) return pendingPieces_;
  String text = memo_->GetText();
  std::vector<String> pieces;
  size_t start = 0;
  for (size_t at = text.find(kLineBreak); at != String::npos; at = text.find(kLineBreak, start)) {
    pieces.push_back(text.substr(start, at - start));
    start = at + 2;
  }
  pieces.push_back(text.substr(start));
  return pieces;
}

void TMemoStrings::Store(const std::vector<String>& pieces) {
  if (updating_) {
    pendingPieces_ = pieces;
    pending_ = true;
    return;
  }
  memo_->SetText(JoinPieces(pieces));
}

void TMemoStrings::SetUpdateState(bool updating) {
  updating_ = updating;
  if (updating || !pending_) return;
  pending_ = false;
  std::vector<String> pieces;
  pieces.swap(pendingPieces_);
  Store(pieces);
}

int TMemoStrings::GetCount() const {
  std::vector<String> pieces = Pieces();
  return static_cast<int>(pieces.size()) - (pieces.back().empty() ? 1 : 0);
}

String TMemoStrings::Get(int index) const {
  std::vector<String> pieces = Pieces();
  int count = static_cast<int>(pieces.size()) - (pieces.back().empty() ? 1 : 0);
  if (index < 0 || index >= count) IndexError(index);
  return pieces[static_cast<size_t>(index)];
}

void TMemoStrings::Put(int index, const String& s) {
  std::vector<String> pieces = Pieces();
  int count = static_cast<int>(pieces.size()) - (pieces.back().empty() ? 1 : 0);
  if (index < 0 || index >= count) IndexError(index);
  pieces[static_cast<size_t>(index)] = s;
  Store(pieces);
}

// A line inserted before an existing one (or into the empty last piece) is followed by a line
// break; one added after a last line without a break gets the break before it.
void TMemoStrings::Insert(int index, const String& s) {
  std::vector<String> pieces = Pieces();
  int count = static_cast<int>(pieces.size()) - (pieces.back().empty() ? 1 : 0);
  if (index < 0 || index > count) IndexError(index);
  if (index < static_cast<int>(pieces.size())) pieces.insert(pieces.begin() + index, s);
  else pieces.push_back(s);
  Store(pieces);
}

// Deleting the last line of a text without a final break leaves the break before it.
void TMemoStrings::Delete(int index) {
  std::vector<String> pieces = Pieces();
  int count = static_cast<int>(pieces.size()) - (pieces.back().empty() ? 1 : 0);
  if (index < 0 || index >= count) IndexError(index);
  if (index == static_cast<int>(pieces.size()) - 1) pieces.back().clear();
  else pieces.erase(pieces.begin() + index);
  Store(pieces);
}

void TMemoStrings::Clear() { Store({String()}); }

String TMemoStrings::GetText() const { return pending_ ? JoinPieces(pendingPieces_) : memo_->GetText(); }

void TMemoStrings::SetText(const String& text) {
  pending_ = false;
  pendingPieces_.clear();
  memo_->SetText(AdjustLineBreaks(text));
}

// ---------------------------------------------------------------------------
// TCustomMemo

TOVIX_IMPLEMENT_CLASS(TCustomMemo, TCustomEdit) { c.Message(WM_GETDLGCODE, &TCustomMemo::WMGetDlgCode); }

TOVIX_IMPLEMENT_CLASS(TMemo, TCustomMemo) {
  namespace P = StdCtrlsPublish;
  StdCtrlsPublish::Placement(c);
  c.Property("Align", &TMemo::GetAlign, &TMemo::SetAlign).Default(alNone);
  c.Property("Alignment", &TMemo::GetAlignment, &TMemo::SetAlignment).Default(taLeftJustify);
  c.Property("BorderStyle", &TMemo::GetBorderStyle, &TMemo::SetBorderStyle).Default(bsSingle);
  P::Appearance(c, clWindow, false);
  P::Dragging(c);
  c.Property("HideSelection", &TMemo::GetHideSelection, &TMemo::SetHideSelection).Default(true);
  c.Property("Lines", &TMemo::GetLines, &TMemo::SetLines);
  c.Property("MaxLength", &TMemo::GetMaxLength, &TMemo::SetMaxLength).Default(0);
  c.Property("OEMConvert", &TMemo::GetOEMConvert, &TMemo::SetOEMConvert).Default(false);
  c.Property("ReadOnly", &TMemo::GetReadOnly, &TMemo::SetReadOnly).Default(false);
  c.Property("ScrollBars", &TMemo::GetScrollBars, &TMemo::SetScrollBars).Default(ssNone);
  P::State(c);
  P::TabOrder(c, true);
  c.Property("WantReturns", &TMemo::GetWantReturns, &TMemo::SetWantReturns).Default(true);
  c.Property("WantTabs", &TMemo::GetWantTabs, &TMemo::SetWantTabs).Default(false);
  c.Property("WordWrap", &TMemo::GetWordWrap, &TMemo::SetWordWrap).Default(true);
  c.Property("OnChange", &TMemo::GetOnChange, &TMemo::SetOnChange);
  c.Property("OnClick", &TMemo::GetOnClick, &TMemo::SetOnClick);
  c.Property("OnDblClick", &TMemo::GetOnDblClick, &TMemo::SetOnDblClick);
  P::FocusAndKeyEvents(c);
  P::MouseEvents(c);
}

TCustomMemo::TCustomMemo(TComponent* owner) : TCustomEdit(owner), lines_(new TMemoStrings(this)) {
  SetBounds(0, 0, 185, 89);
  SetAutoSize(false);
}

TCustomMemo::~TCustomMemo() {
  Destroying();
  delete lines_;
  lines_ = nullptr;
}

void TCustomMemo::SetLines(TStrings* lines) {
  if (lines) lines_->Assign(*lines);
}

void TCustomMemo::CreateParams(TCreateParams& params) {
  TCustomEdit::CreateParams(params);
  static const DWORD kAlignments[] = {ES_LEFT, ES_RIGHT, ES_CENTER};
  static const DWORD kScrollBars[] = {0, WS_HSCROLL, WS_VSCROLL, WS_HSCROLL | WS_VSCROLL};
  if (wordWrap_) params.Style &= ~static_cast<DWORD>(ES_AUTOHSCROLL);
  params.Style |= ES_MULTILINE | kAlignments[alignment_] | kScrollBars[scrollBars_];
}

void TCustomMemo::SetAlignment(TAlignment v) {
  if (v == alignment_) return;
  alignment_ = v;
  RecreateWnd();
}

void TCustomMemo::SetScrollBars(TScrollStyle v) {
  if (v == scrollBars_) return;
  scrollBars_ = v;
  RecreateWnd();
}

void TCustomMemo::SetWordWrap(bool v) {
  if (v == wordWrap_) return;
  wordWrap_ = v;
  RecreateWnd();
}

void TCustomMemo::KeyPress(char& key) {
  TCustomEdit::KeyPress(key);
  if (key == '\r' && !wantReturns_) key = 0;
}

void TCustomMemo::WMGetDlgCode(TMessage& m) {
  DefaultHandler(m);
  if (wantTabs_) m.Result |= DLGC_WANTTAB;
  else m.Result &= ~static_cast<intptr_t>(DLGC_WANTTAB);
  if (!wantReturns_) m.Result &= ~static_cast<intptr_t>(DLGC_WANTALLKEYS);
}

}  // namespace Tovix
