// TPropertyList: the published properties of the selected component, one line each ("Name = value",
// nested objects such as Font as "Font.Name"), and its events by name. Choosing a line puts its
// value in the editor box, whose drop-down list offers the values the property can take (False
// and True, an enumeration's names, a set's elements, colour names); Apply (or Enter) sets the
// typed value in form-file syntax ("[akLeft,akTop]" for a set, 'text' or plain text).
#pragma once

#include "framework/Forms.h"
#include "framework/ExtCtrls.h"
#include "framework/StdCtrls.h"

namespace Tovix {

class TPropertyList : public TPanel {
 public:
  explicit TPropertyList(TComponent* owner);

  void SetComponent(TComponent* component);
  TComponent* GetComponent() const { return component_; }
  // Shows the component's values again (after the designer changed it).
  void Refresh();
  // The line of a property path, or -1.
  int IndexOf(const String& path) const;
  // Chooses the line of path and sets valueText as if typed and applied; false (and the reason
  // in the status line) when the component refused it.
  bool SetValue(const String& path, const String& valueText);
  String GetStatus() const { return status_->GetCaption(); }

  // Told after a value was set, so the designer can mark the design modified.
  std::function<void()> OnModified;

  TListBox* GetList() const { return list_; }
  TComboBox* GetEditor() const { return editor_; }

 private:
  struct TRow {
    String path;
    const TPropInfo* prop;
  };
  void AddRows(TObject* instance, const String& prefix, int depth);
  String RowText(const TRow& row) const;
  void RowChosen(TObject* sender);
  void ApplyClick(TObject* sender);
  void EditorKeyDown(TObject* sender, uint16_t& key, TShiftState shift);
  bool Apply(const String& valueText);
  void FillChoices(const TRow& row);

  TComponent* component_ = nullptr;
  std::vector<TRow> rows_;
  TListBox* list_;
  TComboBox* editor_;
  TButton* apply_;
  TLabel* status_;
};

}  // namespace Tovix
