// SPDX-License-Identifier: MIT
// Recording into a metafile and playing it back at another scale.
#include "host/graphics/MetafileCanvas.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <QPaintEngine>
#include <QPainter>
#include <QTemporaryDir>

#include <functional>

using namespace jxt;
using jxt::test::CountColor;
using jxt::test::PixelAt;

namespace {

/// The metafile played into an image of w x h on white.
QImage Played(const TMetafile &metafile, int w, int h)
{
    TBitmap bitmap(w, h);
    bitmap.Canvas()->FillSolid(Rect(0, 0, w, h), clWhite);
    metafile.DrawOn(bitmap.Canvas(), Rect(0, 0, w, h));
    return bitmap.Image();
}

TEST(MetafileCanvas, ShapesKeepTheirPlaceAtAnyScale)
{
    TMetafile metafile;
    {
        TMetafileCanvas canvas(&metafile, 1000, 500);
        canvas.Brush()->SetColor(clRed);
        canvas.Pen()->SetStyle(psClear);
        canvas.Rectangle(100, 100, 300, 200);
        canvas.Brush()->SetColor(clBlue);
        canvas.Pen()->SetStyle(psSolid);
        canvas.Pen()->SetColor(clBlue);
        canvas.MoveTo(0, 400);
        canvas.LineTo(1000, 400);
    }
    EXPECT_EQ(metafile.Width(), 1000);
    EXPECT_EQ(metafile.Height(), 500);
    // The recording spans the whole page, not only what was drawn.
    EXPECT_EQ(metafile.Picture().boundingRect(), QRect(0, 0, 1000, 500));

    const QImage small = Played(metafile, 100, 50);
    EXPECT_EQ(PixelAt(small, 20, 15), clRed);
    EXPECT_EQ(PixelAt(small, 35, 15), clWhite);
    EXPECT_GT(CountColor(small, clBlue, 0, 39, 100, 41), 90);
    const QImage large = Played(metafile, 2000, 1000);
    EXPECT_EQ(PixelAt(large, 250, 250), clRed);
    EXPECT_EQ(PixelAt(large, 199, 199), clWhite);
    EXPECT_EQ(PixelAt(large, 601, 399), clWhite);
}

TEST(MetafileCanvas, TextIsMeasuredAtScreenResolutionAndDrawnOnTheBrush)
{
    TMetafile metafile;
    int width = 0, height = 0;
    {
        TMetafileCanvas canvas(&metafile, 400, 100);
        canvas.Font()->SetName(QStringLiteral("Arial"));
        canvas.Font()->SetHeight(-20);
        canvas.Font()->SetColor(clBlack);
        width = canvas.TextWidth(QStringLiteral("Wort"));
        height = canvas.TextHeight(QStringLiteral("Wort"));
        canvas.Brush()->SetColor(clYellow);
        canvas.TextOut(10, 10, QStringLiteral("Wort"));
        canvas.Brush()->SetStyle(bsClear);
        canvas.TextOut(200, 10, QStringLiteral("Wort"));
    }
    TCanvas reference;
    reference.Font()->SetName(QStringLiteral("Arial"));
    reference.Font()->SetHeight(-20);
    EXPECT_EQ(height, reference.TextHeight(QStringLiteral("Wort")));
    EXPECT_NEAR(width, reference.TextWidth(QStringLiteral("Wort")), 1);

    const QImage page = Played(metafile, 400, 100);
    EXPECT_EQ(PixelAt(page, 11, 11), clYellow);
    EXPECT_GT(CountColor(page, clBlack, 10, 10, 10 + width, 10 + height), 20);
    EXPECT_EQ(CountColor(page, clYellow, 190, 0, 400, 100), 0);
    EXPECT_GT(CountColor(page, clBlack, 200, 10, 200 + width, 10 + height), 20);
    EXPECT_EQ(CountColor(page, clBlack, 10 + width + 5, 0, 195, 100), 0);
}

TEST(MetafileCanvas, ANewRecordingReplacesTheOldAndPicturesStretch)
{
    TMetafile metafile;
    {
        TMetafileCanvas canvas(&metafile, 100, 100);
        canvas.Brush()->SetColor(clRed);
        canvas.FillRect(Rect(0, 0, 100, 100));
    }
    TBitmap picture(2, 1);
    picture.Canvas()->SetPixel(0, 0, clGreen);
    picture.Canvas()->SetPixel(1, 0, clBlue);
    {
        TMetafileCanvas canvas(&metafile, 200, 100);
        canvas.StretchDraw(Rect(0, 0, 200, 100), &picture);
    }
    EXPECT_EQ(metafile.Width(), 200);
    const QImage page = Played(metafile, 200, 100);
    EXPECT_EQ(CountColor(page, clRed, 0, 0, 200, 100), 0);
    EXPECT_EQ(PixelAt(page, 10, 50), clGreen);
    EXPECT_EQ(PixelAt(page, 190, 50), clBlue);
}

TEST(MetafileCanvas, ImagesKeptApartPlayLikeTheMergedPicture)
{
    TBitmap picture(2, 1);
    picture.Canvas()->SetPixel(0, 0, clGreen);
    picture.Canvas()->SetPixel(1, 0, clBlue);
    TMetafile inner;
    {
        TMetafileCanvas canvas(&inner, 100, 100);
        canvas.StretchDraw(Rect(0, 0, 100, 100), &picture);
        canvas.Brush()->SetColor(clYellow);
        canvas.FillRect(Rect(40, 40, 60, 60));
    }
    TMetafile page;
    {
        TMetafileCanvas canvas(&page, 400, 200);
        canvas.StretchDraw(Rect(0, 0, 200, 100), &picture);
        canvas.Brush()->SetColor(clRed);
        canvas.FillRect(Rect(90, 40, 110, 60)); // drawn over the image
        canvas.StretchDraw(Rect(200, 100, 400, 200), &inner);
    }
    ASSERT_TRUE(page.Parts());

    // Played on a device of twice the screen's resolution, as on a printer: a picture scales
    // its operations to the device, and the images kept apart must follow.
    const int dpi = QPicture().logicalDpiX();
    const auto play = [dpi](const std::function<void(QPainter &)> &draw) {
        QImage image(800, 400, QImage::Format_RGB32);
        image.fill(Qt::white);
        image.setDotsPerMeterX(qRound(2 * dpi / 0.0254));
        image.setDotsPerMeterY(qRound(2 * dpi / 0.0254));
        QPainter painter(&image);
        draw(painter);
        return image;
    };
    const QImage apart = play([&](QPainter &p) { page.Play(p); });
    const QImage merged = play([&](QPainter &p) { p.drawPicture(0, 0, page.ToPicture()); });
    for (const QImage &image : {apart, merged}) {
        EXPECT_EQ(PixelAt(image, 40, 100), clGreen);
        EXPECT_EQ(PixelAt(image, 300, 100), clBlue);
        EXPECT_EQ(PixelAt(image, 200, 100), clRed);
        EXPECT_EQ(PixelAt(image, 450, 300), clGreen);
        EXPECT_EQ(PixelAt(image, 750, 300), clBlue);
        EXPECT_EQ(PixelAt(image, 600, 300), clYellow);
        EXPECT_EQ(PixelAt(image, 100, 300), clWhite);
    }

    // Copies share the recording; the merged form saves and loads like any picture.
    TMetafile copy;
    copy.Assign(&page);
    EXPECT_EQ(copy.RecordingId(), page.RecordingId());
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("page.pic"));
    page.SaveToFile(file);
    TMetafile loaded;
    loaded.LoadFromFile(file);
    EXPECT_FALSE(loaded.Parts());
    EXPECT_EQ(loaded.Width(), 400);
    const QImage shown = Played(loaded, 400, 200);
    EXPECT_EQ(PixelAt(shown, 20, 50), clGreen);
    EXPECT_EQ(PixelAt(shown, 100, 50), clRed);
    EXPECT_EQ(PixelAt(shown, 300, 150), clYellow);
    // Asking for the one-picture form merges the recording in place.
    EXPECT_EQ(page.Picture().boundingRect(), QRect(0, 0, 400, 200));
    EXPECT_FALSE(page.Parts());
    EXPECT_NE(page.RecordingId(), copy.RecordingId());
    EXPECT_EQ(PixelAt(Played(page, 400, 200), 375, 150), clBlue);
}

