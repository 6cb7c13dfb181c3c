// A bitmap's published data: how form files store its pixels.
#include "host/classes/TypInfo.h"
#include "host/graphics/Bitmap.h"

namespace host {

std::vector<uint8_t> TBitmap::Data() const {
  if (Empty()) return {};
  TMemoryStream stream;
  SaveToStream(stream);
  return stream.Data();
}

void TBitmap::SetData(std::span<const uint8_t> Bytes) {
  if (Bytes.empty()) {
    Assign(nullptr);
    return;
  }
  TMemoryStream stream(std::vector<uint8_t>(Bytes.begin(), Bytes.end()));
  LoadFromStream(stream);
}

const TPublished& TBitmap::PublishedProperties() {
  static const TPublished table =
      Publish<TBitmap>().Binary("Data", &TBitmap::Data, &TBitmap::SetData);
  return table;
}

}  // namespace host
