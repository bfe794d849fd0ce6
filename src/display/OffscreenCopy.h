// SPDX-License-Identifier: MIT
// Memory-speed forms of the two canvas operations every off-screen painter repeats: filling
// its bitmap with one colour and copying the bitmap to a canvas. Both give exactly the pixels
// of FillRect and Draw with cmSrcCopy; cases they do not cover go through the canvas.
#pragma once

#include "host/Graphics.h"

#include <QPainter>

namespace jxt::display {

/// Fills all of bitmap with the solid colour (system colours resolved).
inline void FillBitmap(TBitmap &bitmap, TColor color)
{
    const TColor rgb = ColorToRGB(color);
    bitmap.Image().fill(QColor(GetRValue(rgb), GetGValue(rgb), GetBValue(rgb)));
}

/// Draws bitmap on canvas with its top-left corner at (x, y).
inline void CopyBitmap(TCanvas *canvas, int x, int y, const TBitmap &bitmap)
{
    QImage *device = canvas->Device();
    const auto opaque32 = [](QImage::Format f) {
        return f == QImage::Format_RGB32 || f == QImage::Format_ARGB32 ||
               f == QImage::Format_ARGB32_Premultiplied;
    };
    const bool plainCopy = device && opaque32(device->format()) &&
                           bitmap.Image().format() == QImage::Format_RGB32 &&
                           !bitmap.Transparent() && canvas->CopyMode() == cmSrcCopy &&
                           canvas->ClipRect() == Rect(0, 0, device->width(), device->height());
    if (!plainCopy) {
        canvas->Draw(x, y, &bitmap);
        return;
    }
    QPainter painter(device);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(x, y, bitmap.Image());
}

} // namespace jxt::display
