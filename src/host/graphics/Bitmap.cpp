// SPDX-License-Identifier: MIT
// The image classes: TBitmap (BMP files, library resources), TIcon, TMetafile and TPicture.
#include "host/graphics/CanvasRaster.h"
#include "host/graphics/Graphics.h"

#include "platform/RegularFile.h"
#include "platform/Transfer.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QImageWriter>
#include <QPainter>
#include <QTextLayout>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <new>

namespace jxt {

namespace {

// Images larger than this are refused when read from files: a hostile header must not make
// us allocate gigabytes.
constexpr int kMaxImageSide = 32768;
constexpr long long kMaxImagePixels = 64LL * 1024 * 1024;

/// The bytes of a picture file (Windows or host path). Only a regular file of at most
/// TGraphic::kMaxFileSize bytes is read: a FIFO, socket or device (which could block or
/// never end) and a larger file are refused before a byte is read.
QByteArray ReadPictureFile(const QString &fileName, const QString &kind)
{
    QByteArray data;
    platform::TFileAccess status;
    try {
        status = platform::ReadRegularFile(fileName, data, TGraphic::kMaxFileSize);
    } catch (const std::bad_alloc &) {
        throw EInOutError(
            QStringLiteral("Cannot read %1 file \"%2\": not enough memory").arg(kind, fileName),
            ENOMEM);
    }
    switch (status) {
    case platform::TFileAccess::Ok: return data;
    case platform::TFileAccess::Missing:
        throw EInOutError(
            QStringLiteral("Cannot open %1 file \"%2\": no such file").arg(kind, fileName), ENOENT);
    case platform::TFileAccess::NotRegular:
        throw EInOutError(
            QStringLiteral("Cannot open %1 file \"%2\": not a file").arg(kind, fileName), EINVAL);
    case platform::TFileAccess::TooLarge:
        throw EInOutError(
            QStringLiteral("Cannot open %1 file \"%2\": the file is too large").arg(kind, fileName),
            EFBIG);
    default:
        throw EInOutError(
            QStringLiteral("Cannot read %1 file \"%2\": read error").arg(kind, fileName), EIO);
    }
}

/// Decodes a picture from bytes; `name` names it in messages.
QImage DecodeImage(const QByteArray &data, const QByteArray &format, const QString &kind,
                   const QString &name)
{
    QBuffer buffer;
    buffer.setData(data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, format);
    reader.setDecideFormatFromContent(format.isEmpty());
    reader.setAutoTransform(false);
    const QSize size = reader.size();
    if (size.isValid() && (size.width() > kMaxImageSide || size.height() > kMaxImageSide ||
                           (long long)size.width() * size.height() > kMaxImagePixels))
        throw EInOutError(QStringLiteral("The %1 file \"%2\" is too large (%3 x %4 pixels)")
                              .arg(kind, name)
                              .arg(size.width())
                              .arg(size.height()));
    QImage image;
    if (!reader.read(&image) || image.isNull())
        throw EInOutError(
            QStringLiteral("Cannot read %1 file \"%2\": %3").arg(kind, name, reader.errorString()));
    return image;
}

QImage ReadImage(const QString &fileName, const QByteArray &format, const QString &kind)
{
    return DecodeImage(ReadPictureFile(fileName, kind), format, kind, fileName);
}

/// Writes the bytes of a picture file whole or not at all: under a temporary name, every
/// write checked, renamed into place when complete (an old file keeps its permissions and
/// owner, a link is written through; see platform/Transfer.h). On any failure, a full disk
/// included, the old file stays as it was and EInOutError is raised.
void WritePictureFile(const QString &fileName, const QByteArray &bytes, const QString &kind)
{
    const int error = platform::WriteFileAtomically(fileName, bytes);
    if (error != 0)
        throw EInOutError(QStringLiteral("Cannot write %1 file \"%2\": %3")
                              .arg(kind, fileName, QString::fromLocal8Bit(std::strerror(error))),
                          error);
}

void WriteImage(const QImage &image, const QString &fileName, const QByteArray &format,
                const QString &kind)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    if (image.isNull() || !writer.write(image))
        throw EInOutError(QStringLiteral("Cannot write %1 file \"%2\": %3")
                              .arg(kind, fileName, writer.errorString()));
    WritePictureFile(fileName, bytes, kind);
}

QImage ToRgb32(const QImage &image)
{
    if (image.isNull())
        return QImage();
    if (image.format() == QImage::Format_RGB32)
        return image;
    if (image.hasAlphaChannel()) {
        // Transparent parts become white, as they show on a white page.
        QImage flat(image.size(), QImage::Format_RGB32);
        flat.fill(Qt::white);
        QPainter painter(&flat);
        painter.drawImage(0, 0, image);
        return flat;
    }
    return image.convertToFormat(QImage::Format_RGB32);
}

} // namespace

