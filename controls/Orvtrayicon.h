// Orvtrayicon: TOrvTrayIcon, a non-visual component that puts an icon with a tool tip into the
// notification area of the taskbar (Shell_NotifyIconA), answers clicks on it with popup menus
// and events, can mirror its icon onto the owner form and the application, can hide the
// application's taskbar button, and can animate its icon from an image list and flash it.
//
// Every icon change goes through the "shown icon": animation frames, flash phases and icons
// assigned at run time replace it, and the notification area, the owner form (ChangeFormIcon)
// and the application (ChangeAppIcon) always show the same displayed icon (GetInternalIcon).
#pragma once

#include <cstdint>
#include <memory>

#include "framework/Classes.h"
#include "framework/ExtCtrls.h"
#include "framework/Graphics.h"
#include "framework/ImgList.h"
#include "framework/Menus.h"

namespace Tovix {

TOVIX_DECLARE_EXCEPTION(EOrvTrayIconError, Exception);

// What switching animation on does: go on from the current frame, or start at frame 0.
enum TOrvAnimOnMode { aonResume, aonFrameZero };
// What switching animation off does: keep the frame, show frame 0, or show Icon again.
enum TOrvAnimOffMode { aoffDoNothing, aoffFrameZero, aoffRestoreIcon };

// An event without parameters (no sender).
using TOrvTrayIconChangeEvent = TEvent<>;

// The shell's notification record in its first layout (the platform's NOTIFYICONDATAA up to and
// including the 64-byte tip): 88 bytes on 32-bit Windows, 104 on 64-bit Windows.
struct TOrvNotifyIconData {
  uint32_t cbSize;
  HWND Wnd;
  uint32_t uID;
  uint32_t uFlags;
  uint32_t uCallbackMessage;
  HICON hIcon;
  char szTip[64];
};

// The messages of the component's hidden window: the shell reports mouse actions on the icon
// with the first (lParam = the mouse message); the second re-sends the hint to the shell.
constexpr unsigned OrvTrayIconCallbackMessage = WM_USER + 1;
constexpr unsigned OrvTrayIconHintMessage = WM_USER + 2;

// The longest hint the shell's first record layout can show.
constexpr int OrvTrayIconMaxHint = 62;

class TOrvTrayIcon : public TComponent {
  TOVIX_DECLARE_CLASS(TOrvTrayIcon)

 public:
  explicit TOrvTrayIcon(TComponent* owner);
  // Switches animation off (its off mode applies) and removes the icon from the tray. The owner
  // form and the application keep the last icon they were given.
  ~TOrvTrayIcon() override;

