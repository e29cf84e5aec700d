#include <gtest/gtest.h>

#include "framework/Classes.h"
#include "framework/TypInfoBuilder.h"

using namespace Tovix;

namespace {

// Records what it is told, and keeps a reference it clears when the target goes.
class TWatcher : public TComponent {
  TOVIX_DECLARE_CLASS(TWatcher)

 public:
  explicit TWatcher(TComponent* owner) : TComponent(owner) {}
  ~TWatcher() override {
    ++destroyed;
    targetWhenDestroyed = target_;
  }

  void Watch(TComponent* target) {
    target_ = target;
    if (target) target->FreeNotification(this);
  }
  TComponent* Target() const { return target_; }
  std::vector<String> log;
  static int destroyed;
  static TComponent* targetWhenDestroyed;

 protected:
  void Notification(TComponent* component, TOperation operation) override {
    TComponent::Notification(component, operation);
    log.push_back(Format("%s %s", operation == opInsert ? "insert" : "remove",
                         component->GetName().empty() ? String("?") : component->GetName()));
    if (operation == opRemove && component == target_) target_ = nullptr;
  }

 private:
  TComponent* target_ = nullptr;
};
int TWatcher::destroyed = 0;
TComponent* TWatcher::targetWhenDestroyed = nullptr;

TOVIX_IMPLEMENT_CLASS(TWatcher, TComponent) {}

class TAssignable : public TPersistent {
  TOVIX_DECLARE_CLASS(TAssignable)

 public:
  int value = 0;
  void Assign(TPersistent* source) override {
    if (auto* other = dynamic_cast<TAssignable*>(source)) value = other->value;
    else TPersistent::Assign(source);
  }
};
TOVIX_IMPLEMENT_CLASS(TAssignable, TPersistent) {}

class TOtherPersistent : public TPersistent {
  TOVIX_DECLARE_CLASS(TOtherPersistent)
};
TOVIX_IMPLEMENT_CLASS(TOtherPersistent, TPersistent) {}

}  // namespace

TEST(Component, OwnerFreesWhatItOwnsLastFirst) {
  TWatcher::destroyed = 0;
  auto* owner = new TComponent(nullptr);
  auto* a = new TWatcher(owner);
  a->SetName("A");
  auto* b = new TWatcher(owner);
  b->SetName("B");
  EXPECT_EQ(2, owner->GetComponentCount());
  EXPECT_EQ(b, owner->GetComponents(1));
  EXPECT_EQ(1, b->GetComponentIndex());
  EXPECT_EQ(owner, a->GetOwner());
  // b goes first; a, which asked about b, hears of it before it goes itself.
  a->Watch(b);
  TWatcher::targetWhenDestroyed = owner;
  delete owner;
  EXPECT_EQ(2, TWatcher::destroyed);
  EXPECT_EQ(nullptr, TWatcher::targetWhenDestroyed);
}

TEST(Component, SiblingsAndFreeNotifiersAreToldWhenAComponentGoes) {
  TComponent owner(nullptr);
  auto* watcher = new TWatcher(&owner);
  watcher->SetName("Watcher");
  auto* target = new TComponent(&owner);
  target->SetName("Target");
  // Insertions are told to the new owner only, before the name is set; removals reach siblings.
  new TComponent(watcher);
  auto* sibling = new TComponent(&owner);
  sibling->SetName("Sibling");
  delete sibling;
  EXPECT_EQ((std::vector<String>{"insert ?", "remove Sibling"}), watcher->log);
  watcher->Watch(target);
  delete target;
  EXPECT_EQ(nullptr, watcher->Target());
  EXPECT_EQ(1, owner.GetComponentCount());

  // A free notification across owners: the watcher hears of a component it does not share an owner with.
  TComponent elsewhere(nullptr);
  auto* remote = new TComponent(&elsewhere);
  remote->SetName("Remote");
  watcher->Watch(remote);
  watcher->log.clear();
  delete remote;
  EXPECT_EQ((std::vector<String>{"remove Remote"}), watcher->log);
  EXPECT_EQ(nullptr, watcher->Target());

  // Once the watcher is gone, freeing its former target must not reach it.
  auto* other = new TComponent(&elsewhere);
  watcher->Watch(other);
  delete watcher;
  delete other;  // would touch freed memory if the link were left behind
  EXPECT_EQ(0, elsewhere.GetComponentCount());
}

