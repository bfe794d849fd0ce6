// SPDX-License-Identifier: MIT
// The reference for the canvas's shapes: the rasteriser that marked every pixel of a shape
// in a coverage mask and wrote the mask pixel by pixel. Its pixels are the ones the canvas
// must keep; the randomised comparison in CanvasRasterCompareTest.cpp draws the same shapes
// with both.
#pragma once

#include "host/graphics/Graphics.h"

#include <QImage>

#include <vector>

namespace jxt::test {

class TReferenceCanvas
{
public:
    /// Draws on device (at its device pixel ratio) inside clip (logical pixels) with copies
    /// of pen and brush.
    TReferenceCanvas(QImage *device, const TRect &clip, const TPen &pen, const TBrush &brush);

    void MoveTo(int x, int y) { m_penPos = Point(x, y); }
    void LineTo(int x, int y);
    void Polyline(const std::vector<TPoint> &points);
    void Rectangle(int x1, int y1, int x2, int y2);
    void RoundRect(int x1, int y1, int x2, int y2, int x3, int y3);
    void Ellipse(int x1, int y1, int x2, int y2);
    void Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4);
    void Pie(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4);
    void Polygon(const TPoint *points, int count);
    void FillRect(const TRect &r);
    void FillSolid(const TRect &r, TColor color);

private:
    QImage *m_device;
    TRect m_clip;
    TPen m_pen;
    TBrush m_brush;
    TPoint m_penPos{};
};

} // namespace jxt::test