  // Published properties.
  bool GetLeftClickTopmost() const { return leftClickTopmost_; }
  void SetLeftClickTopmost(bool value) { leftClickTopmost_ = value; }
  bool GetRightClickTopmost() const { return rightClickTopmost_; }
  void SetRightClickTopmost(bool value) { rightClickTopmost_ = value; }
  bool GetDblClickTopmost() const { return dblClickTopmost_; }
  void SetDblClickTopmost(bool value) { dblClickTopmost_ = value; }
  bool GetChangeFormIcon() const { return changeFormIcon_; }
  void SetChangeFormIcon(bool value);
  bool GetChangeAppIcon() const { return changeAppIcon_; }
  void SetChangeAppIcon(bool value);
  TPopupMenu* GetLeftClickPopup() const { return leftClickPopup_; }
  void SetLeftClickPopup(TPopupMenu* value);
  TPopupMenu* GetRightClickPopup() const { return rightClickPopup_; }
  void SetRightClickPopup(TPopupMenu* value);
  const String& GetHint() const { return hint_; }
  // Keeps the first 62 characters and sends the hint to the shell when the icon is in the tray.
  void SetHint(const String& value);
  TImageList* GetAnimIcons() const { return animIcons_; }
  void SetAnimIcons(TImageList* value);
  // The timer interval in milliseconds, for animation and flashing alike; 0 or less stops the ticks.
  int GetFrameSpeed() const { return frameSpeed_; }
  void SetFrameSpeed(int value);
  bool GetHideFromTaskbar() const { return hideFromTaskbar_; }
  void SetHideFromTaskbar(bool value);
  // At design time only remembered; at run time adds or removes the icon.
  bool GetShowTrayIcon() const { return showTrayIcon_; }
  void SetShowTrayIcon(bool value);
  // Shows the icon in the design environment's tray; at run time ignored and always false.
  bool GetShowDesigning() const { return showDesigning_; }
  void SetShowDesigning(bool value);
  bool GetFlash() const { return flash_; }
  void SetFlash(bool value);
  // The icon streamed in (or set at design time), or null. At run time SetIcon changes the shown
  // icon instead, and RevertIcon returns to this one.
  TIcon* GetIcon() const;
  void SetIcon(TIcon* value);
  // The icon of the flash-on phase, or null (the icon then blinks out). Setting it does not
  // change what is displayed.
  TIcon* GetFlashIcon() const;
  void SetFlashIcon(TIcon* value);
  TOrvAnimOffMode GetAnimOffMode() const { return animOffMode_; }
  void SetAnimOffMode(TOrvAnimOffMode value) { animOffMode_ = value; }
  TOrvAnimOnMode GetAnimOnMode() const { return animOnMode_; }
  void SetAnimOnMode(TOrvAnimOnMode value) { animOnMode_ = value; }
  bool GetAnimate() const { return animate_; }
  void SetAnimate(bool value);
  // The frame range; both 0 means the whole list. Outside streaming they are kept inside AnimIcons.
  int GetFirstFrame() const { return firstFrame_; }
  void SetFirstFrame(int value);
  int GetLastFrame() const { return lastFrame_; }
  void SetLastFrame(int value);
  const TMouseEvent& GetOnClick() const { return onClick_; }
  void SetOnClick(const TMouseEvent& handler) { onClick_ = handler; }
  const TNotifyEvent& GetOnDblClick() const { return onDblClick_; }
  void SetOnDblClick(const TNotifyEvent& handler) { onDblClick_ = handler; }
  const TMouseEvent& GetOnRightClick() const { return onRightClick_; }
  void SetOnRightClick(const TMouseEvent& handler) { onRightClick_ = handler; }
  const TOrvTrayIconChangeEvent& GetOnIconChange() const { return onIconChange_; }
  void SetOnIconChange(const TOrvTrayIconChangeEvent& handler) { onIconChange_ = handler; }
  const TOrvTrayIconChangeEvent& GetOnFrameAdvance() const { return onFrameAdvance_; }
  void SetOnFrameAdvance(const TOrvTrayIconChangeEvent& handler) { onFrameAdvance_ = handler; }

  // The current animation frame; -1 when none is shown. Setting a frame shows image Index of
  // AnimIcons; a negative index drops the frame. Raises EOrvTrayIconError for an index beyond
  // the list or without a list (Frame then holds the rejected index).
  int GetFrame() const { return frame_; }
  void SetFrame(int index);

  // The shell: add, delete and modify the icon. The in-tray state follows the request, whatever
  // the shell answers; add and delete return the shell's answer.
  bool AddSysTrayIcon();
  bool DeleteSysTrayIcon();
  void UpdateTrayIconOnly();
  // The tray, then the owner form's and the application's icons when they are mirrored.
  void UpdateIcons();
  void FillTrayIconStruct();
  // Shows the owner form and brings the application forward.
  void MakeFormTopmost();
  // Whether the icon is visible anywhere: in the tray, on the form, or on the application's button.
  bool AnyIconShown() const;
  // The displayed icon: the shown icon, else Icon, else the default icon.
  TIcon* GetInternalIcon();
  // Loaded from the resource TORVTRAYICON_DEFAULTICON on first call; raises EOrvTrayIconError
  // once when the resource is missing and returns the empty icon afterwards.
  TIcon* GetDefaultIcon();
  // Shows a copy of icon (null: drops the shown icon), then updates every place that shows it.
  void SetShownIcon(TIcon* icon);
  void RevertIcon();

  // Animation and flashing.
  void HandleTimer(TObject* sender);
  void NextFrame();
  // The index wrapped into the frame range (repairing a range that lies beyond the list); -1
  // without images.
  int ValidFrame(int index);
  bool FrameExists(int index) const;
  // FlashIcon, else the blank icon (TORVTRAYICON_BLANKICON, loaded on first need).
  TIcon* GetInternalFlashIcon();

