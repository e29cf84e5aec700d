// TComponent: owned, named, notifiable objects that form files are made of.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <unordered_map>
#include <vector>

#include "framework/classes/Persistent.h"

namespace Tovix {

enum TComponentStateItem {
  csLoading,       // being read from a form file, until Loaded
  csReading,       // its own properties are being read
  csWriting,       // being written to a form file
  csDestroying,    // its destructor has begun
  csDesigning,     // shown in the form designer rather than running
  csAncestor,
  csUpdating,
  csFixups,
  csFreeNotification,
  csInline,
  csDesignInstance
};
using TComponentState = TSet<TComponentStateItem>;

enum TOperation { opInsert, opRemove };

class TComponent : public TPersistent {
  TOVIX_DECLARE_CLASS(TComponent)

 public:
  explicit TComponent(TComponent* owner);
  // Frees the owned components, then tells the owner and every component that asked
  // (FreeNotification) that this one is gone.
  ~TComponent() override;

  // Marks the component as being destroyed (csDestroying) before any destructor runs.
  void BeforeDestruction() override { Destroying(); }
  TComponent* GetOwner() const override { return owner_; }
  int GetComponentCount() const { return static_cast<int>(components_.size()); }
  TComponent* GetComponents(int index) const;
  // This component's index in its owner's list, or -1.
  int GetComponentIndex() const;
  // The owned component of that name (ignoring case), or null.
  TComponent* FindComponent(const String& name) const;
  void InsertComponent(TComponent* component);
  void RemoveComponent(TComponent* component);
  // Frees every owned component, last first. One that somebody asked about (FreeNotification) is
  // announced to the owner and its siblings as it goes; the others leave quietly.
  void DestroyComponents();

  const String& GetName() const { return name_; }
  // Raises EComponentError for a name that is not an identifier or is taken within the owner.
  virtual void SetName(const String& name);
  int GetTag() const { return tag_; }
  void SetTag(int tag) { tag_ = tag; }
  // Where the form designer shows the icon of a component that is not a control: Left in the
  // low 16 bits and Top in the high 16 bits, each a signed 16-bit value. Form files carry it
  // as Left and Top, written only when not 0.
  int32_t GetDesignInfo() const { return designInfo_; }
  void SetDesignInfo(int32_t info) { designInfo_ = info; }
  void DefineProperties(TFiler& filer) override;
  String GetNamePath() const override;

  TComponentState GetComponentState() const { return state_; }
  bool IsDesigning() const { return state_.Contains(csDesigning); }
  bool IsLoading() const { return state_.Contains(csLoading); }
  bool IsDestroying() const { return state_.Contains(csDestroying); }
  // Switches design mode for this component and everything it owns.
  void SetDesigning(bool designing, bool recurse = true);

  // Asks to be told (Notification with opRemove) when component is freed; mutual.
  void FreeNotification(TComponent* component);
  void RemoveFreeNotification(TComponent* component);

  // Form-file structure: the components written inside this one, and the component it is
  // placed in when read (a control's parent). Plain components have neither.
  virtual void GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root);
  virtual bool HasParent() const { return false; }
  virtual TComponent* GetParentComponent() const { return nullptr; }
  virtual void SetParentComponent(TComponent* /*parent*/) {}

  // The reader's state changes; public so that the form-file reader can drive them.
  void SetLoadingState(bool loading);
  void SetReadingState(bool reading);
  void SetWritingState(bool writing);
  // Marks a frame embedded in a form (written "inline"), whose own components come from its form file.
  void SetInlineState(bool isInline) { SetComponentStateFlag(csInline, isInline); }
  // Runs once all of a form file has been read; clears csLoading. Overrides must call it.
  virtual void Loaded();

 protected:
  // Told when component is removed from this one's owner or from this one, or when a component
  // that this one asked about is freed; the default passes removals on to the owned components, so
  // that a component holding a sibling learns that it goes. An insertion (opInsert) is told to the
  // new owner only: passing it on to every owned component would make building a form of n
  // components cost n squared.
  virtual void Notification(TComponent* component, TOperation operation);
  // Marks the component as being destroyed; derived destructors may call it early.
  void Destroying();
  void SetComponentStateFlag(TComponentStateItem item, bool on);

 private:
  void ValidateRename(TComponent* component, const String& oldName, const String& newName) const;
  // Points the owner's published field of this component's name at it, or clears that field.
  void SetReference(bool enable);
  void Remove(TComponent* component);
  // The index of owned components by upper-case name, made once an owner holds many.
  void IndexName(TComponent* component);
  void UnindexName(TComponent* component);


  TComponent* owner_ = nullptr;
  std::vector<TComponent*> components_;
  std::unique_ptr<std::unordered_map<String, TComponent*>> nameIndex_;
  std::vector<TComponent*> freeNotifies_;
  String name_;
  int tag_ = 0;
  int32_t designInfo_ = 0;
  TComponentState state_;
};

// Whether name is a valid component name: a letter or "_" followed by letters, digits and "_".
bool IsValidIdent(const String& name);

}  // namespace Tovix
