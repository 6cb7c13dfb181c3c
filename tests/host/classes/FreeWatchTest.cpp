// A watch notices the freeing of its component, however it goes: by itself,
// with its owner, or not at all.
#include <gtest/gtest.h>

#include <memory>

#include "host/classes/Classes.h"
#include "host/classes/FreeWatch.h"

namespace host {
namespace {

TEST(FreeWatch, NoticesAFreeByItselfOrWithItsOwner) {
  auto* owner = new TComponent(nullptr);
  auto* alone = new TComponent(owner);
  auto* owned = new TComponent(owner);
  const TFreeWatch aloneWatch(alone), ownedWatch(owned), ownerWatch(owner);
  EXPECT_FALSE(aloneWatch.Freed());
  alone->Free();
  EXPECT_TRUE(aloneWatch.Freed());
  EXPECT_FALSE(ownedWatch.Freed());
  owner->Free();
  EXPECT_TRUE(ownedWatch.Freed());
  EXPECT_TRUE(ownerWatch.Freed());
}

TEST(FreeWatch, GoingFirstLeavesNothingBehindInTheComponent) {
  auto* target = new TComponent(nullptr);
  { const TFreeWatch watch(target); }
  // The component tells no one when it goes: the watch unregistered.
  auto watch = std::make_unique<TFreeWatch>(target);
  target->Free();
  EXPECT_TRUE(watch->Freed());
  EXPECT_TRUE(TFreeWatch(nullptr).Freed());
}

}  // namespace
}  // namespace host
