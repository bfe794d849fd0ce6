// SPDX-License-Identifier: MIT
// Jxutil: graphics and sound helpers. Pictures and icons loaded from files, pictures fitted
// proportionally into rectangles, a shadow colour, a form placed on the screen, and the
// 44-byte header of wave files read and written.
#pragma once

#include "base/Export.h"
#include "host/graphics/Graphics.h"
#include "platform/WavHeader.h"

#include <QString>

#include <cstdint>

namespace jxt {

class TForm;
using TReal48 = platform::TReal48;

/// What jxtGetWavInfo reads from a wave header.
struct JXT_EXPORT TWavInfo
{
    std::int32_t RiffID = 0;   ///< the first four bytes ("RIFF" for a wave file)
    std::int32_t RiffSize = 0; ///< the RIFF size field (bytes 4 to 7)
    /// The format fields of the header, as stored (see platform::TWavHeader).
    //!@{
    std::uint16_t FormatTag = 0;
    std::uint16_t Channels = 0;
    std::int32_t SamplesPerSec = 0;
    std::int32_t AvgBytesPerSec = 0;
    std::uint16_t BlockAlign = 0;
    std::uint16_t BitsPerSample = 0;
    //!@}
    TReal48 PlayTime; ///< playing time in seconds
};

/// Number of colours of the canvas's device: -1 for devices of more than 8 bits per pixel
/// (every bitmap and control surface), 2^depth for palette devices, 0 without a device.
JXT_EXPORT int jxtGetNumColors(const TCanvas *canvas);

/// ColorB moved a fifth of the way towards ColorA and lightened by 2, per channel (taken as
/// the raw bytes of the values, each result kept to 8 bits): white over black gives
/// RGB(53, 53, 53).
JXT_EXPORT TColor jxtGetShadowColor(TColor colorA, TColor colorB);

/// Number of icons in a file: 1 for an icon file, the icon groups of a program or library
/// (PE or NE), 0 for any other or a missing file.
JXT_EXPORT int jxtGetIconCount(const QString &fileName);

/// A new bitmap of a picture file, owned by the caller:
/// * a missing file, or an extension other than those below: an empty bitmap;
/// * .ICO, .EXE, .DLL, .ICL: the icon of index iconIndex drawn on a 32 x 32 bitmap, or
///   nullptr when the file has no such icon (a negative index has none);
/// * .BMP, .JPG, .GIF: the picture at its own size, or nullptr when it cannot be read.
/// Only regular files are read; no error escapes.
JXT_EXPORT TBitmap *jxtGetBitmapFromFile(const QString &fileName, int iconIndex);

/// Draws both diagonals of the bitmap, (0,0)-(w,h) and (w,0)-(0,h), in color with the
/// canvas's pen width.
JXT_EXPORT void jxtDrawCross(TBitmap *bitmap, TColor color);

/// Draws graphic stretched to the largest size of its aspect ratio that fits rect, centred
/// in rect. Nothing for a missing or empty graphic.
JXT_EXPORT void jxtStretchPropDraw(const TGraphic *graphic, const TRect &rect, TCanvas *canvas);

/// Resizes bitmap to the largest size of graphic's aspect ratio that fits rect and stretches
/// the graphic over it (at (0, 0), not centred). Nothing for a missing or empty graphic.
JXT_EXPORT void jxtZoomInRect(const TGraphic *graphic, const TRect &rect, TBitmap *bitmap);

/// A new icon, owned by the caller: the desktop's icon for the file's type, 32 x 32 when
/// large, else 16 x 16; empty for a missing file.
JXT_EXPORT TIcon *jxtGetFileIcon(const QString &fileName, bool large);

/// Places the form on the screen: 0 centre, 1 top left, 2 top centre, 3 top right, 4 centre
/// left, 5 centre right, 6 bottom left, 7 bottom centre, 8 bottom right (the edges at 1, not
/// 0, on the left and top). Other values leave the form where it is.
JXT_EXPORT void jxtFormPos(TForm *form, int position);

/// Reads the 44-byte wave header. When its form type is "WAVE", the RIFF size exceeds the
/// header by more than 50 bytes and the byte rate is not 0, info receives the fields and
/// the playing time; otherwise info is left unchanged. Throws EInOutError when the file
/// cannot be opened or is shorter than 44 bytes.
JXT_EXPORT void jxtGetWavInfo(const QString &fileName, TWavInfo &info);

/// The playing time of a wave file in seconds, or -1.0 when its header is not a usable
/// RIFF wave header. Throws as jxtGetWavInfo.
JXT_EXPORT long double jxtGetWavPlayTime(const QString &fileName);

/// Writes the fixed header of a stereo 44.1 kHz MPEG Layer-3 stream over the first 44 bytes
/// of an existing file, its RIFF size the file size minus 44 (0 for shorter files); the rest
/// of the file is not touched. False, changing nothing, for a missing file; throws
/// EInOutError when the file cannot be written.
JXT_EXPORT bool jxtAddWAVHeader(const QString &fileName);

} // namespace jxt
