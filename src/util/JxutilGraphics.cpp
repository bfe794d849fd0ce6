// SPDX-License-Identifier: MIT
#include "util/JxutilGraphics.h"

#include "host/controls/Forms.h"
#include "platform/Files.h"
#include "platform/Icons.h"
#include "platform/Paths.h"
#include "platform/RegularFile.h"

#include <QBuffer>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QIcon>
#include <QImageReader>

#include <memory>

namespace jxt {

namespace {

// Pictures larger than this are not decoded: a hostile header must not make us allocate
// gigabytes.
constexpr int kMaxPictureSide = 32768;
constexpr qint64 kMaxPicturePixels = 64LL * 1024 * 1024;
constexpr qint64 kMaxPictureFileBytes = 512LL * 1024 * 1024;

/// Decodes a picture file of the given format; null when it cannot be read or is too large.
QImage ReadPicture(const QString &fileName, const QByteArray &format)
{
    QByteArray data;
    if (platform::ReadRegularFile(fileName, data, kMaxPictureFileBytes) !=
        platform::TFileAccess::Ok)
        return QImage();
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, format);
    reader.setDecideFormatFromContent(false);
    reader.setAutoTransform(false);
    const QSize size = reader.size();
    if (!size.isValid() || size.width() > kMaxPictureSide || size.height() > kMaxPictureSide ||
        qint64(size.width()) * size.height() > kMaxPicturePixels)
        return QImage();
    QImage image;
    if (!reader.read(&image) || image.isNull())
        return QImage();
    return image;
}

/// Target size of a picture fitted into rw x rh with its aspect ratio: full width first,
/// then full height when that is too tall. Computed in 64 bits.
void FitSize(const TGraphic *graphic, int rw, int rh, int &w, int &h)
{
    const qint64 gw = graphic->Width(), gh = graphic->Height();
    qint64 th = gh * rw / gw, tw = rw;
    if (rh < th) {
        th = rh;
        tw = gw * rh / gh;
    }
    w = int(tw);
    h = int(th);
}

bool Drawable(const TGraphic *graphic)
{
    return graphic && qint64(graphic->Width()) * graphic->Height() != 0;
}

void CheckAccess(platform::TFileAccess access, const QString &fileName, const QString &what)
{
    if (access != platform::TFileAccess::Ok)
        throw EInOutError(QStringLiteral("Cannot %1 \"%2\"").arg(what, fileName),
                          access == platform::TFileAccess::Missing ? 2 : 5);
}

} // namespace

int jxtGetNumColors(const TCanvas *canvas)
{
    if (!canvas || !canvas->Device() || canvas->Device()->isNull())
        return 0;
    const int depth = canvas->Device()->depth();
    return depth > 8 ? -1 : 1 << depth;
}

TColor jxtGetShadowColor(TColor colorA, TColor colorB)
{
    auto channel = [&](int shift) {
        const int a = (colorA >> shift) & 0xFF, b = (colorB >> shift) & 0xFF;
        return (b + (a - b) / 5 + 2) & 0xFF;
    };
    return RGB(channel(0), channel(8), channel(16));
}

int jxtGetIconCount(const QString &fileName)
{
    return platform::FileIconCount(fileName);
}

TBitmap *jxtGetBitmapFromFile(const QString &fileName, int iconIndex)
{
    auto bitmap = std::make_unique<TBitmap>();
    if (!platform::FileExists(fileName))
        return bitmap.release();
    const QString ext = platform::ExtractFileExt(fileName).toUpper();
    try {
        if (ext == QLatin1String(".ICO") || ext == QLatin1String(".EXE") ||
            ext == QLatin1String(".DLL") || ext == QLatin1String(".ICL")) {
            const QImage icon = platform::FileIcon(fileName, iconIndex, 32);
            if (icon.isNull())
                return nullptr;
            TIcon graphic;
            graphic.SetImage(icon);
            bitmap->SetSize(32, 32);
            bitmap->Canvas()->Draw(0, 0, &graphic);
        } else if (ext == QLatin1String(".BMP") || ext == QLatin1String(".JPG") ||
                   ext == QLatin1String(".GIF")) {
            const QByteArray format = ext == QLatin1String(".BMP")   ? QByteArray("bmp")
                                      : ext == QLatin1String(".JPG") ? QByteArray("jpeg")
                                                                     : QByteArray("gif");
            const QImage image = ReadPicture(fileName, format);
            if (image.isNull())
                return nullptr;
            bitmap->SetImage(image);
        }
    } catch (const std::exception &) {
        return nullptr;
    }
    return bitmap.release();
}

void jxtDrawCross(TBitmap *bitmap, TColor color)
{
    if (!bitmap)
        return;
    TCanvas *canvas = bitmap->Canvas();
    canvas->Pen()->SetColor(color);
    const int w = bitmap->Width(), h = bitmap->Height();
    canvas->MoveTo(0, 0);
    canvas->LineTo(w, h);
    canvas->MoveTo(w, 0);
    canvas->LineTo(0, h);
}

