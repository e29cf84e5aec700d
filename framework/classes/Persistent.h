// TPersistent: objects that can be assigned to one another and written to form files.
#pragma once

#include "framework/classes/TypInfo.h"

namespace Tovix {

class TFiler;

class TPersistent : public TObject {
  TOVIX_DECLARE_CLASS(TPersistent)

 public:
  // Copies source into this object. The default asks source to AssignTo this object and
  // raises EConvertError "Cannot assign a %s to a %s" when neither side knows how.
  virtual void Assign(TPersistent* source);
  // The object that owns this one, for name paths ("Form1.Button1.Font").
  virtual TPersistent* GetOwner() const { return nullptr; }
  virtual String GetNamePath() const;
  // Declares data that is not a published property (lists, binary data) to a form-file filer.
  virtual void DefineProperties(TFiler& filer);

 protected:
  // Copies this object into dest; raises the assign error when not possible.
  virtual void AssignTo(TPersistent* dest);
  [[noreturn]] void AssignError(TPersistent* source);
};

}  // namespace Tovix
