// SPDX-License-Identifier: MIT
// The memory-speed fill and copy give the same pixels as the canvas operations they stand for.
#include "host/graphics/OffscreenCopy.h"

#include <gtest/gtest.h>

#include <QImage>

using namespace jxt;

TEST(OffscreenCopy, MatchesFillRectAndDraw)
{
    TBitmap source(37, 23);
    display::FillBitmap(source, clBtnFace);
    TBitmap reference(37, 23);
    reference.Canvas()->Brush()->SetColor(clBtnFace);
    reference.Canvas()->FillRect(Rect(0, 0, 37, 23));
    EXPECT_EQ(source.Image(), reference.Image());

    for (int y = 0; y < 23; ++y)
        for (int x = 0; x < 37; ++x)
            source.Canvas()->SetPixel(x, y, RGB(x * 7, y * 11, (x + y) * 3));

    const auto blank = [] {
        QImage image(50, 40, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        return image;
    };
    // Unclipped: the fast copy; clipped: through the canvas. Both must equal Draw.
    for (bool clipped : {false, true}) {
        QImage fast = blank(), slow = blank();
        TCanvas fastCanvas(&fast), slowCanvas(&slow);
        if (clipped) {
            fastCanvas.SetClipRect(Rect(5, 5, 30, 30));
            slowCanvas.SetClipRect(Rect(5, 5, 30, 30));
        }
        display::CopyBitmap(&fastCanvas, 20, 25, source);
        slowCanvas.Draw(20, 25, &source);
        EXPECT_EQ(fast, slow) << clipped;
        EXPECT_NE(fast, blank());
    }
}