// --- TGraphic -----------------------------------------------------------------------------------

void TGraphic::Changed()
{
    if (OnChange)
        OnChange(this);
}

// --- TBitmap -----------------------------------------------------------------------------------

TBitmap::TBitmap() = default;

TBitmap::TBitmap(int width, int height)
{
    SetSize(width, height);
}

TBitmap::~TBitmap() = default;

void TBitmap::SetWidth(int w)
{
    SetSize(w, Height());
}

void TBitmap::SetHeight(int h)
{
    SetSize(Width(), h);
}

void TBitmap::SetSize(int w, int h)
{
    w = std::max(w, 0);
    h = std::max(h, 0);
    if (w == Width() && h == Height() && !m_image.isNull())
        return;
    m_width = w;
    m_height = h;
    if (w == 0 || h == 0) {
        m_image = QImage();
    } else {
        QImage resized(w, h, QImage::Format_RGB32);
        if (resized.isNull())
            throw Exception(
                QStringLiteral("Out of memory for a bitmap of %1 x %2 pixels").arg(w).arg(h));
        resized.fill(Qt::white);
        if (!m_image.isNull()) {
            const int cw = std::min(w, m_image.width()), ch = std::min(h, m_image.height());
            for (int y = 0; y < ch; ++y)
                std::copy_n(reinterpret_cast<const QRgb *>(m_image.constScanLine(y)), cw,
                            reinterpret_cast<QRgb *>(resized.scanLine(y)));
        }
        m_image = resized;
    }
    if (m_canvas)
        m_canvas->SetDevice(&m_image);
    Changed();
}

TCanvas *TBitmap::Canvas()
{
    if (!m_canvas)
        m_canvas = std::make_unique<TCanvas>();
    m_canvas->SetDevice(&m_image);
    return m_canvas.get();
}

void TBitmap::SetImage(const QImage &image)
{
    m_image = ToRgb32(image);
    m_width = m_image.width();
    m_height = m_image.height();
    if (m_canvas)
        m_canvas->SetDevice(&m_image);
    Changed();
}

void TBitmap::LoadFromFile(const QString &fileName)
{
    QImage image = ReadImage(fileName, "bmp", QStringLiteral("bitmap"));
    m_monochrome = image.depth() == 1;
    SetImage(image);
}

void TBitmap::SaveToFile(const QString &fileName) const
{
    if (Empty())
        throw EInOutError(
            QStringLiteral("Cannot write bitmap file \"%1\": the bitmap is empty").arg(fileName));
    const QImage image =
        m_monochrome ? m_image.convertToFormat(QImage::Format_Mono, Qt::ThresholdDither) : m_image;
    WriteImage(image, fileName, "bmp", QStringLiteral("bitmap"));
}

void TBitmap::LoadFromResourceName(const QString &name)
{
    const QString dirPath = QStringLiteral(":/jxt");
    QString path = dirPath + QLatin1Char('/') + name.toUpper() + QStringLiteral(".bmp");
    if (!QFile::exists(path)) {
        // Resource names are case-insensitive.
        path.clear();
        const QString wanted = name + QStringLiteral(".bmp");
        for (const QString &entry : QDir(dirPath).entryList(QDir::Files))
            if (entry.compare(wanted, Qt::CaseInsensitive) == 0)
                path = dirPath + QLatin1Char('/') + entry;
    }
    if (name.isEmpty() || path.isEmpty())
        throw Exception(QStringLiteral("Bitmap resource \"%1\" not found").arg(name));
    QImage image;
    try {
        QFile resource(path);
        if (!resource.open(QIODevice::ReadOnly))
            throw EInOutError(QStringLiteral("Cannot open bitmap resource \"%1\"").arg(name));
        image = DecodeImage(resource.readAll(), "bmp", QStringLiteral("bitmap resource"), path);
    } catch (const EInOutError &e) {
        throw Exception(e.Message());
    }
    m_monochrome = image.depth() == 1;
    SetImage(image);
}

