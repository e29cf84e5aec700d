#include "controls/Orvtrayicon.h"

#include <algorithm>
#include <climits>
#include <cstddef>
#include <cstring>

#include <shellapi.h>

#include "framework/ClassesWindows.h"
#include "framework/Forms.h"
#include "framework/TypInfoBuilder.h"
#include "framework/design/Registration.h"
#include "utils/Orvutils.h"

namespace Tovix {

// The record is the platform's first layout, field by field.
static_assert(sizeof(TOrvNotifyIconData) == NOTIFYICONDATAA_V1_SIZE);
static_assert(offsetof(TOrvNotifyIconData, Wnd) == offsetof(NOTIFYICONDATAA, hWnd));
static_assert(offsetof(TOrvNotifyIconData, uID) == offsetof(NOTIFYICONDATAA, uID));
static_assert(offsetof(TOrvNotifyIconData, uFlags) == offsetof(NOTIFYICONDATAA, uFlags));
static_assert(offsetof(TOrvNotifyIconData, uCallbackMessage) == offsetof(NOTIFYICONDATAA, uCallbackMessage));
static_assert(offsetof(TOrvNotifyIconData, hIcon) == offsetof(NOTIFYICONDATAA, hIcon));
static_assert(offsetof(TOrvNotifyIconData, szTip) == offsetof(NOTIFYICONDATAA, szTip));
#ifndef _WIN64
static_assert(sizeof(TOrvNotifyIconData) == 88, "the 32-bit first layout is 88 bytes");
#endif

TOVIX_IMPLEMENT_CLASS(TOrvTrayIcon, TComponent) {
  c.Property("LeftClickTopmost", &TOrvTrayIcon::GetLeftClickTopmost, &TOrvTrayIcon::SetLeftClickTopmost).Default(false);
  c.Property("RightClickTopmost", &TOrvTrayIcon::GetRightClickTopmost, &TOrvTrayIcon::SetRightClickTopmost)
      .Default(false);
  c.Property("DblClickTopmost", &TOrvTrayIcon::GetDblClickTopmost, &TOrvTrayIcon::SetDblClickTopmost).Default(false);
  c.Property("ChangeFormIcon", &TOrvTrayIcon::GetChangeFormIcon, &TOrvTrayIcon::SetChangeFormIcon).Default(false);
  c.Property("ChangeAppIcon", &TOrvTrayIcon::GetChangeAppIcon, &TOrvTrayIcon::SetChangeAppIcon).Default(false);
  c.Property("LeftClickPopup", &TOrvTrayIcon::GetLeftClickPopup, &TOrvTrayIcon::SetLeftClickPopup);
  c.Property("RightClickPopup", &TOrvTrayIcon::GetRightClickPopup, &TOrvTrayIcon::SetRightClickPopup);
  c.Property("Hint", &TOrvTrayIcon::GetHint, &TOrvTrayIcon::SetHint);
  c.Property("AnimIcons", &TOrvTrayIcon::GetAnimIcons, &TOrvTrayIcon::SetAnimIcons);
  c.Property("FrameSpeed", &TOrvTrayIcon::GetFrameSpeed, &TOrvTrayIcon::SetFrameSpeed).Default(1000);
  c.Property("HideFromTaskbar", &TOrvTrayIcon::GetHideFromTaskbar, &TOrvTrayIcon::SetHideFromTaskbar).Default(false);
  c.Property("ShowTrayIcon", &TOrvTrayIcon::GetShowTrayIcon, &TOrvTrayIcon::SetShowTrayIcon).Default(false);
  c.Property("ShowDesigning", &TOrvTrayIcon::GetShowDesigning, &TOrvTrayIcon::SetShowDesigning).Default(false);
  c.Property("Flash", &TOrvTrayIcon::GetFlash, &TOrvTrayIcon::SetFlash).Default(false);
  c.Property("Icon", &TOrvTrayIcon::GetIcon, &TOrvTrayIcon::SetIcon);
  c.Property("FlashIcon", &TOrvTrayIcon::GetFlashIcon, &TOrvTrayIcon::SetFlashIcon);
  c.Property("AnimOffMode", &TOrvTrayIcon::GetAnimOffMode, &TOrvTrayIcon::SetAnimOffMode).Default(aoffRestoreIcon);
  c.Property("AnimOnMode", &TOrvTrayIcon::GetAnimOnMode, &TOrvTrayIcon::SetAnimOnMode).Default(aonFrameZero);
  c.Property("Animate", &TOrvTrayIcon::GetAnimate, &TOrvTrayIcon::SetAnimate).Default(false);
  c.Property("FirstFrame", &TOrvTrayIcon::GetFirstFrame, &TOrvTrayIcon::SetFirstFrame).Default(0);
  c.Property("LastFrame", &TOrvTrayIcon::GetLastFrame, &TOrvTrayIcon::SetLastFrame).Default(0);
  c.Property("OnClick", &TOrvTrayIcon::GetOnClick, &TOrvTrayIcon::SetOnClick);
  c.Property("OnDblClick", &TOrvTrayIcon::GetOnDblClick, &TOrvTrayIcon::SetOnDblClick);
  c.Property("OnRightClick", &TOrvTrayIcon::GetOnRightClick, &TOrvTrayIcon::SetOnRightClick);
  c.Property("OnIconChange", &TOrvTrayIcon::GetOnIconChange, &TOrvTrayIcon::SetOnIconChange);
  c.Property("OnFrameAdvance", &TOrvTrayIcon::GetOnFrameAdvance, &TOrvTrayIcon::SetOnFrameAdvance);
  c.Message(WM_LBUTTONDBLCLK, &TOrvTrayIcon::WMLButtonDblClk);
  c.Message(WM_LBUTTONUP, &TOrvTrayIcon::WMLButtonUp);
  c.Message(WM_RBUTTONUP, &TOrvTrayIcon::WMRButtonUp);
}

const TEnumInfo& TEnumTraits<TOrvAnimOnMode>::Info() {
  static const TEnumInfo info{{"aonResume", "aonFrameZero"}};
  return info;
}

const TEnumInfo& TEnumTraits<TOrvAnimOffMode>::Info() {
  static const TEnumInfo info{{"aoffDoNothing", "aoffFrameZero", "aoffRestoreIcon"}};
  return info;
}

namespace {

const char kDefaultIconName[] = "TOrvTrayIcon_DefaultIcon";
const char kBlankIconName[] = "TOrvTrayIcon_BlankIcon";
const int kIconSize = 16;

// Sent by the shell to every top-level window when it (re)starts: icons must be added again.
UINT TaskbarCreatedMessage() {
  static const UINT message = RegisterWindowMessageA("TaskbarCreated");
  return message;
}

// The application object, unless it is gone or going (the program is ending).
TApplication* LiveApplication() { return Application && !Application->IsDestroying() ? Application : nullptr; }

}  // namespace

// ---------------------------------------------------------------------------
// Life

TOrvTrayIcon::TOrvTrayIcon(TComponent* owner) : TComponent(owner) {
  window_ = AllocateHWnd([this](TMessage& message) { WndProc(message); });
  timer_ = new TTimer(nullptr);
  timer_->SetEnabled(false);
  timer_->SetInterval(static_cast<uint32_t>(frameSpeed_));
  timer_->SetOnTimer(TNotifyEvent(this, &TOrvTrayIcon::HandleTimer));
}

TOrvTrayIcon::~TOrvTrayIcon() {
  Destroying();
  // A destructor must not raise: a missing icon resource met while switching the animation off
  // leaves the icon as it is.
  try {
    if (animate_) SetAnimate(false);
  } catch (const Exception&) {
  }
  if (inTray_) DeleteSysTrayIcon();
  *alive_ = false;
  timer_->Free();
  delete icon_;
  delete flashIcon_;
  delete shownIcon_;
  delete defaultIcon_;
  delete savedFormIcon_;
  delete savedAppIcon_;
  delete blankIcon_;
  delete savedFlashIcon_;
  DeallocateHWnd(window_);
}

void TOrvTrayIcon::Loaded() {
  TComponent::Loaded();
  // Pushes the icon read last to the tray, the form and the application.
  if (!shownIcon_) RevertIcon();
}

void TOrvTrayIcon::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation != opRemove) return;
  if (component == animIcons_) {
    SetAnimIcons(nullptr);
    return;
  }
  // One menu may serve both buttons.
  if (component == leftClickPopup_) leftClickPopup_ = nullptr;
  if (component == rightClickPopup_) rightClickPopup_ = nullptr;
}

