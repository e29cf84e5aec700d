#include "framework/FormsDataModule.h"

#include "framework/ClassesFiler.h"
#include "framework/GraphicsExceptions.h"
#include "framework/TypInfoBuilder.h"

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
  auto module = static_cast<HMODULE>(ClassInfo().Module());
  String name = ClassName();
  HRSRC resource = FindResourceA(module, name.c_str(), MAKEINTRESOURCEA(10) /* RT_RCDATA */);
  HGLOBAL loaded = resource ? LoadResource(module, resource) : nullptr;
  const char* data = loaded ? static_cast<const char*>(LockResource(loaded)) : nullptr;
  if (!data) throw EResNotFound(Format("Resource %s not found", name));
  ReadComponentFromText(String(data, SizeofResource(module, resource)), this);
  DoCreate();
}

}  // namespace Tovix
