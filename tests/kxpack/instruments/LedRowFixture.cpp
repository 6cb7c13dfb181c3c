#include "LedRowFixture.h"

namespace kx::testing {

using namespace host;

void LedRowTest::Show(TKxProgress* Row, const char* name) {
  row = Row;
  row->SetName(name);
  row->SetLeft(kLeft);
  row->SetTop(kTop);
  row->SetColor(kBackground);
  row->SetParent(form);
  session = std::make_unique<Session>(form);
}

TRect LedRowTest::LedRect(int Index) const {
  TRect r;
  row->GetItemRect(Index, r);
  return TRect{r.Left + kLeft, r.Top + kTop, r.Right + kLeft, r.Bottom + kTop};
}

uint32_t LedRowTest::RowPixel(int x, int y) const { return session->Pixel(kLeft + x, kTop + y); }

}  // namespace kx::testing
