#include "controls/DialogKey.h"

#include "framework/Forms.h"

namespace Tovix {

namespace {

// Learns through free notification whether a component was destroyed.
class FreeWatcher : public TComponent {
 public:
  explicit FreeWatcher(TComponent* watched) : TComponent(nullptr), watched_(watched) { watched->FreeNotification(this); }
  ~FreeWatcher() override {
    if (watched_) watched_->RemoveFreeNotification(this);
  }
  bool Freed() const { return watched_ == nullptr; }

 protected:
  void Notification(TComponent* component, TOperation operation) override {
    TComponent::Notification(component, operation);
    if (operation == opRemove && component == watched_) watched_ = nullptr;
  }

 private:
  TComponent* watched_;
};

}  // namespace

bool OfferDialogKey(TWinControl* control, char key) {
  TCustomForm* form = GetParentForm(control);
  if (!form) return true;
  FreeWatcher watcher(control);
  form->Perform(CM_DIALOGKEY, static_cast<unsigned char>(key), 0);
  return !watcher.Freed();
}

}  // namespace Tovix
