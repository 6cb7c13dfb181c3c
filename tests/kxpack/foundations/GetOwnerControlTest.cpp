#include <gtest/gtest.h>

#include <memory>

#include "host/controls/Forms.h"
#include "host/platform/HeadlessPlatform.h"
#include "kxpack/foundations/KxOwnerUtils.h"

namespace kx {
namespace {

using host::TComponent;
using host::TWinControl;

TEST(GetOwnerControl, ReturnsTheOutermostOwnerOfAnUnbrokenWindowedChain) {
  host::Platform::SetCurrent(std::make_unique<host::HeadlessPlatform>());
  auto* form = new host::TForm(nullptr);
  auto* onForm = new TComponent(form);
  auto* panel = new TWinControl(form);
  auto* onPanel = new TComponent(panel);
  // A data module: an owner that is not a windowed control.
  auto* dataModule = new TComponent(nullptr);
  auto* onModule = new TComponent(dataModule);
  auto* panelOnModule = new TWinControl(dataModule);
  auto* onPanelOnModule = new TComponent(panelOnModule);

  EXPECT_EQ(GetOwnerControl(onForm), form);
  EXPECT_EQ(GetOwnerControl(onPanel), form);
  EXPECT_EQ(GetOwnerControl(panel), form);
  EXPECT_EQ(GetOwnerControl(onModule), nullptr);
  EXPECT_EQ(GetOwnerControl(onPanelOnModule), panelOnModule);  // the chain stops at the module
  EXPECT_EQ(GetOwnerControl(form), nullptr);
  EXPECT_EQ(GetOwnerControl(nullptr), nullptr);

  dataModule->Free();
  form->Free();
  host::Platform::SetCurrent(nullptr);
}

}  // namespace
}  // namespace kx