  // The hidden window that receives the shell's callback messages; it identifies the icon.
  HWND GetWindowHandle() const { return window_; }
  bool GetInTray() const { return inTray_; }
  // The record last sent to the shell.
  const TOrvNotifyIconData& GetTrayIconData() const { return iconData_; }

 protected:
  void Loaded() override;
  void Notification(TComponent* component, TOperation operation) override;
  // The hidden window's messages: shell callbacks go to the mouse message methods, the hint
  // refresh re-sends the hint, a restarted shell gets the icon again.
  virtual void WndProc(TMessage& message);
  // The module the icon resources are loaded from: the one this code is linked into.
  virtual HINSTANCE GetResourceModule() const;

  void WMLButtonDblClk(TMessage& message);
  void WMLButtonUp(TMessage& message);
  void WMRButtonUp(TMessage& message);

 private:
  bool IsReading() const { return GetComponentState().Contains(csReading); }
  // The owner when it is a live form (one that is not being destroyed).
  TCustomForm* LiveOwnerForm() const;
  bool CallShell(DWORD message);
  // Loads an icon resource into *icon (made empty first); raises errorText when it is missing.
  TIcon* LoadIconResource(TIcon*& icon, const char* name, const char* errorText);
  // The left and right click: topmost form, popup menu at the cursor, then the event.
  void HandleClick(bool topmost, TPopupMenu* TOrvTrayIcon::*popup, TMouseEvent TOrvTrayIcon::*event,
                   TMouseButton button);
  void RestartTimer();

  bool leftClickTopmost_ = false;
  bool rightClickTopmost_ = false;
  bool dblClickTopmost_ = false;
  bool changeFormIcon_ = false;
  bool changeAppIcon_ = false;
  TPopupMenu* leftClickPopup_ = nullptr;
  TPopupMenu* rightClickPopup_ = nullptr;
  String hint_;
  TImageList* animIcons_ = nullptr;
  int frameSpeed_ = 1000;
  bool hideFromTaskbar_ = false;
  bool showTrayIcon_ = false;
  bool showDesigning_ = false;
  bool flash_ = false;
  // Made by the getters while the component is read from a form file, so that the file's icon
  // data has an object to load into.
  mutable TIcon* icon_ = nullptr;
  mutable TIcon* flashIcon_ = nullptr;
  TOrvAnimOffMode animOffMode_ = aoffRestoreIcon;
  TOrvAnimOnMode animOnMode_ = aonFrameZero;
  bool animate_ = false;
  int firstFrame_ = 0;
  int lastFrame_ = 0;
  int frame_ = -1;
  TMouseEvent onClick_;
  TNotifyEvent onDblClick_;
  TMouseEvent onRightClick_;
  TOrvTrayIconChangeEvent onIconChange_;
  TOrvTrayIconChangeEvent onFrameAdvance_;

  HWND window_ = nullptr;
  bool inTray_ = false;
  TOrvNotifyIconData iconData_{};
  TIcon* shownIcon_ = nullptr;
  TIcon* defaultIcon_ = nullptr;
  TIcon* savedFormIcon_ = nullptr;
  TIcon* savedAppIcon_ = nullptr;
  TTimer* timer_ = nullptr;
  TIcon* blankIcon_ = nullptr;
  TIcon* savedFlashIcon_ = nullptr;
  bool flashPhase_ = false;
  // Cleared by the destructor: a click handler whose popup menu or event freed the component
  // sees it and stops.
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

template <> struct TEnumTraits<TOrvAnimOnMode> { static const TEnumInfo& Info(); };
template <> struct TEnumTraits<TOrvAnimOffMode> { static const TEnumInfo& Info(); };

TOVIX_LINK_CLASS(TOrvTrayIcon)

// The unit's design-time registration, which a form designer runs after loading the package:
// puts the tray icon on the "Tovix" palette page.
namespace Orvtrayicon {
void Register();
}  // namespace Orvtrayicon

}  // namespace Tovix
