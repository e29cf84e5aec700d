#include "framework/classes/Persistent.h"

#include "framework/classes/TypInfoBuilder.h"

namespace Tovix {

TOVIX_IMPLEMENT_CLASS(TPersistent, TObject) {}

void TPersistent::Assign(TPersistent* source) {
  if (source) source->AssignTo(this);
  else AssignError(nullptr);
}

void TPersistent::AssignTo(TPersistent* dest) { dest->AssignError(this); }

void TPersistent::AssignError(TPersistent* source) {
  String sourceName = source ? source->ClassName() : String("nil");
  throw EConvertError(Format("Cannot assign a %s to a %s", sourceName, ClassName()));
}

String TPersistent::GetNamePath() const {
  TPersistent* owner = GetOwner();
  String ownerPath = owner ? owner->GetNamePath() : String();
  return ownerPath.empty() ? ClassName() : ownerPath + "." + ClassName();
}

void TPersistent::DefineProperties(TFiler&) {}

}  // namespace Tovix