void jxtStretchPropDraw(const TGraphic *graphic, const TRect &rect, TCanvas *canvas)
{
    if (!Drawable(graphic) || !canvas)
        return;
    const int rw = rect.Right - rect.Left, rh = rect.Bottom - rect.Top;
    int w, h;
    FitSize(graphic, rw, rh, w, h);
    const int left = rect.Left + (rw - w) / 2;
    const int top = rect.Top + (rh - h) / 2;
    canvas->StretchDraw(Rect(left, top, left + w, top + h), graphic);
}

void jxtZoomInRect(const TGraphic *graphic, const TRect &rect, TBitmap *bitmap)
{
    if (!Drawable(graphic) || !bitmap)
        return;
    int w, h;
    FitSize(graphic, rect.Right - rect.Left, rect.Bottom - rect.Top, w, h);
    bitmap->SetWidth(w);
    bitmap->SetHeight(h);
    bitmap->Canvas()->StretchDraw(Rect(0, 0, w, h), graphic);
}

TIcon *jxtGetFileIcon(const QString &fileName, bool large)
{
    auto icon = std::make_unique<TIcon>();
    const QString host = platform::ToHostPath(fileName);
    const QFileInfo info(host);
    if (host.isEmpty() || !info.exists())
        return icon.release();
    const int size = large ? 32 : 16;
    const QIcon desktop = QFileIconProvider().icon(info);
    QImage image = desktop.pixmap(size, size).toImage();
    if (!image.isNull() && image.size() != QSize(size, size))
        image = image.scaled(size, size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    if (!image.isNull())
        icon->SetImage(image);
    return icon.release();
}

void jxtFormPos(TForm *form, int position)
{
    if (!form)
        return;
    const int sw = Screen()->Width(), sh = Screen()->Height();
    const int cx = (sw - form->Width()) / 2, cy = (sh - form->Height()) / 2;
    const int rx = sw - form->Width(), by = sh - form->Height();
    static const struct
    {
        char x, y; // 'c' centre, '1' one, 'r' right / bottom edge
    } places[] = {{'c', 'c'}, {'1', '1'}, {'c', '1'}, {'r', '1'}, {'1', 'c'},
                  {'r', 'c'}, {'1', 'r'}, {'c', 'r'}, {'r', 'r'}};
    if (position < 0 || position > 8)
        return;
    const auto &p = places[position];
    const int left = p.x == 'c' ? cx : p.x == '1' ? 1 : rx;
    const int top = p.y == 'c' ? cy : p.y == '1' ? 1 : by;
    form->SetBounds(left, top, form->Width(), form->Height());
}

void jxtGetWavInfo(const QString &fileName, TWavInfo &info)
{
    QByteArray data;
    CheckAccess(platform::ReadRegularFileHead(fileName, data, platform::kWavHeaderSize), fileName,
                QStringLiteral("read"));
    platform::TWavHeader header;
    if (!platform::ParseWavHeader(data, header))
        throw EInOutError(QStringLiteral("Read beyond end of file \"%1\"").arg(fileName), 38);
    if (!platform::IsUsableWavHeader(header))
        return;
    info.RiffID = std::int32_t(header.RiffID);
    info.RiffSize = header.RiffSize;
    info.FormatTag = header.FormatTag;
    info.Channels = header.Channels;
    info.SamplesPerSec = header.SamplesPerSec;
    info.AvgBytesPerSec = header.AvgBytesPerSec;
    info.BlockAlign = header.BlockAlign;
    info.BitsPerSample = header.BitsPerSample;
    info.PlayTime = TReal48(platform::WavPlayTime(header));
}

long double jxtGetWavPlayTime(const QString &fileName)
{
    TWavInfo info;
    info.RiffID = 0;
    jxtGetWavInfo(fileName, info);
    if (std::uint32_t(info.RiffID) == platform::FourCC("RIFF"))
        return info.PlayTime.ToDouble();
    return -1.0L;
}

bool jxtAddWAVHeader(const QString &fileName)
{
    const qint64 size = platform::RegularFileSize(fileName);
    if (size < 0) {
        if (!platform::FileExists(fileName))
            return false;
        throw EInOutError(QStringLiteral("Cannot write \"%1\"").arg(fileName), 5);
    }
    platform::TWavHeader h;
    h.RiffID = platform::FourCC("RIFF");
    // The RIFF size field holds the bytes after the header; a file shorter than the header
    // (or beyond the 32-bit range) gets the nearest value that can be stored.
    h.RiffSize = std::int32_t(std::clamp<qint64>(size - platform::kWavHeaderSize, 0, INT32_MAX));
    h.FormType = platform::FourCC("WAVE");
    h.FmtID = platform::FourCC("fmt ");
    h.FmtSize = 16;
    h.FormatTag = 85;
    h.Channels = 2;
    h.SamplesPerSec = 44100;
    h.AvgBytesPerSec = 14000;
    h.BlockAlign = 1;
    h.BitsPerSample = 16;
    h.DataID = platform::FourCC("data");
    h.DataSize = 300000;
    CheckAccess(platform::WriteRegularFileAt(fileName, 0, platform::WavHeaderBytes(h)), fileName,
                QStringLiteral("write"));
    return true;
}

} // namespace jxt