// ---------------------------------------------------------------------------
// Window messages

void TOrvTrayIcon::WndProc(TMessage& message) {
  if (message.Msg == OrvTrayIconCallbackMessage) {
    // lParam names the mouse message that happened on the icon.
    TMessage mouse{static_cast<unsigned>(message.LParam), message.WParam, 0, message.Result};
    Dispatch(mouse);
    return;
  }
  if (message.Msg == OrvTrayIconHintMessage) {
    SetHint(hint_);
    return;
  }
  if (message.Msg == TaskbarCreatedMessage() && inTray_) AddSysTrayIcon();
  message.Result = DefWindowProcA(window_, message.Msg, message.WParam, message.LParam);
}

void TOrvTrayIcon::WMLButtonUp(TMessage&) {
  HandleClick(leftClickTopmost_, &TOrvTrayIcon::leftClickPopup_, &TOrvTrayIcon::onClick_, mbLeft);
}

void TOrvTrayIcon::WMRButtonUp(TMessage&) {
  HandleClick(rightClickTopmost_, &TOrvTrayIcon::rightClickPopup_, &TOrvTrayIcon::onRightClick_, mbRight);
}

void TOrvTrayIcon::WMLButtonDblClk(TMessage&) {
  if (dblClickTopmost_) MakeFormTopmost();
  TNotifyEvent handler = onDblClick_;
  handler(this);
}