/// A device of a printer's resolution that notes the text items drawn on it.
class TTextNotingDevice : public QPaintDevice
{
public:
    struct TItem
    {
        QString text;
        double width;
    };
    std::vector<TItem> items;
    QPaintEngine *paintEngine() const override { return const_cast<TEngine *>(&m_engine); }

protected:
    int metric(PaintDeviceMetric metric) const override
    {
        switch (metric) {
        case PdmWidth:
        case PdmHeight: return 20000;
        case PdmDpiX:
        case PdmDpiY:
        case PdmPhysicalDpiX:
        case PdmPhysicalDpiY: return 1200;
        case PdmDepth: return 32;
        case PdmDevicePixelRatio: return 1;
        case PdmDevicePixelRatioScaled: return int(devicePixelRatioFScale());
        default: return 0;
        }
    }

private:
    class TEngine : public QPaintEngine
    {
    public:
        explicit TEngine(std::vector<TItem> &items) : QPaintEngine(AllFeatures), m_items(items) {}
        bool begin(QPaintDevice *) override { return true; }
        bool end() override { return true; }
        void updateState(const QPaintEngineState &) override {}
        void drawPixmap(const QRectF &, const QPixmap &, const QRectF &) override {}
        void drawTextItem(const QPointF &, const QTextItem &item) override
        {
            m_items.push_back({item.text(), item.width()});
        }
        Type type() const override { return User; }

