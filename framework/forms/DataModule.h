// TDataModule: a container for non-visual components (timers, dialogs, menus) that is the root of
// a form file, as a form is, without a window of its own.
#pragma once

#include "framework/classes/Component.h"
#include "framework/system/Events.h"

namespace Tovix {

class TDataModule : public TComponent {
  TOVIX_DECLARE_CLASS(TDataModule)

 public:
  // An empty data module. A class with a form file calls ReadFormResource at the end of its constructor.
  explicit TDataModule(TComponent* owner);
  // Runs OnDestroy while the module and its components are still whole.
  void BeforeDestruction() override;

  // Reads the form file stored as an RCDATA resource named after the class (in the module of the
  // class's code), binding events to this module's published methods, then runs OnCreate.
  // An ancestor's form file is read first when the ancestor's constructor has not read it.
  // Raises EResNotFound "Resource %s not found" when there is none.
  void ReadFormResource();

  // Where the form designer shows the module; only kept for the form file.
  int GetLeft() const { return left_; }
  void SetLeft(int v) { left_ = v; }
  int GetTop() const { return top_; }
  void SetTop(int v) { top_ = v; }
  int GetWidth() const { return width_; }
  void SetWidth(int v) { width_ = v; }
  int GetHeight() const { return height_; }
  void SetHeight(int v) { height_ = v; }

  const TNotifyEvent& GetOnCreate() const { return onCreate_; }
  void SetOnCreate(const TNotifyEvent& e) { onCreate_ = e; }
  const TNotifyEvent& GetOnDestroy() const { return onDestroy_; }
  void SetOnDestroy(const TNotifyEvent& e) { onDestroy_ = e; }

 protected:
  virtual void DoCreate() { onCreate_(this); }
  virtual void DoDestroy() { onDestroy_(this); }

 private:
  int left_ = 0;
  int top_ = 0;
  int width_ = 0;
  int height_ = 0;
  bool destroyRan_ = false;
  // The class whose form file was read last (by this class's constructor or an ancestor's).
  const TClassInfo* resourceRead_ = nullptr;
  TNotifyEvent onCreate_;
  TNotifyEvent onDestroy_;
};

}  // namespace Tovix
