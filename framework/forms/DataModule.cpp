#include "framework/forms/DataModule.h"

#include "framework/classes/Filer.h"
#include "framework/classes/TypInfoBuilder.h"

namespace Tovix {

TOVIX_IMPLEMENT_CLASS(TDataModule, TComponent) {
  c.Property("Left", &TDataModule::GetLeft, &TDataModule::SetLeft).Default(0);
  c.Property("Top", &TDataModule::GetTop, &TDataModule::SetTop).Default(0);
  c.Property("Width", &TDataModule::GetWidth, &TDataModule::SetWidth).Default(0);
  c.Property("Height", &TDataModule::GetHeight, &TDataModule::SetHeight).Default(0);
  c.Property("OnCreate", &TDataModule::GetOnCreate, &TDataModule::SetOnCreate);
  c.Property("OnDestroy", &TDataModule::GetOnDestroy, &TDataModule::SetOnDestroy);
}

TDataModule::TDataModule(TComponent* owner) : TComponent(owner) {}

void TDataModule::BeforeDestruction() {
  TComponent::BeforeDestruction();
  if (destroyRan_) return;
  destroyRan_ = true;
  DoDestroy();
}

void TDataModule::ReadFormResource() {
  resourceRead_ = ReadFormResources(this, resourceRead_);
  DoCreate();
}

}  // namespace Tovix