    private:
        std::vector<TItem> &m_items;
    };
    TEngine m_engine{items};
};

TEST(MetafileCanvas, TextKeepsTheWidthItWasMeasuredWithOnAPrinter)
{
    // Small hinted fonts measure differently at a printer's resolution: played there, text
    // must still be laid out as it was measured, or right-aligned and centred text moves.
    TMetafile metafile;
    std::vector<int> widths;
    const QStringList texts = {QStringLiteral("Fußzeile ÄÖÜ 123"),
                               QStringLiteral("Seite 3 von 12")};
    {
        TMetafileCanvas canvas(&metafile, 2000, 2800);
        canvas.Brush()->SetStyle(bsClear);
        int y = 0;
        for (const char *name : {"Times New Roman", "Arial"}) {
            for (int height : {-11, -13, -32}) {
                canvas.Font()->SetName(QString::fromLatin1(name));
                canvas.Font()->SetHeight(height);
                for (const QString &text : texts) {
                    widths.push_back(canvas.TextWidth(text));
                    canvas.TextOut(0, y += 40, text);
                }
            }
        }
    }
    TTextNotingDevice device;
    QPainter painter(&device);
    metafile.Play(painter);
    painter.end();
    ASSERT_EQ(device.items.size(), widths.size());
    for (size_t i = 0; i < widths.size(); ++i) {
        EXPECT_EQ(device.items[i].text, texts[int(i % 2)]);
        EXPECT_NEAR(device.items[i].width, widths[i], 0.5) << "text " << i;
    }
}

TEST(MetafileCanvas, PensAndBrushesHoldAroundTextAndNestedRecordings)
{
    // The recording sets a pen or brush only when it changes; text and a nested recording
    // change what the player holds, so the next shape must set its own again.
    TMetafile inner;
    {
        TMetafileCanvas canvas(&inner, 100, 100);
        canvas.Pen()->SetColor(clBlue);
        canvas.Brush()->SetColor(clBlue);
        canvas.Rectangle(0, 0, 100, 100);
    }
    TMetafile page;
    {
        TMetafileCanvas canvas(&page, 300, 100);
        canvas.Pen()->SetColor(clRed);
        canvas.Pen()->SetWidth(3);
        canvas.Brush()->SetColor(clRed);
        canvas.Rectangle(0, 0, 100, 30);
        canvas.Font()->SetColor(clGreen);
        canvas.Brush()->SetStyle(bsClear);
        canvas.TextOut(0, 40, QStringLiteral("x"));
        canvas.Brush()->SetStyle(bsSolid);
        canvas.StretchDraw(Rect(100, 0, 200, 100), &inner);
        canvas.Rectangle(200, 0, 300, 30);
        canvas.MoveTo(0, 80);
        canvas.LineTo(100, 80);
    }
    const QImage image = Played(page, 300, 100);
    EXPECT_EQ(PixelAt(image, 50, 15), clRed);
    EXPECT_EQ(PixelAt(image, 150, 50), clBlue);
    EXPECT_EQ(PixelAt(image, 250, 15), clRed);
    EXPECT_EQ(PixelAt(image, 201, 15), clRed);
    EXPECT_EQ(PixelAt(image, 50, 80), clRed);
}

} // namespace
