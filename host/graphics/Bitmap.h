#pragma once
// Graphics that a canvas can draw: the abstract TGraphic, TBitmap (pixels with
// a canvas of their own) and TPicture, which holds a graphic.
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "host/base/EnumInfo.h"
#include "host/classes/Classes.h"
#include "host/classes/Streams.h"
#include "host/graphics/BitmapImage.h"
#include "host/graphics/Color.h"
#include "host/graphics/Resources.h"

namespace host {

class TCanvas;

HOST_ENUM(TTransparentMode, tmAuto, tmFixed)
HOST_ENUM(TBitmapHandleType, bmDIB, bmDDB)

class TGraphic : public TPersistent {
  HOST_CLASS(TGraphic, TPersistent)
 public:
  virtual bool Empty() const = 0;
  virtual int32_t Width() const = 0;
  virtual void SetWidth(int32_t Value) = 0;
  virtual int32_t Height() const = 0;
  virtual void SetHeight(int32_t Value) = 0;
  bool Transparent() const { return FTransparent; }
  virtual void SetTransparent(bool Value);
  bool Modified() const { return FModified; }
  void SetModified(bool Value) { FModified = Value; }

  // Raise EFOpenError for a file that cannot be opened and EInvalidGraphic for
  // one that is not a valid image; the graphic is left unchanged then.
  void LoadFromFile(const std::string& FileName);
  void SaveToFile(const std::string& FileName) const;
  virtual void LoadFromStream(TStream& Stream) = 0;
  virtual void SaveToStream(TStream& Stream) const = 0;

  const TNotifyEvent& OnChange() const { return FOnChange; }
  void SetOnChange(TNotifyEvent Value) { FOnChange = std::move(Value); }

 protected:
  friend class TCanvas;
  // Draws the graphic into Rect of the canvas, scaled to it.
  virtual void Draw(TCanvas& Canvas, const TRect& Rect) = 0;
  virtual void Changed();

  bool FTransparent = false;

 private:
  bool FModified = false;
  TNotifyEvent FOnChange;
};

class TBitmap : public TGraphic {
  HOST_CLASS(TBitmap, TGraphic)
 public:
  TBitmap();
  ~TBitmap() override;

  bool Empty() const override { return FImage->Empty(); }
  int32_t Width() const override { return FImage->Width; }
  void SetWidth(int32_t Value) override { SetSize(Value, Height()); }
  int32_t Height() const override { return FImage->Height; }
  void SetHeight(int32_t Value) override { SetSize(Width(), Value); }
  // New pixels are white; kept pixels keep their place.
  void SetSize(int32_t AWidth, int32_t AHeight);

  // Draws into the bitmap.
  TCanvas* Canvas();
  // The pixels as a bitmap handle, owned by this TBitmap.
  HBITMAP Handle() const { return FImage.get(); }
  // Takes ownership of a handle (from LoadBitmap, CreateBitmap …); nullptr empties.
  void SetHandle(HBITMAP Value);
  // Gives up the handle to the caller (who frees it with DeleteObject); the bitmap is empty after.
  HBITMAP ReleaseHandle();

  bool Monochrome() const { return FImage->PixelFormat == pf1bit; }
  // Turning monochrome maps every pixel to the nearer of black and white.
  void SetMonochrome(bool Value);
  TPixelFormat PixelFormat() const { return FImage->PixelFormat; }
  void SetPixelFormat(TPixelFormat Value);
  TBitmapHandleType HandleType() const { return FHandleType; }
  void SetHandleType(TBitmapHandleType Value) { FHandleType = Value; }

  // tmAuto: the colour of the bottom-left pixel (clNone while empty);
  // tmFixed: the colour set. Setting a colour switches to tmFixed.
  TColor TransparentColor() const;
  void SetTransparentColor(TColor Value);
  TTransparentMode TransparentMode() const { return FTransparentMode; }
  void SetTransparentMode(TTransparentMode Value);

  // The pixel words of a row; raises EInvalidGraphic for a row outside the bitmap.
  uint32_t* ScanLine(int32_t Row);

  // Copies pixels, pixel format and transparency of a TBitmap (or of the
  // bitmap a TPicture holds); nullptr empties the bitmap.
  void Assign(TPersistent* Source) override;
  // Raises EResNotFound when the module has no bitmap of that name.
  void LoadFromResourceName(HMODULE Instance, const std::string& ResName);
  // Reads a .bmp or .png image.
  void LoadFromStream(TStream& Stream) override;
  // Writes a .bmp file in the bitmap's pixel format.
  void SaveToStream(TStream& Stream) const override;

  // The bitmap as the bytes of a .bmp file, as form files store it
  // (Glyph.Data = { … }); empty for an empty bitmap. SetData reads such bytes
  // back; no bytes empty the bitmap.
  std::vector<uint8_t> Data() const;
  void SetData(std::span<const uint8_t> Bytes);
  static const TPublished& PublishedProperties();

 protected:
  void Draw(TCanvas& Canvas, const TRect& Rect) override;

 private:
  class TBitmapCanvas;
  void ReplaceImage(std::unique_ptr<BitmapImage> image);

  std::unique_ptr<BitmapImage> FImage;
  std::unique_ptr<TBitmapCanvas> FCanvas;
  TBitmapHandleType FHandleType = bmDIB;
  TColor FTransparentColor = clDefault;
  TTransparentMode FTransparentMode = tmAuto;
};

class TPicture : public TPersistent {
  HOST_CLASS(TPicture, TPersistent)
 public:
  TPicture();
  ~TPicture() override;

  // The graphic held, or nullptr.
  TGraphic* Graphic() const { return FGraphic.get(); }
  // Holds a copy of Value (nullptr: nothing).
  void SetGraphic(TGraphic* Value);
  // The graphic as a bitmap; an empty one is made when the picture holds none.
  TBitmap* Bitmap();
  void SetBitmap(TBitmap* Value) { SetGraphic(Value); }
  int32_t Width() const { return FGraphic ? FGraphic->Width() : 0; }
  int32_t Height() const { return FGraphic ? FGraphic->Height() : 0; }

  void Assign(TPersistent* Source) override;
  void LoadFromFile(const std::string& FileName);
  void SaveToFile(const std::string& FileName) const;

  const TNotifyEvent& OnChange() const { return FOnChange; }
  void SetOnChange(TNotifyEvent Value) { FOnChange = std::move(Value); }

 protected:
  void AssignTo(TPersistent* Dest) override;
  virtual void Changed();

 private:
  void Hold(std::unique_ptr<TGraphic> graphic);

  std::unique_ptr<TGraphic> FGraphic;
  TNotifyEvent FOnChange;
};

}  // namespace host