void TBitmap::DrawOn(TCanvas *canvas, const TRect &r) const
{
    if (!canvas || Empty())
        return;
    // The picture keeps its logical size on a scaled canvas: each of its pixels becomes a
    // block of device pixels.
    const raster::TScale scale = raster::TScale::Of(canvas->Device());
    raster::TTarget target(canvas->Device(), [&] {
        const TRect c = canvas->ClipRect();
        return c.IsEmpty() ? QRect()
                           : scale.ToDevice(
                                 QRect(QPoint(c.Left, c.Top), QPoint(c.Right - 1, c.Bottom - 1)));
    }());
    const raster::TBrushPattern pattern(*canvas->Brush());
    raster::TBlitOptions options;
    options.rop = raster::Rop3Code(canvas->CopyMode());
    options.brush = &pattern;
    options.scale = scale;
    if (m_transparent) {
        options.rop = 0xCC;
        options.hasKey = true;
        options.key = raster::ToPixel(TransparentColor());
    }
    raster::StretchBlit(target, scale.ToDevice(r), m_image, Rect(0, 0, Width(), Height()), options);
}

TColor TBitmap::TransparentColor() const
{
    if (m_transparentMode == tmFixed && m_transparentColor != clDefault)
        return m_transparentColor;
    if (Empty())
        return clNone;
    return raster::FromPixel(m_image.pixel(0, m_image.height() - 1) & 0x00FFFFFF);
}

void TBitmap::SetTransparentColor(TColor c)
{
    m_transparentColor = c;
    m_transparentMode = c == clDefault ? tmAuto : tmFixed;
    Changed();
}

void TBitmap::SetMonochrome(bool m)
{
    if (m == m_monochrome)
        return;
    m_monochrome = m;
    if (m && !m_image.isNull()) {
        // White is the background of a two-colour bitmap; everything else is ink.
        for (int y = 0; y < m_image.height(); ++y) {
            QRgb *line = reinterpret_cast<QRgb *>(m_image.scanLine(y));
            for (int x = 0; x < m_image.width(); ++x)
                line[x] = (line[x] & 0x00FFFFFF) == 0x00FFFFFF ? 0xFFFFFFFFu : 0xFF000000u;
        }
    }
    Changed();
}

void TBitmap::Assign(const TPersistent *source)
{
    if (const auto *bitmap = dynamic_cast<const TBitmap *>(source)) {
        if (bitmap == this)
            return;
        m_image = bitmap->m_image.copy();
        m_width = bitmap->m_width;
        m_height = bitmap->m_height;
        m_transparentColor = bitmap->m_transparentColor;
        m_transparentMode = bitmap->m_transparentMode;
        m_monochrome = bitmap->m_monochrome;
        m_transparent = bitmap->m_transparent;
        if (m_canvas)
            m_canvas->SetDevice(&m_image);
        Changed();
        return;
    }
    if (const auto *graphic = dynamic_cast<const TGraphic *>(source)) {
        // Any other graphic is drawn onto a white bitmap of its size.
        SetSize(0, 0);
        SetSize(graphic->Width(), graphic->Height());
        if (!Empty())
            graphic->DrawOn(Canvas(), Rect(0, 0, Width(), Height()));
        Changed();
        return;
    }
    if (const auto *picture = dynamic_cast<const TPicture *>(source)) {
        if (picture->Graphic())
            Assign(picture->Graphic());
        else
            SetSize(0, 0);
        return;
    }
    TPersistent::Assign(source);
}

void TBitmap::AssignOrClear(const TBitmap *source)
{
    if (source) {
        Assign(source);
        return;
    }
    const TBitmap none;
    Assign(&none);
}

// --- TIcon -------------------------------------------------------------------------------------

