#pragma once
// The host's graphics unit: colours, pens, brushes, fonts, bitmaps, pictures,
// canvases and the GDI calls beneath them.
#include "host/graphics/Bitmap.h"
#include "host/graphics/BitmapImage.h"
#include "host/graphics/Brush.h"
#include "host/graphics/Canvas.h"
#include "host/graphics/Color.h"
#include "host/graphics/Font.h"
#include "host/graphics/Gdi.h"
#include "host/graphics/Pen.h"
#include "host/graphics/Region.h"
#include "host/graphics/TextLayout.h"
