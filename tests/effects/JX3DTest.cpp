// SPDX-License-Identifier: MIT
// 3D object control: the model text format and its limits and errors, the projection with
// its rounding and the eye rule, drawing, the rotation timer, loading from files, and what
// a form's first show loads.
#include "effects/JX3D.h"

#include "host/controls/Dialogs.h"
#include "host/controls/Forms.h"
#include "platform/Pointer.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QMetaProperty>
#include <QTemporaryDir>

using namespace jxt;
using jxt::test::CountColor;
using jxt::test::Dialogs;
using jxt::test::InkOf;
using jxt::test::PixelAt;

namespace {

// A control 16 pixels wide, so that one model unit is one pixel at the default raster
// size, seen without rotation and without perspective.
struct TFlat
{
    TJX3D v;
    TFlat()
    {
        v.SetBounds(0, 0, 16, 16);
        v.SetXRotation(0);
        v.SetYRotation(0);
        v.SetZRotation(0);
        v.SetPerspective(1000);
    }
};

} // namespace

TEST(JX3D, DefaultsAndPublishedOrder)
{
    TJX3D v;
    EXPECT_EQ(v.Width(), 100);
    EXPECT_EQ(v.Color(), clBlack);
    EXPECT_EQ(v.Interval(), 0);
    EXPECT_FALSE(v.Timer()->Active());
    EXPECT_EQ(v.GetAboutJXT(), QStringLiteral("15.11.96^M(Beta)"));
    const QMetaObject *mo = v.metaObject();
    const QStringList expected = {
        "About_JXTools", "Interval",  "ModellItems", "Perspective",  "Picture",   "PointCaption",
        "ShowCircles",   "ShowLines", "ShowPicture", "ShowPolygons", "XPosition", "XRotation",
        "YPosition",     "YRotation", "Zoom",        "ZPosition",    "ZRotation"};
    for (int i = 0; i < expected.size(); ++i)
        EXPECT_EQ(QString::fromLatin1(mo->property(mo->propertyOffset() + i).name()), expected[i]);
}

TEST(JX3D, EmptyModelAtLoadGivesTheYellowCubeCentred)
{
    TJX3D v;
    v.SetBounds(0, 0, 160, 120);
    v.SetXRotation(5);
    v.SetModellItemsList({QStringLiteral("P 0,0,0")});
    ASSERT_EQ(v.PointCount(), 1);
    v.ModellItems()->Clear();
    v.Loaded();
    EXPECT_EQ(v.PointCount(), 8);
    EXPECT_EQ(v.LineCount(), 6);
    EXPECT_EQ(v.PolygonCount(), 0);
    EXPECT_EQ(v.Lines(0).Count, 5);
    EXPECT_EQ(v.Lines(0).Color, clYellow);
    EXPECT_EQ(v.XRotation(), 20);
    EXPECT_EQ(v.YRotation(), 340);
    EXPECT_EQ(v.Zoom(), 100);
    EXPECT_EQ(v.Perspective(), 200);
    EXPECT_EQ(v.XPosition(), 50);
    EXPECT_EQ(v.YPosition(), 50);

    // A stored model is centred instead.
    v.ModellItems()->Add(QStringLiteral("P 1,1,1"));
    v.Loaded();
    EXPECT_EQ(v.XPosition(), 80);
    EXPECT_EQ(v.YPosition(), 60);
}