TEST(Component, NamesAreValidatedAndUniqueWithinTheOwner) {
  TComponent owner(nullptr);
  auto* a = new TComponent(&owner);
  a->SetName("Button1");
  auto* b = new TComponent(&owner);
  try {
    b->SetName("button1");
    FAIL();
  } catch (const EComponentError& e) {
    EXPECT_EQ("A component named button1 already exists", e.Message());
  }
  for (const char* bad : {"1abc", "a b", "a-b", "a.b"}) {
    try {
      b->SetName(bad);
      FAIL() << bad;
    } catch (const EComponentError& e) {
      EXPECT_EQ(Format("'%s' is not a valid component name", bad), e.Message());
    }
  }
  b->SetName("_Button2");
  EXPECT_EQ(b, owner.FindComponent("_BUTTON2"));
  EXPECT_EQ(nullptr, owner.FindComponent(""));
  a->SetName("BUTTON1");  // renaming to itself in another case is fine
  a->SetName("");
  b->SetName("");  // several unnamed components may share an owner
  EXPECT_EQ(nullptr, owner.FindComponent("Button1"));

  // Moving a component into an owner that already has its name is refused.
  TComponent other(nullptr);
  auto* c = new TComponent(&other);
  c->SetName("_Button2");
  b->SetName("_Button2");
  EXPECT_THROW(owner.InsertComponent(c), EComponentError);
}

TEST(Component, DesignModeSpreadsToOwnedComponents) {
  TComponent owner(nullptr);
  auto* child = new TComponent(&owner);
  auto* grandChild = new TComponent(child);
  owner.SetDesigning(true);
  EXPECT_TRUE(grandChild->IsDesigning());
  EXPECT_TRUE(grandChild->GetComponentState().Contains(csDesigning));
  owner.SetDesigning(false);
  EXPECT_FALSE(child->IsDesigning());
}

TEST(Persistent, AssignCopiesKnownClassesAndRejectsOthers) {
  TAssignable a, b;
  b.value = 7;
  a.Assign(&b);
  EXPECT_EQ(7, a.value);
  TOtherPersistent other;
  try {
    a.Assign(&other);
    FAIL();
  } catch (const EConvertError& e) {
    EXPECT_EQ("Cannot assign a TOtherPersistent to a TAssignable", e.Message());
  }
  try {
    a.Assign(nullptr);
    FAIL();
  } catch (const EConvertError& e) {
    EXPECT_EQ("Cannot assign a nil to a TAssignable", e.Message());
  }
  TStringList list;
  list.Add("x");
  TStringList copy;
  copy.Assign(static_cast<TPersistent*>(&list));
  EXPECT_EQ("x\r\n", copy.GetText());
  EXPECT_THROW(copy.Assign(static_cast<TPersistent*>(&a)), EConvertError);
}

TEST(ClassInfo, NamesParentsAndTheRegistry) {
  TWatcher w(nullptr);
  EXPECT_EQ("TWatcher", w.ClassName());
  EXPECT_TRUE(w.InheritsFrom(TComponent::StaticClassInfo()));
  EXPECT_TRUE(w.InheritsFrom(TObject::StaticClassInfo()));
  EXPECT_FALSE(w.InheritsFrom(TStrings::StaticClassInfo()));
  EXPECT_EQ(&TComponent::StaticClassInfo(), TWatcher::StaticClassInfo().Parent());
  EXPECT_EQ(&TWatcher::StaticClassInfo(), GetClass("twatcher"));
  EXPECT_EQ(nullptr, GetClass("TNoSuchThing"));
  try {
    FindClass("TNoSuchThing");
    FAIL();
  } catch (const EClassNotFound& e) {
    EXPECT_EQ("Class TNoSuchThing not found", e.Message());
  }
  std::unique_ptr<TComponent> made(GetClass("TWatcher")->Create(nullptr));
  EXPECT_EQ("TWatcher", made->ClassName());
  EXPECT_FALSE(GetClass("TStrings")->CanCreate()) << "abstract classes cannot be made by name";
}

TEST(StringListEvents, ChangeEventsRunOncePerEditOrUpdate) {
  TStringList list;
  int changing = 0, changed = 0;
  list.SetOnChanging([&](TObject* sender) {
    EXPECT_EQ(&list, sender);
    ++changing;
  });
  list.SetOnChange([&](TObject*) { ++changed; });
  list.Add("a");
  list.Add("b");
  list.Delete(0);
  EXPECT_EQ(3, changing);
  EXPECT_EQ(3, changed);
  list.SetText("x\r\ny\r\nz");
  EXPECT_EQ(4, changed) << "a whole update notifies once";
  list.Clear();
  list.Clear();  // nothing to clear: no notification
  EXPECT_EQ(5, changed);
}
