// Orvformwisevars: a small fixed dialog that lists every variable of an installer's parameter
// block with its value, the block's string parameter and its limits. It helps while a setup DLL
// is being written (TOrvWise::DisplayVars shows it) and only reads the block.
#pragma once

#include "framework/Forms.h"
#include "framework/StdCtrls.h"

namespace Tovix {

struct TOrvWiseParams;

extern const char* const SOrvFmWiseVarsNilParams;
extern const char* const SOrvFmWiseVarsShowNilParams;

class TOrvFmWiseVars : public TForm {
  TOVIX_DECLARE_CLASS(TOrvFmWiseVars)

 public:
  // Reads the form from its resource TORVFMWISEVARS.
  explicit TOrvFmWiseVars(TComponent* owner);

  TLabel* lblVarCount = nullptr;
  TLabel* lblStrParam = nullptr;
  TLabel* lblMaxVars = nullptr;
  TLabel* lblNameWidth = nullptr;
  TLabel* lblValWidth = nullptr;
  TListBox* lbVars = nullptr;
  TButton* btnClose = nullptr;

  // The block to show; not owned. A null address is stored, then refused.
  void SetWiseParams(TOrvWiseParams* params);
  TOrvWiseParams* GetWiseParams() const { return params_; }

  // Fills the list and the labels from the block.
  void FormShow(TObject* sender);

 private:
  TOrvWiseParams* params_ = nullptr;
};

}  // namespace Tovix
