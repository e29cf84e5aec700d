// The form of StdCtrlsTestForm.txt, holding one of each standard control, with handlers that
// log what happens; and the user's actions as the tests perform them.
#pragma once

#include <vector>

#include "framework/CheckLst.h"
#include "framework/Mask.h"
#include "framework/StdCtrls.h"

namespace Tovix::Testing {

class TStdCtrlsTestForm : public TForm {
  TOVIX_DECLARE_CLASS(TStdCtrlsTestForm)

 public:
  explicit TStdCtrlsTestForm(TComponent* owner);
  // An empty form of the class, to read a written form file into.
  TStdCtrlsTestForm(TComponent* owner, bool readResource);

  TLabel* NameLabel = nullptr;
  TEdit* NameEdit = nullptr;
  TMaskEdit* DateEdit = nullptr;
  TMemo* NotesMemo = nullptr;
  TComboBox* ColorCombo = nullptr;
  TComboBox* CityCombo = nullptr;
  TListBox* FruitList = nullptr;
  TGroupBox* OptionsBox = nullptr;
  TCheckBox* SaveCheck = nullptr;
  TCheckListBox* FeatureList = nullptr;
  TButton* OkButton = nullptr;
  TButton* CancelButton = nullptr;

  // "event Control detail", in order.
  std::vector<String> log;
  // Log entries that start with prefix.
  std::vector<String> Logged(const String& prefix) const;

  void FormCreate(TObject* sender);
  void NameEditChange(TObject* sender);
  void NameEditKeyPress(TObject* sender, char& key);
  void DateEditChange(TObject* sender);
  void NotesMemoChange(TObject* sender);
  void ColorComboChange(TObject* sender);
  void ColorComboDropDown(TObject* sender);
  void ColorComboSelect(TObject* sender);
  void CityComboChange(TObject* sender);
  void CityComboKeyDown(TObject* sender, uint16_t& key, TShiftState shift);
  void CityComboKeyPress(TObject* sender, char& key);
  void FruitListClick(TObject* sender);
  void FruitListDblClick(TObject* sender);
  void SaveCheckClick(TObject* sender);
  void FeatureListClickCheck(TObject* sender);
  void OkButtonClick(TObject* sender);
  void CancelButtonClick(TObject* sender);
};

// Handles every waiting message.
void Pump();
// A window's text as the system has it.
String GetTextBufOf(HWND window);
// A key pressed and released in the focused window, through the message loop (whose
// translation makes the WM_CHAR of a character key).
void PressKey(uint16_t key);
// Characters typed into the focused window, through the message loop.
void TypeText(const String& text);
// A left click at a client point of a window, as the mouse sends it.
void PressAt(HWND window, int x, int y);
// Collects the exceptions that reach the application's handler while it lives.
class TExceptionCatcher {
 public:
  TExceptionCatcher();
  ~TExceptionCatcher();
  std::vector<String> messages;
};

}  // namespace Tovix::Testing