void TIcon::LoadFromFile(const QString &fileName)
{
    QBuffer file;
    file.setData(ReadPictureFile(fileName, QStringLiteral("icon")));
    file.open(QIODevice::ReadOnly);
    QImageReader reader(&file);
    reader.setAutoTransform(false);
    // An icon file holds several images; the largest one is kept.
    QImage best;
    const int count = std::clamp(reader.imageCount(), 1, 64);
    for (int i = 0; i < count; ++i) {
        if (i > 0 && !reader.jumpToImage(i))
            break;
        const QSize size = reader.size();
        if (size.isValid() && (size.width() > 1024 || size.height() > 1024))
            continue;
        QImage image;
        if (!reader.read(&image) || image.isNull())
            continue;
        if (best.isNull() ||
            (long long)image.width() * image.height() > (long long)best.width() * best.height())
            best = image;
    }
    if (best.isNull())
        throw EInOutError(
            QStringLiteral("Cannot read icon file \"%1\": %2").arg(fileName, reader.errorString()));
    SetImage(best);
}

void TIcon::SaveToFile(const QString &fileName) const
{
    WriteImage(m_image, fileName,
               QFileInfo(fileName).suffix().compare(QLatin1String("ico"), Qt::CaseInsensitive) == 0
                   ? QByteArray("ico")
                   : QByteArray("png"),
               QStringLiteral("icon"));
}

void TIcon::DrawOn(TCanvas *canvas, const TRect &r) const
{
    if (!canvas || !canvas->Device() || canvas->Device()->isNull() || Empty() || r.IsEmpty())
        return;
    const TRect clip = canvas->ClipRect();
    if (clip.IsEmpty())
        return;
    QPainter painter(canvas->Device());
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.setClipRect(
        QRect(QPoint(clip.Left, clip.Top), QPoint(clip.Right - 1, clip.Bottom - 1)));
    painter.drawImage(QRect(QPoint(r.Left, r.Top), QPoint(r.Right - 1, r.Bottom - 1)), m_image);
}

void TIcon::SetImage(const QImage &image)
{
    m_image = image.isNull() ? QImage() : image.convertToFormat(QImage::Format_ARGB32);
    Changed();
}

void TIcon::Assign(const TPersistent *source)
{
    if (const auto *icon = dynamic_cast<const TIcon *>(source)) {
        if (icon != this)
            SetImage(icon->m_image);
        return;
    }
    if (const auto *bitmap = dynamic_cast<const TBitmap *>(source)) {
        QImage image = bitmap->Image().convertToFormat(QImage::Format_ARGB32);
        if (bitmap->Transparent() && !image.isNull()) {
            const QRgb key = 0xFF000000u | raster::ToPixel(bitmap->TransparentColor());
            for (int y = 0; y < image.height(); ++y) {
                QRgb *line = reinterpret_cast<QRgb *>(image.scanLine(y));
                for (int x = 0; x < image.width(); ++x)
                    if (line[x] == key)
                        line[x] = 0;
            }
        }
        SetImage(image);
        return;
    }
    TPersistent::Assign(source);
}

// --- TMetafile -----------------------------------------------------------------------------------

void TMetafile::LoadFromFile(const QString &fileName)
{
    QBuffer file;
    file.setData(ReadPictureFile(fileName, QStringLiteral("picture")));
    file.open(QIODevice::ReadOnly);
    QPicture picture;
    if (!picture.load(&file) || picture.isNull())
        throw EInOutError(QStringLiteral("Cannot read picture file \"%1\": not a recorded picture")
                              .arg(fileName));
    m_picture = picture;
    m_parts.reset();
    const QRect bounds = m_picture.boundingRect();
    m_width = std::max(0, bounds.right() + 1);
    m_height = std::max(0, bounds.bottom() + 1);
    Changed();
}

void TMetafile::SaveToFile(const QString &fileName) const
{
    QPicture copy = ToPicture();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!copy.save(&buffer))
        throw EInOutError(QStringLiteral("Cannot write picture file \"%1\"").arg(fileName));
    WritePictureFile(fileName, bytes, QStringLiteral("picture"));
}

QPicture TMetafile::ToPicture() const
{
    if (!m_parts)
        return m_picture;
    // Played into a picture, the recording is encoded as the picture's own operations.
    QPicture merged;
    {
        QPainter painter(&merged);
        Play(painter);
    }
    merged.setBoundingRect(QRect(0, 0, m_width, m_height));
    return merged;
}