void TOrvTrayIcon::HandleClick(bool topmost, TPopupMenu* TOrvTrayIcon::*popup, TMouseEvent TOrvTrayIcon::*event,
                               TMouseButton button) {
  if (topmost) MakeFormTopmost();
  POINT cursor{};
  GetCursorPos(&cursor);
  if (this->*popup) {
    std::shared_ptr<bool> alive = alive_;
    // The menu's owner must be the foreground window, or the menu stays open when the user
    // clicks elsewhere.
    HWND appWindow = Application->GetHandle();
    SetForegroundWindow(appWindow);
    Application->ProcessMessages();
    // Those messages may have freed the menu (Notification cleared it) or this component.
    if (!*alive) return;
    if (TPopupMenu* menu = this->*popup) menu->Popup(cursor.x, cursor.y);
    if (!*alive) return;
    PostMessageA(appWindow, WM_NULL, 0, 0);
  }
  TMouseEvent handler = this->*event;
  handler(this, button, TShiftState(), cursor.x, cursor.y);
}

void TOrvTrayIcon::MakeFormTopmost() {
  TCustomForm* form = LiveOwnerForm();
  if (!form) return;
  form->SetVisible(true);
  SetForegroundWindow(Application->GetHandle());
}

TCustomForm* TOrvTrayIcon::LiveOwnerForm() const {
  TComponent* owner = GetOwner();
  if (!owner || owner->IsDestroying()) return nullptr;
  return dynamic_cast<TCustomForm*>(owner);
}

// ---------------------------------------------------------------------------
// The shell

bool TOrvTrayIcon::CallShell(DWORD message) {
  return Shell_NotifyIconA(message, reinterpret_cast<NOTIFYICONDATAA*>(&iconData_)) != FALSE;
}

void TOrvTrayIcon::FillTrayIconStruct() {
  HICON icon = GetInternalIcon()->GetHandle();
  iconData_ = TOrvNotifyIconData{};
  iconData_.cbSize = sizeof(TOrvNotifyIconData);
  iconData_.Wnd = window_;
  iconData_.uID = 0;
  iconData_.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  iconData_.uCallbackMessage = OrvTrayIconCallbackMessage;
  iconData_.hIcon = icon;
  std::memcpy(iconData_.szTip, hint_.data(), std::min(hint_.size(), sizeof(iconData_.szTip) - 1));
}

bool TOrvTrayIcon::AddSysTrayIcon() {
  FillTrayIconStruct();
  bool added = CallShell(NIM_ADD);
  inTray_ = true;
  if (hint_.empty()) PostMessageA(window_, OrvTrayIconHintMessage, 0, 0);
  return added;
}

bool TOrvTrayIcon::DeleteSysTrayIcon() {
  bool deleted = CallShell(NIM_DELETE);
  inTray_ = false;
  return deleted;
}

void TOrvTrayIcon::UpdateTrayIconOnly() {
  if (!inTray_) return;
  FillTrayIconStruct();
  CallShell(NIM_MODIFY);
}

