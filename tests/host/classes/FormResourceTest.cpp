#include <gtest/gtest.h>

#include "host/classes/Streaming.h"
#include "tests/support/SampleComponents.h"

using namespace host;
using namespace sample;

namespace {

constexpr char kLayout[] =
    "object Stored: TSampleForm\n"
    "  Caption = 'from resources'\n"
    "  object W: TSampleWidget\n"
    "    Count = 9\n"
    "  end\n"
    "end\n";
constexpr char kBroken[] = "object Stored: TSampleForm\n  Caption = 1\nend\n";

const ResourceEntry kEntries[] = {
    {RT_FORM, "TSTOREDFORM", reinterpret_cast<const uint8_t*>(kLayout), sizeof kLayout - 1},
    {RT_FORM, "BROKEN", reinterpret_cast<const uint8_t*>(kBroken), sizeof kBroken - 1},
};

TEST(FormResources, StoredLayoutsAreFoundByNameWithoutRegardToCase) {
  RegisterSampleClasses();
  HMODULE module = RegisterModuleResources("streaming-test", kEntries);

  auto* form = As<TSampleForm>(ReadFormResource(module, "TStoredForm"));
  ASSERT_NE(form, nullptr);
  EXPECT_EQ(form->Caption(), "from resources");
  EXPECT_EQ(As<TSampleWidget>(form->FindComponent("W"))->Count(), 9);
  form->Free();

  TSampleForm existing(nullptr);
  ReadFormResourceInto(&existing, module, "tstoredform");
  EXPECT_EQ(existing.Name(), "Stored");
  EXPECT_EQ(existing.ComponentCount(), 1);

  EXPECT_THROW(ReadFormResource(module, "MISSING"), EResNotFound);
  try {
    ReadFormResource(module, "Broken");
    FAIL();
  } catch (const EReadError& e) {
    EXPECT_EQ(e.Message(), "Broken:2: expected a string for Caption, found 1");
  }
  UnregisterModuleResources(module);
}

}  // namespace