QPicture &TMetafile::Picture()
{
    if (m_parts) {
        m_picture = ToPicture();
        m_parts.reset();
    }
    return m_picture;
}

void TMetafile::SetParts(std::shared_ptr<const TParts> parts)
{
    m_parts = std::move(parts);
    m_picture = QPicture();
}

const void *TMetafile::RecordingId() const
{
    return m_parts ? static_cast<const void *>(m_parts.get())
                   : static_cast<const void *>(m_picture.data());
}

namespace {

/// Draws one line of text with its top-left corner at topLeft. The text is laid out with the
/// font at the screen's resolution, where it was measured, whatever the device: its glyphs
/// keep the places and widths the recording was made with.
void PlayText(QPainter &painter, const QFont &font, const QPointF &topLeft, const QString &text)
{
    QTextLayout layout(text, font);
    QTextOption option;
    option.setTextDirection(Qt::LeftToRight);
    option.setWrapMode(QTextOption::NoWrap);
    option.setFlags(QTextOption::IncludeTrailingSpaces);
    layout.setTextOption(option);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    if (line.isValid()) {
        line.setLineWidth(0x01000000);
        line.setPosition(QPointF(0, 0));
    }
    layout.endLayout();
    layout.draw(&painter, topLeft);
}

} // namespace

void TMetafile::Play(QPainter &painter) const
{
    if (!m_parts) {
        painter.drawPicture(0, 0, m_picture);
        return;
    }
    // A recording's units are pixels at the screen's resolution, the resolution a QPicture
    // is recorded at; a device of another resolution gets it scaled, as a picture would be.
    QPaintDevice *device = painter.device();
    const QPicture reference;
    const QTransform scale =
        device ? QTransform::fromScale(double(device->logicalDpiX()) / reference.logicalDpiX(),
                                       double(device->logicalDpiY()) / reference.logicalDpiY())
               : QTransform();
    const QTransform base = scale * painter.worldTransform();
    QTransform current; // the recording's own transform of the moment
    const QFont *font = nullptr;
    const TParts &parts = *m_parts;
    painter.save();
    painter.setWorldTransform(base);
    for (const TParts::TOp &op : parts.ops) {
        switch (op.kind) {
        case TParts::SetPen: painter.setPen(parts.pens[op.index]); break;
        case TParts::SetBrush: painter.setBrush(parts.brushes[op.index]); break;
        case TParts::SetFont: font = &parts.fonts[op.index]; break;
        case TParts::SetTransform:
            current = parts.transforms[op.index];
            painter.setWorldTransform(current * base);
            break;
        case TParts::Line:
            painter.drawLine(QLineF(op.geometry.topLeft(), op.geometry.bottomRight()));
            break;
        case TParts::Rect: painter.drawRect(op.geometry); break;
        case TParts::Ellipse: painter.drawEllipse(op.geometry); break;
        case TParts::Fill: painter.fillRect(op.geometry, parts.brushes[op.index]); break;
        case TParts::Text:
            if (font)
                PlayText(painter, *font, op.geometry.topLeft(), parts.texts[op.index]);
            break;
        case TParts::Image: painter.drawImage(op.geometry, parts.images[op.index]); break;
        case TParts::Picture:
            // A picture scales itself to the device: the scale is taken out beneath it.
            painter.setWorldTransform(scale.inverted() * current * base);
            painter.drawPicture(0, 0, parts.pictures[op.index]);
            painter.setWorldTransform(current * base);
            break;
        }
    }
    painter.restore();
}

void TMetafile::DrawOn(TCanvas *canvas, const TRect &r) const
{
    if (!canvas || !canvas->Device() || canvas->Device()->isNull() || Empty() || r.IsEmpty())
        return;
    const TRect clip = canvas->ClipRect();
    if (clip.IsEmpty())
        return;
    const QRect bounds = m_parts ? QRect() : m_picture.boundingRect();
    const int w = m_width > 0 ? m_width : bounds.right() + 1;
    const int h = m_height > 0 ? m_height : bounds.bottom() + 1;
    if (w <= 0 || h <= 0)
        return;
    QPainter painter(canvas->Device());
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setClipRect(
        QRect(QPoint(clip.Left, clip.Top), QPoint(clip.Right - 1, clip.Bottom - 1)));
    painter.translate(r.Left, r.Top);
    painter.scale(double(r.Width()) / w, double(r.Height()) / h);
    Play(painter);
}

