#include <gtest/gtest.h>

#include "host/classes/Classes.h"

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
  EXPECT_THROW(b->SetName("1abc"), EComponentError);
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