void TOrvTrayIcon::UpdateIcons() {
  UpdateTrayIconOnly();
  if (changeFormIcon_ && !IsDesigning())
    if (auto* form = dynamic_cast<TForm*>(LiveOwnerForm())) form->SetIcon(GetInternalIcon());
  if (changeAppIcon_ && !IsDesigning())
    if (TApplication* application = LiveApplication()) application->SetIcon(GetInternalIcon());
}

bool TOrvTrayIcon::AnyIconShown() const {
  return inTray_ || changeFormIcon_ || (changeAppIcon_ && !hideFromTaskbar_);
}

// ---------------------------------------------------------------------------
// Icons

HINSTANCE TOrvTrayIcon::GetResourceModule() const { return static_cast<HINSTANCE>(TovixThisModule()); }

TIcon* TOrvTrayIcon::LoadIconResource(TIcon*& icon, const char* name, const char* errorText) {
  if (icon) return icon;
  // The object stays, empty, when the resource is missing: the error is raised once.
  icon = new TIcon();
  HANDLE handle = LoadImageA(GetResourceModule(), name, IMAGE_ICON, kIconSize, kIconSize, LR_DEFAULTCOLOR);
  if (!handle) throw EOrvTrayIconError(errorText);
  icon->SetHandle(static_cast<HICON>(handle));
  return icon;
}

TIcon* TOrvTrayIcon::GetDefaultIcon() {
  return LoadIconResource(defaultIcon_, kDefaultIconName, "TOrvTrayIcon unable to load default icon resource");
}

TIcon* TOrvTrayIcon::GetInternalFlashIcon() {
  if (flashIcon_ && flashIcon_->GetHandle()) return flashIcon_;
  return LoadIconResource(blankIcon_, kBlankIconName, "TOrvTrayIcon unable to load blank icon resource");
}

TIcon* TOrvTrayIcon::GetInternalIcon() {
  if (shownIcon_ && shownIcon_->GetHandle()) return shownIcon_;
  if (icon_ && icon_->GetHandle()) return icon_;
  return GetDefaultIcon();
}

void TOrvTrayIcon::SetShownIcon(TIcon* icon) {
  if (icon) {
    if (!shownIcon_) shownIcon_ = new TIcon();
    shownIcon_->Assign(icon);
  } else {
    delete shownIcon_;
    shownIcon_ = nullptr;
  }
  UpdateIcons();
}

void TOrvTrayIcon::RevertIcon() { SetShownIcon(nullptr); }

TIcon* TOrvTrayIcon::GetIcon() const {
  if (!icon_ && IsReading()) icon_ = new TIcon();
  return icon_;
}

void TOrvTrayIcon::SetIcon(TIcon* value) {
  if (!IsDesigning()) {
    // At run time the streamed icon stays in Icon, so that RevertIcon can return to it.
    SetShownIcon(value);
  } else if (value) {
    if (!icon_) icon_ = new TIcon();
    icon_->Assign(value);
  } else {
    delete icon_;
    icon_ = nullptr;
  }
  UpdateIcons();
  // A copy: the handler may free this component, and the event with it.
  TOrvTrayIconChangeEvent handler = onIconChange_;
  handler();
}

TIcon* TOrvTrayIcon::GetFlashIcon() const {
  if (!flashIcon_ && IsReading()) flashIcon_ = new TIcon();
  return flashIcon_;
}

void TOrvTrayIcon::SetFlashIcon(TIcon* value) {
  if (value) {
    if (!flashIcon_) flashIcon_ = new TIcon();
    flashIcon_->Assign(value);
  } else {
    delete flashIcon_;
    flashIcon_ = nullptr;
  }
}

// ---------------------------------------------------------------------------
// Properties

void TOrvTrayIcon::SetHint(const String& value) {
  hint_ = value.size() > static_cast<size_t>(OrvTrayIconMaxHint) ? value.substr(0, OrvTrayIconMaxHint) : value;
  UpdateTrayIconOnly();
}

void TOrvTrayIcon::SetShowTrayIcon(bool value) {
  if (!IsDesigning()) {
    if (value && !inTray_) AddSysTrayIcon();
    else if (!value && inTray_) DeleteSysTrayIcon();
  }
  showTrayIcon_ = value;
}

void TOrvTrayIcon::SetShowDesigning(bool value) {
  if (value == showDesigning_ || !IsDesigning()) return;
  if (value && !inTray_) AddSysTrayIcon();
  else if (!value && inTray_) DeleteSysTrayIcon();
  showDesigning_ = value;
}

