// TDesigner: one design form being edited. Components picked on the palette are made in design
// mode on the form; the designer keeps the selection and moves, resizes and deletes it from the
// mouse and the keyboard. Input meant for the designed controls never reaches them: a message
// hook of the thread hands it to the designer instead. Non-visual components show as their
// palette bitmap at their designer position.
#pragma once

#include <windows.h>

#include <map>
#include <memory>

#include "framework/Forms.h"
#include "host/DesignPackage.h"

namespace Tovix {

class TDesigner : public IDesigner {
 public:
  explicit TDesigner(const TDesignPackage& package);
  ~TDesigner() override;
  TDesigner(const TDesigner&) = delete;
  TDesigner& operator=(const TDesigner&) = delete;

  TForm* GetRoot() const override { return root_; }
  void Modified() override;

  // The class the next click on the form makes (null: clicks select).
  void SetPendingClass(const TClassInfo* componentClass) { pending_ = componentClass; }
  const TClassInfo* GetPendingClass() const { return pending_; }
  // Makes a component of the class at a point of the form's client area, named after its class
  // (TOrvEdit -> OrvEdit1), and selects it.
  TComponent* Drop(const TClassInfo& componentClass, TPoint point);

  TComponent* GetSelection() const { return selection_; }
  void Select(TComponent* component);
  void MoveSelection(int dx, int dy);
  void ResizeSelection(int dw, int dh);
  void DeleteSelection();
  // Where the component sits on the form (a control's bounds; a non-visual component's icon).
  TRect DesignBounds(TComponent* component) const;
  // The topmost component at a client point of the form, or null for the form itself.
  TComponent* ComponentAt(TPoint point) const;

  // The selected component's editor verbs, and running one; Edit is the double-click action.
  std::vector<String> Verbs();
  void ExecuteVerb(int index);
  void EditSelection();

  // The design as a text form file, and opening one (replacing the design). Lines the opening
  // skipped (unknown classes or properties) are returned.
  String SaveText() const;
  std::vector<String> OpenText(const String& text);

  // Told after every change of the selection or of the design.
  std::function<void()> OnChange;

  // Input that reaches a window of the design form; true when the designer took it.
  bool HandleMessage(MSG& msg);

 private:
  struct TIconView {
    HWND window;
    HBITMAP bitmap;
  };
  void ShowAsDesigned(TComponent* component);
  void PlaceIcon(TComponent* component, TPoint position);
  void ForgetComponent(TComponent* component);
  void UpdateHandles();
  void SetDesignBounds(TComponent* component, const TRect& bounds);
  String UniqueName(const TClassInfo& componentClass) const;
  TPoint RootPoint(HWND window, LPARAM lParam) const;
  bool IsDesignWindow(HWND window) const;
  void ShowVerbMenu(TPoint screenPoint);
  void ClearDesign();
  void Changed();

  const TDesignPackage& package_;
  TForm* root_ = nullptr;
  const TClassInfo* pending_ = nullptr;
  TComponent* selection_ = nullptr;
  std::map<TComponent*, TIconView> icons_;
  HWND handles_[4] = {};
  HHOOK hook_ = nullptr;
  // A drag in progress: from where, on which bounds, moving or resizing.
  bool dragging_ = false;
  bool resizing_ = false;
  TPoint dragStart_{};
  TRect dragBounds_{};
};

}  // namespace Tovix
