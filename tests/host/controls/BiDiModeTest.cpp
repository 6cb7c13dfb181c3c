// A control's reading order follows its parent's until it is given its own.
#include "host/controls/ExtCtrls.h"
#include "host/controls/StdCtrls.h"
#include "tests/support/HeadlessFixture.h"

namespace host::testing {
namespace {

class BiDiModeTest : public HeadlessTest {
 protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    form = MakeForm();
    panel = new TPanel(form);
    panel->SetParent(form);
    label = new TLabel(form);
    label->SetParent(panel);
  }
  TForm* form = nullptr;
  TPanel* panel = nullptr;
  TLabel* label = nullptr;
};

TEST_F(BiDiModeTest, ChildrenFollowTheirParentDownTheTree) {
  EXPECT_EQ(label->BiDiMode(), bdLeftToRight);
  form->SetBiDiMode(bdRightToLeft);
  EXPECT_FALSE(form->ParentBiDiMode());
  EXPECT_EQ(panel->BiDiMode(), bdRightToLeft);
  EXPECT_EQ(label->BiDiMode(), bdRightToLeft);
  EXPECT_TRUE(label->ParentBiDiMode());

  // A control put on a parent takes the parent's at once.
  auto* late = new TLabel(form);
  late->SetParent(panel);
  EXPECT_EQ(late->BiDiMode(), bdRightToLeft);
}

TEST_F(BiDiModeTest, AnOwnModeCutsLooseUntilParentBiDiModeIsSetAgain) {
  panel->SetBiDiMode(bdRightToLeftReadingOnly);
  form->SetBiDiMode(bdRightToLeft);
  EXPECT_EQ(panel->BiDiMode(), bdRightToLeftReadingOnly);
  EXPECT_EQ(label->BiDiMode(), bdRightToLeftReadingOnly);
  EXPECT_TRUE(panel->IsBiDiModeStored());
  EXPECT_FALSE(label->IsBiDiModeStored());

  panel->SetParentBiDiMode(true);
  EXPECT_EQ(panel->BiDiMode(), bdRightToLeft);
  EXPECT_EQ(label->BiDiMode(), bdRightToLeft);
}

}  // namespace
}  // namespace host::testing
