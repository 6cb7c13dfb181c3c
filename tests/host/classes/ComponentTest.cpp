#include <gtest/gtest.h>

#include "host/classes/ClassRegistry.h"
#include "host/classes/Classes.h"
#include "host/classes/TypInfo.h"

using namespace host;

namespace {

class Watcher : public TComponent {
  HOST_CLASS(Watcher, TComponent)
 public:
  using TComponent::TComponent;
  TComponent* Target = nullptr;

 protected:
  void Notification(TComponent* c, TOperation op) override {
    inherited::Notification(c, op);
    if (op == opRemove && c == Target) Target = nullptr;
  }
};

TEST(Component, OwnerFreesWhatItOwnsAndSiblingReferencesClear) {
  auto* form = new TComponent(nullptr);
  auto* a = new Watcher(form);
  auto* b = new TComponent(form);
  a->Target = b;
  ASSERT_EQ(form->ComponentCount(), 2);
  b->Free();
  EXPECT_EQ(a->Target, nullptr);
  EXPECT_EQ(form->ComponentCount(), 1);
  form->Free();
}

TEST(Component, FreeNotificationAcrossOwners) {
  auto* one = new TComponent(nullptr);
  auto* two = new TComponent(nullptr);
  auto* w = new Watcher(one);
  auto* target = new TComponent(two);
  w->Target = target;
  target->FreeNotification(w);
  two->Free();
  EXPECT_EQ(w->Target, nullptr);
  one->Free();
}

TEST(Component, NamesAreIdentifiersUniqueAmongSiblings) {
  TComponent form(nullptr);
  auto* a = new TComponent(&form);
  a->SetName("Display1");
  auto* b = new TComponent(&form);
  EXPECT_THROW(b->SetName("display1"), EComponentError);
  try {
    b->SetName("1abc");
    FAIL();
  } catch (const EComponentError& e) {
    EXPECT_EQ(e.Message(), "'1abc' is not a valid component name");
  }
  b->SetName("Display2");
  EXPECT_EQ(form.FindComponent("DISPLAY2"), b);
}

TEST(Persistent, AssignOfUnrelatedClassesNamesBoth) {
  TPersistent a;
  TComponent b(nullptr);
  try {
    a.Assign(&b);
    FAIL();
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), "Cannot assign a TComponent to a TPersistent");
  }
}

}  // namespace

namespace {

// Publishes a reference and nothing else: no Notification override.
class Pointer : public TComponent {
  HOST_CLASS(Pointer, TComponent)
 public:
  using TComponent::TComponent;
  TComponent* Target() const { return FTarget; }
  void SetTarget(TComponent* v) {
    FTarget = v;
    if (v) v->FreeNotification(this);
  }
  static const TPublished& PublishedProperties() {
    static const TPublished table =
        Publish<Pointer>().Component("Target", &Pointer::Target, &Pointer::SetTarget);
    return table;
  }

 private:
  TComponent* FTarget = nullptr;
};

TEST(Component, PublishedReferencesClearWhenTheirTargetIsFreed) {
  TComponent form(nullptr), other(nullptr);
  auto* sibling = new Pointer(&form);
  auto* across = new Pointer(&form);
  auto* near = new TComponent(&form);
  auto* far = new TComponent(&other);
  sibling->SetTarget(near);
  across->SetTarget(far);
  near->Free();
  far->Free();
  EXPECT_EQ(sibling->Target(), nullptr);
  EXPECT_EQ(across->Target(), nullptr);
}

TEST(Component, ReferrerFreedFirstLeavesNoDanglingNotification) {
  TComponent other(nullptr);
  auto* target = new TComponent(&other);
  auto* p = new Pointer(nullptr);
  p->SetTarget(target);
  p->Free();
  target->Free();  // must not tell the freed referrer
  EXPECT_EQ(other.ComponentCount(), 0);
}

class StateProbe : public TComponent {
  HOST_CLASS(StateProbe, TComponent)
 public:
  using TComponent::TComponent;
  TComponentState* SeenWhenRemoved = nullptr;

 protected:
  void Notification(TComponent* c, TOperation op) override {
    inherited::Notification(c, op);
    if (op == opRemove && SeenWhenRemoved) *SeenWhenRemoved = c->ComponentState();
  }
};

TEST(Component, StateFlagsFollowLoadingAndDestruction) {
  TComponent c(nullptr);
  c.SetLoadingState(true);
  EXPECT_EQ(c.ComponentState(), (TComponentState{csLoading, csReading}));
  c.SetLoadingState(false);
  EXPECT_EQ(c.ComponentState(), TComponentState{csLoading});
  c.Loaded();
  EXPECT_TRUE(c.ComponentState().Empty());

  TComponent form(nullptr);
  TComponentState seen;
  auto* probe = new StateProbe(&form);
  probe->SeenWhenRemoved = &seen;
  (new TComponent(&form))->Free();
  EXPECT_TRUE(seen.Contains(csDestroying));
}

TEST(Component, DesigningSpreadsToOwnedAndLaterInsertedComponents) {
  TComponent form(nullptr);
  auto* a = new TComponent(&form);
  form.SetDesigning(true);
  auto* b = new TComponent(&form);
  EXPECT_TRUE(a->ComponentState().Contains(csDesigning));
  EXPECT_TRUE(b->ComponentState().Contains(csDesigning));
}

TEST(Component, RootListsItsParentlessComponentsAsChildren) {
  TComponent form(nullptr);
  auto* a = new TComponent(&form);
  auto* b = new TComponent(&form);
  std::vector<TComponent*> seen;
  form.GetChildren([&](TComponent* c) { seen.push_back(c); }, &form);
  EXPECT_EQ(seen, (std::vector<TComponent*>{a, b}));
  seen.clear();
  a->GetChildren([&](TComponent* c) { seen.push_back(c); }, &form);
  EXPECT_TRUE(seen.empty());
  b->SetTag(-5);
  EXPECT_EQ(b->Tag(), -5);
}

TEST(ClassRegistry, FindsAndCreatesClassesByNameWithoutRegardToCase) {
  RegisterClass<Pointer>();
  RegisterClass<Pointer>();  // again: no change
  EXPECT_EQ(GetClass("POINTER"), Pointer::StaticClass());
  TComponent owner(nullptr);
  TComponent* made = CreateComponent(FindClass("pointer"), &owner);
  EXPECT_TRUE(made->Is<Pointer>());
  EXPECT_EQ(made->Owner(), &owner);
  try {
    FindClass("TNothing");
    FAIL();
  } catch (const EClassNotFound& e) {
    EXPECT_EQ(e.Message(), "Class TNothing not found");
  }
  UnRegisterClass(Pointer::StaticClass());
  EXPECT_EQ(GetClass("Pointer"), nullptr);
}

}  // namespace