TEST(JX3D, StatementsOfTheModelFormat)
{
    TJX3D v;
    const int beeps = platform::MessageBeepCount();
    v.SetModellItemsList({
        QStringLiteral("p 1.5,2,3   ; a point in lower case"),
        QStringLiteral("POINT -4.5,2,0.25"),
        QStringLiteral("XADD 10"),
        QStringLiteral("yadd -1.5"),
        QStringLiteral("P 0,0,0"),
        QStringLiteral("   ; an indented comment line"),
        QStringLiteral(""),
        QStringLiteral("NEWCOLOR clRed"),
        QStringLiteral("L 3, 0 ,1, 2"),
        QStringLiteral("LINE 2,2,0"),
        QStringLiteral("NEWCOLOR clNoSuchColour"),
        QStringLiteral("F 3,0,1,2"),
        QStringLiteral("FACE 3,0,1,2"),
        QStringLiteral("C 1,2.5"),
        QStringLiteral("EXIT"),
        QStringLiteral("CIRCLE 1,2"),
        QStringLiteral("DEFAULTZOOM 50"),
        QStringLiteral("DefaultXRotation 400"),
        QStringLiteral("P 1e2,0,0"),
    });
    EXPECT_TRUE(Dialogs()->Shown().empty());
    EXPECT_EQ(platform::MessageBeepCount(), beeps + 2); // FACE and CIRCLE
    ASSERT_EQ(v.PointCount(), 4);
    EXPECT_EQ(v.Points(0).X, 1.5L);
    EXPECT_EQ(v.Points(1).X, -4.5L);
    EXPECT_EQ(v.Points(1).Z, 0.25L);
    EXPECT_EQ(v.Points(2).X, 10.0L);
    EXPECT_EQ(v.Points(2).Y, -1.5L);
    EXPECT_EQ(v.Points(3).X, 110.0L);
    ASSERT_EQ(v.LineCount(), 2);
    EXPECT_EQ(v.Lines(0).Count, 3);
    EXPECT_EQ(v.Lines(0).Index[3], 2);
    EXPECT_EQ(v.Lines(0).Color, clRed);
    ASSERT_EQ(v.PolygonCount(), 1);
    EXPECT_EQ(v.Polygons(0).Color, clRed); // an unknown colour name changes nothing
    ASSERT_EQ(v.CircleCount(), 1);
    EXPECT_EQ(v.Circles(0).Point, 1);
    EXPECT_EQ(v.Circles(0).Radius, 2.5L);
    EXPECT_EQ(v.Zoom(), 50);
    EXPECT_EQ(v.XRotation(), 360);

    // A new load starts from black and no offsets.
    v.SetModellItemsList({QStringLiteral("P 0,0,0"), QStringLiteral("L 1,0")});
    EXPECT_EQ(v.Points(0).X, 0.0L);
    EXPECT_EQ(v.Lines(0).Color, clBlack);
}

TEST(JX3D, FullStoresShowTheirMessageAndSkipTheStatement)
{
    struct Case
    {
        QString statement;
        int limit;
        QString message;
        int (TJX3D::*count)() const;
    };
    const Case cases[] = {
        {QStringLiteral("P 1,2,3"), 400, QStringLiteral("Maximale Punktanzahl erreicht"),
         &TJX3D::PointCount},
        {QStringLiteral("L 2,0,1"), 400, QStringLiteral("Maximale Linienanzahl erreicht"),
         &TJX3D::LineCount},
        {QStringLiteral("F 3,0,1,2"), 200, QStringLiteral("Maximale Flächenanzahl erreicht"),
         &TJX3D::PolygonCount},
        {QStringLiteral("C 0,1.5"), 200, QStringLiteral("Maximale Kreisanzahl erreicht"),
         &TJX3D::CircleCount},
    };
    for (const Case &c : cases) {
        Dialogs()->Clear();
        QStringList model = {QStringLiteral("P 0,0,0"), QStringLiteral("P 1,0,0"),
                             QStringLiteral("P 0,1,0")};
        const int given = c.count == &TJX3D::PointCount ? c.limit - 3 + 2 : c.limit + 2;
        for (int i = 0; i < given; ++i)
            model << c.statement;
        model << QStringLiteral("DEFAULTZOOM 40"); // loading goes on after the messages
        TJX3D v;
        v.SetModellItemsList(model);
        EXPECT_EQ((v.*c.count)(), c.limit) << c.message.toStdString();
        EXPECT_EQ(Dialogs()->Texts(), QStringList({c.message, c.message}))
            << c.message.toStdString();
        EXPECT_EQ(v.Zoom(), 40);
    }
}

TEST(JX3D, UnreadableStatementsStopTheLoadNamingTheLine)
{
    const QString bad[] = {
        QStringLiteral("P a,b,c"),       QStringLiteral("P 1,2"),
        QStringLiteral("P nan,0,0"),     QStringLiteral("P inf,0,0"),
        QStringLiteral("P 1e99999,0,0"), QStringLiteral("L 11,0,1,0,1,0,1,0,1,0,1,0"),
        QStringLiteral("L -1,0"),        QStringLiteral("L 2,0,7"),
        QStringLiteral("F 3,0,1,-1"),    QStringLiteral("C 5,1"),
        QStringLiteral(" P 1,2,3"),      QStringLiteral("RASTERSIZE 0"),
        QStringLiteral("DEFAULTZOOM x"), QStringLiteral("XADD"),
    };
    for (const QString &line : bad) {
        Dialogs()->Clear();
        TJX3D v;
        v.SetModellItemsList({QStringLiteral("P 0,0,0"), QStringLiteral("P 1,1,1 ; kept"), line,
                              QStringLiteral("P 2,2,2")});
        EXPECT_EQ(Dialogs()->Texts(),
                  QStringList({QStringLiteral("JX3d - Fehler in Zeile :") + line}))
            << line.toStdString();
        EXPECT_EQ(v.PointCount(), 2) << line.toStdString();
        EXPECT_EQ(v.LineCount() + v.PolygonCount() + v.CircleCount(), 0) << line.toStdString();
    }
}

