// SPDX-License-Identifier: MIT
#include "TestSupport.h"

#include <cmath>

#include "host/controls/Dialogs.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFont>
#include <QPalette>

#include <algorithm>

namespace jxt::test {

void InstallFixedEnvironment()
{
    QPalette p;
    const QColor face(0xC0, 0xC0, 0xC0);
    p.setColor(QPalette::Window, face);
    p.setColor(QPalette::Button, face);
    p.setColor(QPalette::Base, Qt::white);
    p.setColor(QPalette::Text, Qt::black);
    p.setColor(QPalette::WindowText, Qt::black);
    p.setColor(QPalette::ButtonText, Qt::black);
    p.setColor(QPalette::Light, Qt::white);
    p.setColor(QPalette::Midlight, QColor(0xDF, 0xDF, 0xDF));
    p.setColor(QPalette::Mid, QColor(0x80, 0x80, 0x80));
    p.setColor(QPalette::Dark, QColor(0x80, 0x80, 0x80));
    p.setColor(QPalette::Shadow, Qt::black);
    p.setColor(QPalette::Highlight, QColor(0x00, 0x00, 0x80));
    p.setColor(QPalette::HighlightedText, Qt::white);
    p.setColor(QPalette::ToolTipBase, QColor(0xFF, 0xFF, 0xE1));
    p.setColor(QPalette::ToolTipText, Qt::black);
    p.setColor(QPalette::PlaceholderText, QColor(0x80, 0x80, 0x80));
    QApplication::setPalette(p);
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(11);
    QApplication::setFont(font);
}

namespace {

/// Starts every test with an empty record and no Responder.
class TResetDialogs : public ::testing::EmptyTestEventListener
{
    void OnTestStart(const ::testing::TestInfo &) override
    {
        if (TScriptedDialogs *dialogs = Dialogs()) {
            dialogs->Clear();
            dialogs->Responder = nullptr;
        }
    }
};

} // namespace

void InstallScriptedDialogs()
{
    SetDialogService(std::make_unique<TScriptedDialogs>());
    ::testing::UnitTest::GetInstance()->listeners().Append(new TResetDialogs);
}

TScriptedDialogs *Dialogs()
{
    return dynamic_cast<TScriptedDialogs *>(DialogService());
}

namespace {

// A surface kept at a device pixel ratio is read in logical pixels: each is a block of device
// pixels starting at (Edge(x), Edge(y)), as the canvas lays them out.
int Edge(const QImage &image, int v)
{
    const double ratio = image.devicePixelRatio();
    return ratio > 1.0 ? int(std::floor(v * ratio + 0.5)) : v;
}

int LogicalExtent(const QImage &image, int n)
{
    const double ratio = image.devicePixelRatio();
    return ratio > 1.0 ? int(std::lround(n / ratio)) : n;
}

} // namespace

QSize LogicalSize(const QImage &image)
{
    return QSize(LogicalExtent(image, image.width()), LogicalExtent(image, image.height()));
}

int PixelAt(const QImage &image, int x, int y)
{
    const QRgb c = image.pixel(Edge(image, x), Edge(image, y));
    return qRed(c) | (qGreen(c) << 8) | (qBlue(c) << 16);
}

int CountColor(const QImage &image, int color, int x1, int y1, int x2, int y2)
{
    int n = 0;
    for (int y = y1; y < y2; ++y)
        for (int x = x1; x < x2; ++x)
            if (PixelAt(image, x, y) == color)
                ++n;
    return n;
}

TInk InkOf(const QImage &image, int color)
{
    TInk ink;
    const int w = LogicalExtent(image, image.width()), h = LogicalExtent(image, image.height());
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (PixelAt(image, x, y) == color) {
                ink.Left = std::min(ink.Left, x);
                ink.Right = std::max(ink.Right, x);
                ink.Top = std::min(ink.Top, y);
                ink.Bottom = std::max(ink.Bottom, y);
                ++ink.Count;
            }
    return ink;
}

} // namespace jxt::test