void TOrvTrayIcon::SetLeftClickPopup(TPopupMenu* value) {
  leftClickPopup_ = value;
  // Told when a menu of another owner is freed, too.
  if (value) value->FreeNotification(this);
}

void TOrvTrayIcon::SetRightClickPopup(TPopupMenu* value) {
  rightClickPopup_ = value;
  if (value) value->FreeNotification(this);
}

void TOrvTrayIcon::SetChangeFormIcon(bool value) {
  if (value == changeFormIcon_) return;
  changeFormIcon_ = value;
  if (IsDesigning()) return;
  auto* form = dynamic_cast<TForm*>(LiveOwnerForm());
  if (!form) return;
  if (value) {
    if (!savedFormIcon_) savedFormIcon_ = new TIcon();
    savedFormIcon_->Assign(form->GetIcon());
    form->SetIcon(GetInternalIcon());
  } else if (savedFormIcon_) {
    form->SetIcon(savedFormIcon_);
    delete savedFormIcon_;
    savedFormIcon_ = nullptr;
  }
}

void TOrvTrayIcon::SetChangeAppIcon(bool value) {
  if (value == changeAppIcon_) return;
  changeAppIcon_ = value;
  TApplication* application = LiveApplication();
  if (IsDesigning() || !application) return;
  if (value) {
    if (!savedAppIcon_) savedAppIcon_ = new TIcon();
    savedAppIcon_->Assign(application->GetIcon());
    application->SetIcon(GetInternalIcon());
  } else if (savedAppIcon_) {
    application->SetIcon(savedAppIcon_);
    delete savedAppIcon_;
    savedAppIcon_ = nullptr;
  }
}

void TOrvTrayIcon::SetHideFromTaskbar(bool value) {
  if (value == hideFromTaskbar_) return;
  hideFromTaskbar_ = value;
  if (IsDesigning()) return;
  // The taskbar shows a button for the application's hidden main window; a tool window gets none.
  HWND appWindow = Application->GetHandle();
  ShowWindow(appWindow, SW_HIDE);
  LONG style = GetWindowLongA(appWindow, GWL_EXSTYLE);
  if (value) style = (style & ~WS_EX_APPWINDOW) | WS_EX_TOOLWINDOW;
  else style = (style & ~WS_EX_TOOLWINDOW) | WS_EX_APPWINDOW;
  SetWindowLongA(appWindow, GWL_EXSTYLE, style);
  ShowWindow(appWindow, SW_SHOW);
}

// ---------------------------------------------------------------------------
// Animation

void TOrvTrayIcon::SetFrameSpeed(int value) {
  frameSpeed_ = value;
  // A negative interval stops the ticks, as 0 does.
  timer_->SetInterval(value > 0 ? static_cast<uint32_t>(value) : 0u);
}

// "count >= index + 1" written without the addition, which overflows for INT_MAX (a rejected
// SetFrame can leave Frame there). Any negative index exists whenever a list is set.
bool TOrvTrayIcon::FrameExists(int index) const { return animIcons_ && index < animIcons_->GetCount(); }

void TOrvTrayIcon::SetFrame(int index) {
  frame_ = index;
  if (index < 0) {
    frame_ = -1;
    SetShownIcon(nullptr);
    return;
  }
  if (!animIcons_) {
    if (IsReading()) return;
    throw EOrvTrayIconError(
        Format("Tray icon frame %d unable to be shown because of nil AnimIcons property", index));
  }
  int count = animIcons_->GetCount();
  if (index >= count)
    throw EOrvTrayIconError(
        Format("Tray icon frame %d unable to be shown.  %d frames are present in AnimIcons", index, count));
  TIcon frameIcon;
  animIcons_->GetIcon(index, frameIcon);
  SetShownIcon(&frameIcon);
}

int TOrvTrayIcon::ValidFrame(int index) {
  if (!animIcons_ || animIcons_->GetCount() == 0) return -1;
  int count = animIcons_->GetCount();
  if (firstFrame_ > 0 || lastFrame_ > 0) {
    // A range read from a form file may lie beyond the list: bring it inside, for good.
    if (firstFrame_ >= count) firstFrame_ = count - 1;
    if (lastFrame_ >= count) lastFrame_ = count - 1;
    if (lastFrame_ < firstFrame_) lastFrame_ = firstFrame_;
    return index < firstFrame_ || index > lastFrame_ ? firstFrame_ : index;
  }
  return index < 0 || index >= count ? 0 : index;
}