TEST(JX3D, ProjectionRoundsEveryStepHalfToEven)
{
    TFlat f;
    f.v.SetModellItemsList({QStringLiteral("P 2.5,3.5,-0.5"), QStringLiteral("P 4,-4,4"),
                            QStringLiteral("P -1.5,0,1.5")});
    f.v.SetPerspective(1000);
    EXPECT_EQ(f.v.Points(0).ScreenX, 2);
    EXPECT_EQ(f.v.Points(0).ScreenY, 4);
    EXPECT_EQ(f.v.Points(0).Depth, 0);
    EXPECT_EQ(f.v.Points(2).ScreenX, -2);
    EXPECT_EQ(f.v.Points(2).Depth, 2);

    // With the eye 200 units away: -x * P / (z - P), cut toward zero.
    f.v.SetBounds(0, 0, 100, 100); // 6.25 pixels per unit
    f.v.SetPerspective(200);
    EXPECT_EQ(f.v.Points(1).ScreenX, 28);  // 25 * 200 / 175
    EXPECT_EQ(f.v.Points(1).ScreenY, -28); // -25 * 200 / 175
    EXPECT_EQ(f.v.Points(1).Depth, 25);

    // A quarter turn about Y takes X into the depth.
    f.v.SetBounds(0, 0, 16, 16);
    f.v.SetPerspective(1000);
    f.v.SetYRotation(90);
    EXPECT_EQ(f.v.Points(1).ScreenX, -4); // cos 90 * 4 - sin 90 * 4
    EXPECT_EQ(f.v.Points(1).Depth, 4);
    // And about X, the depth into Y.
    f.v.SetYRotation(0);
    f.v.SetXRotation(90);
    EXPECT_EQ(f.v.Points(1).ScreenY, 4); // sin 90 * z
    EXPECT_EQ(f.v.Points(1).Depth, 4);   // -sin 90 * y

    // A raster size of 8 doubles the picture, and stays for later loads.
    f.v.SetXRotation(0);
    f.v.SetModellItemsList({QStringLiteral("RASTERSIZE 8"), QStringLiteral("P 4,-4,4")});
    EXPECT_EQ(f.v.Points(0).ScreenX, 8);
    f.v.SetModellItemsList({QStringLiteral("P 4,-4,4")});
    EXPECT_EQ(f.v.RasterSize(), 8.0L);
    EXPECT_EQ(f.v.Points(0).ScreenX, 8);

    // Zoom 0 puts every point on the origin.
    f.v.SetZoom(0);
    EXPECT_EQ(f.v.Points(0).ScreenX, 0);
    EXPECT_EQ(f.v.Points(0).ScreenY, 0);
}

TEST(JX3D, APointAtTheEyeMovesTheEyeBack)
{
    TFlat f;
    f.v.SetModellItemsList({QStringLiteral("P 0,0,150"), QStringLiteral("P 10,0,0")});
    f.v.SetPerspective(100);
    EXPECT_EQ(f.v.Perspective(), 151); // the first value that leaves the point in front
    EXPECT_EQ(f.v.Points(1).ScreenX, 10);
    // Nothing can reach a parallel eye.
    f.v.SetModellItemsList({QStringLiteral("P 0,0,5000")});
    f.v.SetPerspective(300);
    EXPECT_EQ(f.v.Perspective(), 1000);
}

TEST(JX3D, SetterRangesAndTheRotationTimer)
{
    TJX3D v;
    v.SetPerspective(50);
    EXPECT_EQ(v.Perspective(), 100);
    v.SetZoom(150);
    EXPECT_EQ(v.Zoom(), 100);
    v.SetZoom(-3);
    EXPECT_EQ(v.Zoom(), 0);
    v.SetXRotation(400);
    EXPECT_EQ(v.XRotation(), 360);
    v.SetZRotation(-1);
    EXPECT_EQ(v.ZRotation(), 0);

    v.SetInterval(5);
    EXPECT_EQ(v.Interval(), 20);
    EXPECT_TRUE(v.Timer()->Active());
    v.SetInterval(-5);
    EXPECT_EQ(v.Interval(), 0);
    EXPECT_FALSE(v.Timer()->Active());

    v.SetInterval(40);
    v.SetYRotation(344);
    const int expected[] = {352, 360, 1, 9};
    for (int y : expected) {
        v.Timer()->Tick();
        EXPECT_EQ(v.YRotation(), y);
        EXPECT_TRUE(v.Timer()->Active());
    }
    v.SetInterval(0);
    EXPECT_FALSE(v.Timer()->Active());
}

