// SPDX-License-Identifier: MIT
// Shared helpers of the test programs.
#pragma once

#include <QDir>
#include <QImage>
#include <QString>
#include <QTemporaryDir>

#include <climits>

namespace jxt {
class TScriptedDialogs;
}

namespace jxt::test {

/// Installs a TScriptedDialogs as the dialog service of the test program, so no test can
/// wait for a person, and clears its record and Responder before every test.
void InstallScriptedDialogs();

/// The scripted dialog service in use (the one InstallScriptedDialogs installed, or one a
/// test installed itself); nullptr if a test installed another kind of service.
TScriptedDialogs *Dialogs();

/// Sets the palette of the classic desktop colours (button face 0xC0C0C0, window white,
/// window text black, ...) and the application font, so pixel tests do not depend on the
/// machine.
void InstallFixedEnvironment();

/// The pixel at (x, y) of image as 0x00BBGGRR. These readers take coordinates in logical
/// pixels: on an image with a device pixel ratio (a control's surface on a scaled screen)
/// they read the first device pixel of each logical pixel's block.
int PixelAt(const QImage &image, int x, int y);

/// The size of image in logical pixels (its size at a device pixel ratio of 1).
QSize LogicalSize(const QImage &image);

/// Number of pixels of colour (0x00BBGGRR) in the rectangle [x1,x2) x [y1,y2) of image.
int CountColor(const QImage &image, int color, int x1, int y1, int x2, int y2);

/// Bounding box (inclusive) and pixel count of one colour (0x00BBGGRR) in an image; Right
/// and Bottom stay -1 and Left and Top INT_MAX when the colour does not occur.
struct TInk
{
    int Left = INT_MAX;
    int Top = INT_MAX;
    int Right = -1;
    int Bottom = -1;
    int Count = 0;
};
TInk InkOf(const QImage &image, int color);

} // namespace jxt::test