void TOrvTrayIcon::NextFrame() {
  if (!animIcons_) return;
  // A Frame of -1 stays -1: the animation starts only through SetFrame or the on mode.
  if (frame_ >= 0) frame_ = ValidFrame(frame_ < INT_MAX ? frame_ + 1 : frame_);
  SetFrame(frame_);
  // A copy: the handler may free this component, and the event with it.
  TOrvTrayIconChangeEvent handler = onFrameAdvance_;
  handler();
}

void TOrvTrayIcon::SetAnimate(bool value) {
  // Switching on again applies the on mode again; switching off again would apply the off
  // mode to an icon the animation no longer owns.
  if (!value && !animate_) return;
  animate_ = value;
  if (value) {
    if (animOnMode_ == aonResume) {
      if (frame_ == -1 && FrameExists(0)) SetFrame(0);
      else if (FrameExists(frame_)) SetFrame(frame_);
    } else if (FrameExists(0)) {
      SetFrame(0);
    }
  } else if (animOffMode_ == aoffFrameZero) {
    if (FrameExists(0)) SetFrame(0);
  } else if (animOffMode_ == aoffRestoreIcon) {
    RevertIcon();
  }
  if (!flash_) timer_->SetEnabled(value);
}

void TOrvTrayIcon::SetAnimIcons(TImageList* value) {
  animIcons_ = value;
  // Without a list the frame shown stays and the ticks no longer advance.
  if (!value) return;
  value->FreeNotification(this);
  if (frame_ > 0 && frame_ < value->GetCount()) SetFrame(frame_);
  // A list that comes after Animate was switched on starts the animation now.
  if (animate_) SetAnimate(true);
}

void TOrvTrayIcon::SetFirstFrame(int value) {
  firstFrame_ = value < 0 ? 0 : value;
  if (IsReading()) return;
  if (!animIcons_) {
    firstFrame_ = 0;
    return;
  }
  firstFrame_ = Min(firstFrame_, animIcons_->GetCount() - 1);
  if (lastFrame_ < firstFrame_) lastFrame_ = firstFrame_;
}

void TOrvTrayIcon::SetLastFrame(int value) {
  lastFrame_ = value < firstFrame_ ? firstFrame_ : value;
  if (IsReading()) return;
  if (!animIcons_) {
    lastFrame_ = 0;
    return;
  }
  lastFrame_ = Min(lastFrame_, animIcons_->GetCount() - 1);
  if (lastFrame_ < firstFrame_) firstFrame_ = lastFrame_;
}

// ---------------------------------------------------------------------------
// Flashing

void TOrvTrayIcon::HandleTimer(TObject*) {
  // Nothing advances while the icon is visible nowhere.
  if (!AnyIconShown()) return;
  if (!flash_) {
    NextFrame();
    return;
  }
  flashPhase_ = !flashPhase_;
  if (flashPhase_) {
    // Animation brings its own next icon; otherwise the icon under the flash icon comes back.
    if (!animate_) {
      if (!savedFlashIcon_) savedFlashIcon_ = new TIcon();
      savedFlashIcon_->Assign(shownIcon_);
    }
    SetShownIcon(GetInternalFlashIcon());
  } else if (animate_) {
    NextFrame();
  } else {
    SetShownIcon(savedFlashIcon_);
  }
}

void TOrvTrayIcon::RestartTimer() {
  timer_->SetEnabled(false);
  timer_->SetEnabled(true);
}

void TOrvTrayIcon::SetFlash(bool value) {
  // Starting again would save the flash icon as the icon to return to; stopping again would
  // throw away an icon that flashing never covered.
  if (value == flash_) return;
  flash_ = value;
  if (!animate_) timer_->SetEnabled(value);
  if (value) {
    flashPhase_ = false;
    // The flash icon goes up at once, and the next tick comes a full interval later.
    HandleTimer(timer_);
    RestartTimer();
    return;
  }
  // Only an icon that the flash icon covers is put back.
  if (!timer_->GetEnabled() && flashPhase_) SetShownIcon(savedFlashIcon_);
  flashPhase_ = false;
  delete blankIcon_;
  blankIcon_ = nullptr;
}

void Orvtrayicon::Register() {
  RegisterComponents("Tovix", {&TOrvTrayIcon::StaticClassInfo()});
}

}  // namespace Tovix