TEST(JX3D, DrawsLinesCirclesAndFacingPolygonsOverTheBackground)
{
    TFlat f;
    f.v.SetBounds(0, 0, 64, 64); // 4 pixels per unit
    f.v.SetModellItemsList({QStringLiteral("P -4,-4,0"), QStringLiteral("P 4,-4,0"),
                            QStringLiteral("P 4,4,0"), QStringLiteral("P -4,4,0"),
                            QStringLiteral("NEWCOLOR clRed"), QStringLiteral("F 4,0,1,2,3"),
                            QStringLiteral("NEWCOLOR clLime"), QStringLiteral("L 2,0,1"),
                            QStringLiteral("NEWCOLOR clBlue"), QStringLiteral("P 0,0,0"),
                            QStringLiteral("C 4,0.2")});
    EXPECT_EQ(f.v.XPosition(), 32);
    f.v.SetZoom(50); // 2 pixels per unit; circles of 50 x 0.2 = 10 pixels
    f.v.SetShowPolygons(false);
    f.v.Repaint();
    const QImage &s = f.v.Surface();
    EXPECT_EQ(PixelAt(s, 0, 0), clBlack);
    const auto lime = InkOf(s, clLime);
    EXPECT_EQ(lime.Top, 24);
    EXPECT_EQ(lime.Bottom, 24);
    EXPECT_EQ(lime.Left, 24);
    const auto blue = InkOf(s, clBlue);
    EXPECT_EQ(blue.Left, 27);
    EXPECT_EQ(blue.Right, 36);
    EXPECT_EQ(blue.Top, 27);

    // Polygons come last and cover lines and circles.
    f.v.SetShowPolygons(true);
    f.v.Repaint();
    EXPECT_EQ(InkOf(f.v.Surface(), clRed).Left, 24);
    EXPECT_EQ(InkOf(f.v.Surface(), clRed).Bottom, 40); // the outline takes the corner pixel
    EXPECT_EQ(CountColor(f.v.Surface(), clBlue, 0, 0, 64, 64), 0);
    EXPECT_EQ(CountColor(f.v.Surface(), clLime, 0, 0, 64, 64), 0);

    // Turned half round, the face shows its back and is not drawn.
    f.v.SetYRotation(180);
    f.v.SetShowCircles(false);
    f.v.Repaint();
    EXPECT_EQ(CountColor(f.v.Surface(), clRed, 0, 0, 64, 64), 0);
    EXPECT_GT(CountColor(f.v.Surface(), clLime, 0, 0, 64, 64), 0);
    f.v.SetShowLines(false);
    f.v.Repaint();
    EXPECT_EQ(CountColor(f.v.Surface(), clLime, 0, 0, 64, 64), 0);

    // A background picture is stretched over the whole control.
    TBitmap picture(2, 2);
    picture.Canvas()->FillSolid(Rect(0, 0, 2, 2), clNavy);
    f.v.SetPicture(&picture);
    f.v.Repaint();
    EXPECT_EQ(CountColor(f.v.Surface(), clNavy, 0, 0, 64, 64), 64 * 64);
    f.v.SetShowPicture(false);
    f.v.SetPointCaption(true);
    f.v.Repaint();
    EXPECT_EQ(CountColor(f.v.Surface(), clNavy, 0, 0, 64, 64), 0);
    EXPECT_GT(CountColor(f.v.Surface(), clWhite, 0, 0, 64, 64), 0); // numbers of points at depth 0
}

TEST(JX3D, NothingIsDrawnBeforeTheFirstPaint)
{
    TJX3D v;
    v.Canvas()->FillSolid(Rect(0, 0, 100, 100), clWhite);
    v.SetYRotation(10); // recomputes and would redraw
    EXPECT_EQ(CountColor(v.Surface(), clWhite, 0, 0, 100, 100), 100 * 100);
    v.Repaint();
    EXPECT_GT(CountColor(v.Surface(), clYellow, 0, 0, 100, 100), 20);
    EXPECT_EQ(CountColor(v.Surface(), clWhite, 0, 0, 100, 100), 0);
}

