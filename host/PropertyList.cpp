#include "host/PropertyList.h"

#include "framework/Classes.h"
#include "framework/Graphics.h"

namespace Tovix {

namespace {

bool IsColourProperty(const TPropInfo& prop) {
  const String& name = prop.Name();
  return name.size() >= 5 && SameText(name.substr(name.size() - 5), "Color");
}

const char* const kColourNames[] = {"clBlack", "clMaroon", "clGreen", "clOlive", "clNavy", "clPurple", "clTeal",
                                    "clGray", "clSilver", "clRed", "clLime", "clYellow", "clBlue", "clFuchsia",
                                    "clAqua", "clWhite", "clWindow", "clWindowText", "clBtnFace", "clBtnText",
                                    "clHighlight", "clHighlightText", "clGrayText"};

}  // namespace

TPropertyList::TPropertyList(TComponent* owner) : TPanel(owner) {
  SetBevelOuter(bvNone);
  list_ = new TListBox(this);
  list_->SetParent(this);
  list_->SetAlign(alClient);
  list_->SetOnClick(TNotifyEvent(this, &TPropertyList::RowChosen));

  auto* bottom = new TPanel(this);
  bottom->SetParent(this);
  bottom->SetAlign(alBottom);
  bottom->SetHeight(52);
  bottom->SetBevelOuter(bvNone);
  editor_ = new TComboBox(this);
  editor_->SetParent(bottom);
  editor_->SetBounds(0, 2, 150, 21);
  editor_->SetOnKeyDown(TKeyEvent(this, &TPropertyList::EditorKeyDown));
  apply_ = new TButton(this);
  apply_->SetParent(bottom);
  apply_->SetBounds(154, 1, 60, 23);
  apply_->SetCaption("Apply");
  apply_->SetOnClick(TNotifyEvent(this, &TPropertyList::ApplyClick));
  status_ = new TLabel(this);
  status_->SetParent(bottom);
  status_->SetBounds(0, 30, 300, 16);
}

void TPropertyList::SetComponent(TComponent* component) {
  component_ = component;
  status_->SetCaption("");
  Refresh();
}

void TPropertyList::AddRows(TObject* instance, const String& prefix, int depth) {
  for (const TPropInfo* prop : instance->ClassInfo().Properties()) {
    String path = prefix + prop->Name();
    if (prop->Kind() == tkClass) {
      // Nested objects (Font, Glyph, Items) show their own properties one level down.
      if (TObject* nested = prop->GetObject(instance); nested && depth == 0) AddRows(nested, path + ".", depth + 1);
      continue;
    }
    rows_.push_back(TRow{path, prop});
  }
}

String TPropertyList::RowText(const TRow& row) const {
  if (row.prop->Kind() == tkMethod) return row.path + " (event)";
  try {
    return row.path + " = " + GetPropText(component_, row.path);
  } catch (const Exception& e) {
    return row.path + " = (" + e.Message() + ")";
  }
}

void TPropertyList::Refresh() {
  int chosen = list_->GetItemIndex();
  rows_.clear();
  list_->GetItems()->Clear();
  if (!component_) return;
  AddRows(component_, String(), 0);
  for (const TRow& row : rows_) list_->GetItems()->Add(RowText(row));
  if (chosen >= 0 && chosen < static_cast<int>(rows_.size())) list_->SetItemIndex(chosen);
}

int TPropertyList::IndexOf(const String& path) const {
  for (size_t i = 0; i < rows_.size(); ++i)
    if (SameText(rows_[i].path, path)) return static_cast<int>(i);
  return -1;
}

void TPropertyList::FillChoices(const TRow& row) {
  TStrings* items = editor_->GetItems();
  items->Clear();
  if (row.prop->Kind() == tkBool) {
    items->Add("False");
    items->Add("True");
  } else if (const TEnumInfo* names = row.prop->EnumNames()) {
    for (const String& name : names->names) items->Add(row.prop->Kind() == tkSet ? "[" + name + "]" : name);
  } else if (IsColourProperty(*row.prop)) {
    for (const char* name : kColourNames) items->Add(name);
  }
}

void TPropertyList::RowChosen(TObject*) {
  int index = list_->GetItemIndex();
  if (index < 0 || index >= static_cast<int>(rows_.size())) return;
  const TRow& row = rows_[static_cast<size_t>(index)];
  FillChoices(row);
  editor_->SetText(row.prop->Kind() == tkMethod ? String() : GetPropText(component_, row.path));
  editor_->SetEnabled(row.prop->Kind() != tkMethod);
}

bool TPropertyList::Apply(const String& valueText) {
  int index = list_->GetItemIndex();
  if (!component_ || index < 0 || index >= static_cast<int>(rows_.size())) return false;
  const TRow& row = rows_[static_cast<size_t>(index)];
  if (row.prop->Kind() == tkMethod) {
    status_->SetCaption("Events are bound in code");
    return false;
  }
  try {
    SetPropText(component_, row.path, valueText);
  } catch (const Exception& e) {
    status_->SetCaption(e.Message());
    return false;
  }
  status_->SetCaption("");
  Refresh();
  if (OnModified) OnModified();
  return true;
}

bool TPropertyList::SetValue(const String& path, const String& valueText) {
  int index = IndexOf(path);
  if (index < 0) {
    status_->SetCaption("No property " + path);
    return false;
  }
  list_->SetItemIndex(index);
  RowChosen(list_);
  editor_->SetText(valueText);
  return Apply(editor_->GetText());
}

void TPropertyList::ApplyClick(TObject*) { Apply(editor_->GetText()); }

void TPropertyList::EditorKeyDown(TObject*, uint16_t& key, TShiftState) {
  if (key != VK_RETURN) return;
  Apply(editor_->GetText());
  key = 0;
}

}  // namespace Tovix
