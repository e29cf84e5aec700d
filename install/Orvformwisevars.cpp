#include "install/Orvformwisevars.h"

#include "framework/TypInfoBuilder.h"
#include "install/Orvwise.h"

namespace Tovix {

const char* const SOrvFmWiseVarsNilParams = "Wise variables display form was passed a nil parameter record.";
const char* const SOrvFmWiseVarsShowNilParams = "Wise variables display form method FormShow detects nil parameter record.";

TOVIX_IMPLEMENT_CLASS(TOrvFmWiseVars, TForm) {
  c.Field("lblVarCount", &TOrvFmWiseVars::lblVarCount);
  c.Field("lblStrParam", &TOrvFmWiseVars::lblStrParam);
  c.Field("lblMaxVars", &TOrvFmWiseVars::lblMaxVars);
  c.Field("lblNameWidth", &TOrvFmWiseVars::lblNameWidth);
  c.Field("lblValWidth", &TOrvFmWiseVars::lblValWidth);
  c.Field("lbVars", &TOrvFmWiseVars::lbVars);
  c.Field("btnClose", &TOrvFmWiseVars::btnClose);
  c.Method("FormShow", &TOrvFmWiseVars::FormShow);
}

TOrvFmWiseVars::TOrvFmWiseVars(TComponent* owner) : TForm(owner) { ReadFormResource(); }

void TOrvFmWiseVars::SetWiseParams(TOrvWiseParams* params) {
  params_ = params;
  if (!params) throw Exception(SOrvFmWiseVarsNilParams);
}

void TOrvFmWiseVars::FormShow(TObject*) {
  if (!params_) throw Exception(SOrvFmWiseVarsShowNilParams);
  TOrvWise wise(params_);
  // GetVarName checks each index against the slots that lie inside the tables.
  for (uint32_t i = 0; i < wise.GetVarCount() && i < wise.GetMaxVars(); ++i)
    lbVars->GetItems()->Add(Format("%d:  %s = '%s'", i, wise.GetVarName(i), wise.GetVarByIndex(i)));
  lblVarCount->SetCaption(Format("%d Variables:", wise.GetVarCount()));
  lblStrParam->SetCaption(Format("String Parameter:  %s", wise.GetParamString()));
  lblMaxVars->SetCaption(Format("Max Variables:  %d", wise.GetMaxVars()));
  // The raw slot widths, terminator included: what the installer declared.
  lblNameWidth->SetCaption(Format("Max width of variable names:  %d", params_->VarNameWidth));
  lblValWidth->SetCaption(Format("Max width of variable Values:  %d", params_->VarValueWidth));
}

}  // namespace Tovix
