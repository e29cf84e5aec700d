// Small controls made for the tests: a superclassed edit, a panel that holds controls, a graphic
// control, and a "default button" that answers Enter as a form's default button does.
#pragma once

#include <vector>

#include "framework/Forms.h"

namespace Tovix::Testing {

// Records the messages of interest that reach its WndProc.
class TTestEdit : public TWinControl {
  TOVIX_DECLARE_CLASS(TTestEdit)

 public:
  explicit TTestEdit(TComponent* owner);
  std::vector<unsigned> commands;  // notification codes reflected back as CN_COMMAND
  int recreations = 0;

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void CNCommand(TMessage& m);
};

class TTestPanel : public TCustomControl {
  TOVIX_DECLARE_CLASS(TTestPanel)

 public:
  explicit TTestPanel(TComponent* owner);
  int paints = 0;

 protected:
  void Paint() override;
};

class TTestShape : public TGraphicControl {
  TOVIX_DECLARE_CLASS(TTestShape)

 public:
  explicit TTestShape(TComponent* owner);
  std::vector<String> log;  // mouse and enter/leave events in order
  int paints = 0;

 protected:
  void Paint() override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void CMMouseEnter(TMessage& m);
  void CMMouseLeave(TMessage& m);
};

class TTestDefaultButton : public TCustomControl {
  TOVIX_DECLARE_CLASS(TTestDefaultButton)

 public:
  explicit TTestDefaultButton(TComponent* owner);

 protected:
  void CMDialogKey(TMessage& m);
};

// The form of TestMainForm.txt with its published handlers and fields.
class TTestMainForm : public TForm {
  TOVIX_DECLARE_CLASS(TTestMainForm)

 public:
  explicit TTestMainForm(TComponent* owner);

  TTestPanel* Header = nullptr;
  TTestShape* Badge = nullptr;
  TTestEdit* NameEdit = nullptr;
  TTestEdit* CityEdit = nullptr;
  TTestDefaultButton* OkButton = nullptr;

  std::vector<String> log;
  TCloseAction closeAction = caHide;
  TModalResult okResult = mrOk;

  void FormCreate(TObject* sender);
  void FormShow(TObject* sender);
  void FormClose(TObject* sender, TCloseAction& action);
  void FormKeyDown(TObject* sender, uint16_t& key, TShiftState shift);
  void BadgeClick(TObject* sender);
  void EditEnter(TObject* sender);
  void EditExit(TObject* sender);
  void EditKeyPress(TObject* sender, char& key);
  void OkClick(TObject* sender);
};

}  // namespace Tovix::Testing
