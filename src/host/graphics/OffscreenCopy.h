// SPDX-License-Identifier: MIT
// Memory-speed forms of the two canvas operations every off-screen painter repeats: filling
// its bitmap with one colour and copying the bitmap to a canvas. Both give exactly the pixels
// of FillRect and Draw with cmSrcCopy; cases they do not cover go through the canvas.
#pragma once

#include "host/graphics/Graphics.h"

#include <QPainter>

#include <cmath>

namespace jxt::display {

/// Fills all of bitmap with the solid colour (system colours resolved).
inline void FillBitmap(TBitmap &bitmap, TColor color)
{
    const TColor rgb = ColorToRGB(color);
    bitmap.Image().fill(QColor(GetRValue(rgb), GetGValue(rgb), GetBValue(rgb)));
}

/// Gives bitmap the device size of width x height logical pixels at a device pixel ratio, so
/// what is drawn on its canvas has the resolution of a surface of that ratio.
inline void SetSizeAtRatio(TBitmap &bitmap, int width, int height, qreal ratio)
{
    const qreal r = ratio > 1.0 ? ratio : 1.0;
    bitmap.SetSize(int(std::floor(width * r + 0.5)), int(std::floor(height * r + 0.5)));
    if (!bitmap.Empty() && bitmap.Image().devicePixelRatio() != r)
        bitmap.Image().setDevicePixelRatio(r);
}

/// Draws bitmap on canvas with its top-left corner at (x, y).
inline void CopyBitmap(TCanvas *canvas, int x, int y, const TBitmap &bitmap)
{
    QImage *device = canvas->Device();
    const auto opaque32 = [](QImage::Format f) {
        return f == QImage::Format_RGB32 || f == QImage::Format_ARGB32 ||
               f == QImage::Format_ARGB32_Premultiplied;
    };
    // At equal device pixel ratios the painter copies pixel for pixel.
    const qreal ratio = device ? device->devicePixelRatio() : 1.0;
    const bool plainCopy =
        device && opaque32(device->format()) && bitmap.Image().format() == QImage::Format_RGB32 &&
        bitmap.Image().devicePixelRatio() == ratio && !bitmap.Transparent() &&
        canvas->CopyMode() == cmSrcCopy &&
        canvas->ClipRect() == Rect(0, 0, int(std::lround(device->width() / ratio)),
                                   int(std::lround(device->height() / ratio)));
    if (!plainCopy) {
        canvas->Draw(x, y, &bitmap);
        return;
    }
    QPainter painter(device);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(x, y, bitmap.Image());
}

} // namespace jxt::display