void TMetafile::Assign(const TPersistent *source)
{
    if (const auto *metafile = dynamic_cast<const TMetafile *>(source)) {
        if (metafile == this)
            return;
        m_picture = metafile->m_picture;
        m_parts = metafile->m_parts;
        m_width = metafile->m_width;
        m_height = metafile->m_height;
        Changed();
        return;
    }
    TPersistent::Assign(source);
}

// --- TPicture
// -------------------------------------------------------------------------------------

namespace {

std::unique_ptr<TGraphic> CloneGraphic(const TGraphic *graphic)
{
    std::unique_ptr<TGraphic> copy;
    if (dynamic_cast<const TBitmap *>(graphic))
        copy = std::make_unique<TBitmap>();
    else if (dynamic_cast<const TIcon *>(graphic))
        copy = std::make_unique<TIcon>();
    else if (dynamic_cast<const TMetafile *>(graphic))
        copy = std::make_unique<TMetafile>();
    else
        copy = std::make_unique<TBitmap>();
    copy->Assign(graphic);
    copy->SetTransparent(graphic->Transparent());
    return copy;
}

} // namespace

TPicture::TPicture() = default;
TPicture::~TPicture() = default;

void TPicture::Changed()
{
    if (OnChange)
        OnChange(this);
}

void TPicture::SetGraphic(const TGraphic *graphic)
{
    if (graphic == m_graphic.get() && graphic)
        return;
    m_graphic = graphic ? CloneGraphic(graphic) : nullptr;
    Changed();
}

TBitmap *TPicture::Bitmap()
{
    if (auto *bitmap = dynamic_cast<TBitmap *>(m_graphic.get()))
        return bitmap;
    // Whatever the picture holds is turned into a bitmap of the same size.
    auto bitmap = std::make_unique<TBitmap>();
    if (m_graphic)
        bitmap->Assign(m_graphic.get());
    m_graphic = std::move(bitmap);
    Changed();
    return static_cast<TBitmap *>(m_graphic.get());
}

TIcon *TPicture::Icon()
{
    if (auto *icon = dynamic_cast<TIcon *>(m_graphic.get()))
        return icon;
    auto icon = std::make_unique<TIcon>();
    if (auto *bitmap = dynamic_cast<TBitmap *>(m_graphic.get()))
        icon->Assign(bitmap);
    m_graphic = std::move(icon);
    Changed();
    return static_cast<TIcon *>(m_graphic.get());
}

void TPicture::LoadFromFile(const QString &fileName)
{
    const QString suffix = QFileInfo(fileName).suffix().toLower();
    std::unique_ptr<TGraphic> graphic;
    if (suffix == QLatin1String("ico")) {
        graphic = std::make_unique<TIcon>();
        graphic->LoadFromFile(fileName);
    } else if (suffix == QLatin1String("wmf") || suffix == QLatin1String("emf") ||
               suffix == QLatin1String("pic")) {
        graphic = std::make_unique<TMetafile>();
        graphic->LoadFromFile(fileName);
    } else if (suffix == QLatin1String("bmp")) {
        graphic = std::make_unique<TBitmap>();
        graphic->LoadFromFile(fileName);
    } else {
        auto bitmap = std::make_unique<TBitmap>();
        bitmap->SetImage(ReadImage(fileName, QByteArray(), QStringLiteral("picture")));
        graphic = std::move(bitmap);
    }
    m_graphic = std::move(graphic);
    Changed();
}

void TPicture::SaveToFile(const QString &fileName) const
{
    if (!m_graphic)
        throw EInOutError(
            QStringLiteral("Cannot write picture file \"%1\": the picture is empty").arg(fileName));
    m_graphic->SaveToFile(fileName);
}

void TPicture::Assign(const TPersistent *source)
{
    if (!source) {
        SetGraphic(nullptr);
        return;
    }
    if (const auto *picture = dynamic_cast<const TPicture *>(source)) {
        if (picture != this)
            SetGraphic(picture->m_graphic.get());
        return;
    }
    if (const auto *graphic = dynamic_cast<const TGraphic *>(source)) {
        SetGraphic(graphic);
        return;
    }
    TPersistent::Assign(source);
}

} // namespace jxt
