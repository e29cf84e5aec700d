#include "dialogs/Orvcommdlg.h"

#include <algorithm>
#include <memory>

#include <mmsystem.h>

#include "framework/Forms.h"
#include "framework/TypInfoBuilder.h"
#include "framework/design/Registration.h"
#include "utils/Orvregistry.h"

namespace Tovix {

TOVIX_IMPLEMENT_CLASS(TOrvOpenWaveDialog, TOpenDialog) {
  // Republished only to gain their rules: they keep their places among the open dialog's.
  c.Property("DefaultExt", &TOrvOpenWaveDialog::GetDefaultExt, &TOrvOpenWaveDialog::SetDefaultExt)
      .Stored(&TOrvOpenWaveDialog::IsStoreDefaultExt);
  c.Property("Filter", &TOrvOpenWaveDialog::GetFilter, &TOrvOpenWaveDialog::SetFilter)
      .Stored(&TOrvOpenWaveDialog::IsStoreFilter);
  c.Property("Title", &TOrvOpenWaveDialog::GetTitle, &TOrvOpenWaveDialog::SetTitle)
      .Stored(&TOrvOpenWaveDialog::IsStoreTitle);
  c.Property("AutoPlay", &TOrvOpenWaveDialog::GetAutoPlay, &TOrvOpenWaveDialog::SetAutoPlay).Default(false);
  c.Property("UseRegistry", &TOrvOpenWaveDialog::GetUseRegistry, &TOrvOpenWaveDialog::SetUseRegistry).Default(false);
}

const char* const TOrvOpenWaveDialog::RegistryKey = "Software\\Ferrovane Technologies\\OpenWaveDialog";
const char* const TOrvOpenWaveDialog::RegistryValue = "Auto Play";

namespace {

const char kWaveExt[] = ".wav";
const char kWaveFilter[] = "Wave Files (*.wav)|*.WAV";
const char kWaveTitle[] = "Select Wave File";
const char kTemplate[] = "TOrvOpenWaveDialog_Template";
const char kPlayGlyph[] = "TOrvOpenWaveDialog_PlayWav";

// The gap between the standard controls and the strip, and around the strip's controls.
const int kStripGap = 4;
const int kButtonLeft = 10;
const int kCheckBoxGap = 30;
const int kCheckBoxWidth = 200;

}  // namespace

TOrvOpenWaveDialog::TOrvOpenWaveDialog(TComponent* owner) : TOpenDialog(owner) {
  SetDefaultExt(kWaveExt);
  SetFilter(kWaveFilter);
  SetTitle(kWaveTitle);
  SetOptions(TOpenOptions{ofHideReadOnly, ofPathMustExist, ofFileMustExist});
}

TOrvOpenWaveDialog::~TOrvOpenWaveDialog() { FreeStrip(); }

bool TOrvOpenWaveDialog::IsStoreDefaultExt() const { return GetDefaultExt() != kWaveExt; }
bool TOrvOpenWaveDialog::IsStoreFilter() const { return GetFilter() != kWaveFilter; }
bool TOrvOpenWaveDialog::IsStoreTitle() const { return GetTitle() != kWaveTitle; }

void TOrvOpenWaveDialog::SetAutoPlay(bool value) {
  autoPlay_ = value;
  if (chkAutoPlay_) chkAutoPlay_->SetChecked(value);
}

bool TOrvOpenWaveDialog::Execute() {
  bool newStyle = NewStyleControls && !GetOptions().Contains(ofOldStyleDialog);
  SetTemplate(newStyle ? kTemplate : "");
  if (useRegistry_) ReadAutoPlay();
  return TOpenDialog::Execute();
}

// A value of another type than a 32-bit number counts as absent: it must not stop every
// Execute until someone mends the registry by hand.
void TOrvOpenWaveDialog::ReadAutoPlay() {
  TOrvRegistry registry(HKEY_CURRENT_USER);
  if (!registry.OpenKeyReadOnly(RegistryKey)) return;
  if (registry.GetDataType(RegistryValue) == rdInteger && registry.GetDataSize(RegistryValue) == 4)
    autoPlay_ = registry.ReadBool(RegistryValue);
}

void TOrvOpenWaveDialog::WriteAutoPlay() {
  TOrvRegistry registry(HKEY_CURRENT_USER);
  if (registry.OpenKey(RegistryKey, true)) registry.WriteBool(RegistryValue, autoPlay_);
}

bool TOrvOpenWaveDialog::ValidFile() const {
  String file = GetFileName();
  return !file.empty() && FileExists(file) && GetFileAttributesA(file.c_str()) != INVALID_FILE_ATTRIBUTES;
}

void TOrvOpenWaveDialog::PlaySelected() {
  static_assert((SND_FILENAME | SND_ASYNC | SND_NODEFAULT) == 0x20003);
  if (!ValidFile()) return;
  PlaySoundA(GetFileName().c_str(), static_cast<HMODULE>(TovixThisModule()), SND_FILENAME | SND_ASYNC | SND_NODEFAULT);
}

void TOrvOpenWaveDialog::BtnPlayOnClick(TObject*) {
  if (ValidFile()) PlaySelected();
  else if (btnPlay_) btnPlay_->SetEnabled(false);
}

void TOrvOpenWaveDialog::ChkAutoPlayOnClick(TObject*) {
  if (chkAutoPlay_) autoPlay_ = chkAutoPlay_->GetChecked();
}

// All or nothing: the strip is built aside and kept only when every part of it could be made,
// so a failure (a missing glyph) leaves no half-built strip and no names taken.
void TOrvOpenWaveDialog::BuildStrip() {
  auto panel = std::make_unique<TPanel>(this);
  panel->SetName("Panel");
  panel->SetCaption("");
  panel->SetBevelOuter(bvNone);
  panel->SetBorderWidth(6);
  panel->SetTabOrder(1);

  auto* button = new TSpeedButton(panel.get());
  button->SetName("BtnPlay");
  button->SetHint("Play The Selected WAV File");
  button->SetShowHint(true);
  button->SetEnabled(false);
  button->GetGlyph()->LoadFromResourceName(static_cast<HINSTANCE>(TovixThisModule()), kPlayGlyph);
  button->SetOnClick(TNotifyEvent(this, &TOrvOpenWaveDialog::BtnPlayOnClick));
  button->SetParent(panel.get());
  button->SetLeft(kButtonLeft);
  button->SetTop(kStripGap);

  auto* check = new TCheckBox(panel.get());
  check->SetName("ChkAutoPlay");
  check->SetCaption("Play Selected File Automatically");
  check->SetHint("Play Selected WAV Files Automatically When Selected");
  check->SetShowHint(true);
  check->SetTabOrder(2);
  check->SetEnabled(true);
  check->SetOnClick(TNotifyEvent(this, &TOrvOpenWaveDialog::ChkAutoPlayOnClick));
  check->SetParent(panel.get());
  check->SetBounds(button->GetLeft() + button->GetWidth() + kCheckBoxGap, kStripGap, kCheckBoxWidth, check->GetHeight());

  panel_ = panel.release();
  btnPlay_ = button;
  chkAutoPlay_ = check;
  chkAutoPlay_->SetChecked(autoPlay_);
}

// The strip lies in the child dialog made from the template, across its full width, from just
// below the standard controls to its bottom.
void TOrvOpenWaveDialog::PlaceStrip() {
  HWND host = GetHookHandle() ? GetHookHandle() : GetHandle();
  panel_->SetParentWindow(host);
  RECT client;
  GetClientRect(host, &client);
  RECT standard = GetStaticRect();
  MapWindowPoints(GetHandle(), host, reinterpret_cast<POINT*>(&standard), 2);
  client.top = std::min(standard.bottom + kStripGap, client.bottom);
  panel_->SetBoundsRect(client);
  panel_->HandleNeeded();
}

void TOrvOpenWaveDialog::FreeStrip() {
  delete btnPlay_;
  btnPlay_ = nullptr;
  delete chkAutoPlay_;
  chkAutoPlay_ = nullptr;
  delete panel_;
  panel_ = nullptr;
}

void TOrvOpenWaveDialog::DoShow() {
  FreeStrip();
  BuildStrip();
  PlaceStrip();
  TOpenDialog::DoShow();
}

void TOrvOpenWaveDialog::DoSelectionChange() {
  bool valid = ValidFile();
  if (valid && autoPlay_) PlaySelected();
  if (btnPlay_) btnPlay_->SetEnabled(valid);
  TOpenDialog::DoSelectionChange();
}

void TOrvOpenWaveDialog::DoClose() {
  FreeStrip();
  if (useRegistry_) WriteAutoPlay();
  TOpenDialog::DoClose();
  // No hint of the strip's freed controls may stay on the screen.
  Application->HideHint();
}

void Orvcommdlg::Register() {
  RegisterComponents("Tovix", {&TOrvOpenWaveDialog::StaticClassInfo()});
}

}  // namespace Tovix