TEST(JX3D, LoadFromFileReadsTheSameFormatAndIgnoresMissingFiles)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("tri.3d"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(
        "; a triangle\r\nP 0,0,0\r\nP 1,0,0\r\nP 0,1,0\r\nF 3,0,1,2\r\nP q,0,0\r\nP 5,5,5\r\n");
    file.close();

    TJX3D v;
    v.SetBounds(0, 0, 90, 70);
    v.LoadFromFile(dir.filePath(QStringLiteral("missing.3d")));
    EXPECT_EQ(v.PointCount(), 8); // the default cube stays
    v.LoadFromFile(path);
    EXPECT_EQ(v.PointCount(), 3);
    EXPECT_EQ(v.PolygonCount(), 1);
    EXPECT_EQ(v.XPosition(), 45);
    EXPECT_EQ(v.ModellItems()->Count(), 0);
    EXPECT_EQ(Dialogs()->Texts(), QStringList({QStringLiteral("JX3d - Fehler in Zeile :P q,0,0")}));
}

TEST(JX3D, ExampleModelsLoadWithoutComplaint)
{
    const QDir models(QStringLiteral(JXT_TEST_DATA_DIR "/../../examples/models"));
    const QStringList files = models.entryList({QStringLiteral("*.3d")}, QDir::Files);
    ASSERT_GE(files.size(), 2);
    for (const QString &name : files) {
        Dialogs()->Clear();
        const int beeps = platform::MessageBeepCount();
        TJX3D v;
        v.SetBounds(0, 0, 200, 200);
        v.LoadFromFile(models.filePath(name));
        EXPECT_TRUE(Dialogs()->Shown().empty()) << name.toStdString();
        EXPECT_EQ(platform::MessageBeepCount(), beeps) << name.toStdString();
        EXPECT_GT(v.PointCount(), 4) << name.toStdString();
        v.Repaint();
        EXPECT_LT(CountColor(v.Surface(), clBlack, 0, 0, 200, 200), 200 * 200 - 100)
            << name.toStdString();
    }
}

// A form's first show loads what came from streaming (marked as loading, as the widget
// classes of .ui files do), never a control made in code: that one keeps its model and
// position.
TEST(JX3D, TheFirstShowOfAFormKeepsWhatCodeGave)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("tri.3d"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("P 0,0,0\r\nP 1,0,0\r\nP 0,1,0\r\n");
    file.close();

    TForm form;
    form.SetBounds(0, 0, 300, 200);
    auto *coded = new TJX3D(&form);
    coded->SetParent(&form);
    coded->SetBounds(0, 0, 100, 100);
    coded->LoadFromFile(path);
    coded->SetXPosition(60);
    auto *streamed = new TJX3D(&form);
    streamed->BeginLoading();
    streamed->SetParent(&form);
    streamed->SetBounds(100, 0, 100, 100);
    streamed->LoadFromFile(path);
    streamed->SetXPosition(60);
    form.Show();
    QCoreApplication::processEvents();
    EXPECT_EQ(coded->PointCount(), 3);
    EXPECT_EQ(coded->XPosition(), 60);
    EXPECT_FALSE(coded->LoadedDone());
    // The streamed one is loaded from its (empty) stored model: the default cube, centred.
    EXPECT_TRUE(streamed->LoadedDone());
    EXPECT_EQ(streamed->PointCount(), 8);
    EXPECT_EQ(streamed->XPosition(), 50);
    form.Hide();
}

// Assigning nil clears the background picture in place: a pointer kept to it stays valid.
TEST(JX3D, NilClearsThePictureInPlace)
{
    TJX3D v;
    TBitmap picture(8, 8);
    v.SetPicture(&picture);
    TBitmap *kept = v.Picture();
    EXPECT_EQ(kept->Width(), 8);
    v.SetPicture(nullptr);
    EXPECT_EQ(v.Picture(), kept);
    EXPECT_TRUE(kept->Empty());
}

// Screen coordinates are 32-bit: a point far outside the control keeps its place, so a line
// towards it leaves the control at its true slope (here 1.5, not 1 as at a 16-bit limit).
TEST(JX3D, FarPointsKeepTheirThirtyTwoBitCoordinates)
{
    TFlat f;
    f.v.SetModellItemsList({QStringLiteral("RASTERSIZE 0.01"), QStringLiteral("P 0,0,0"),
                            QStringLiteral("P 25,37.5,0"), QStringLiteral("NEWCOLOR clLime"),
                            QStringLiteral("L 2,0,1")});
    EXPECT_EQ(f.v.Points(1).ScreenX, 40000);
    EXPECT_EQ(f.v.Points(1).ScreenY, 60000);
    f.v.Repaint();
    const auto lime = InkOf(f.v.Surface(), clLime);
    EXPECT_EQ(lime.Top, 8);
    EXPECT_EQ(lime.Bottom, 15);
    EXPECT_EQ(lime.Left, 8);
    EXPECT_GE(lime.Right, 12); // 8 + 7 / 1.5
    EXPECT_LE(lime.Right, 13);
}
