// SPDX-License-Identifier: MIT
// TJX3D: the model text format, the fixed-capacity model store, the projection and the
// off-screen drawing.
#include "effects/JX3D.h"

#include "host/controls/Dialogs.h"
#include "host/graphics/OffscreenCopy.h"
#include "platform/Pointer.h"
#include "platform/RegularFile.h"
#include "util/Jxutil.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QTextStream>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <functional>
#include <limits>
#include <string>

namespace jxt {

namespace {

constexpr int kDefaultSize = 100;
constexpr int kMinInterval = 20;
constexpr int kMinPerspective = 100;
constexpr int kParallel = 1000; // this Perspective projects without perspective
constexpr int kMaxZoom = 100;
constexpr int kFullTurn = 360;
constexpr int kTurnStep = 8; // degrees per timer tick
constexpr long double kDefaultRaster = 16.0L;

// Rotated coordinates are whole numbers held within this range, so no conversion overflows
// however large a model's numbers are.
constexpr long double kRoundLimit = 1.0e9L;
// Drawn coordinates are 32-bit. They are held within a quarter of the range of int, so that
// a point plus the position, or a circle's centre plus its diameter, cannot overflow.
constexpr std::int64_t kCoordLimit = std::numeric_limits<int>::max() / 4;

const char *const kErrorMessage = QT_TRANSLATE_NOOP("jxtpack", "JX3d - Fehler in Zeile :");

[[noreturn]] void Reject(const QString &text)
{
    throw EConvertError(QStringLiteral("'%1' is not valid in a model").arg(text));
}

// Rounds to the nearest whole number, a half to the even neighbour (the default rounding
// mode of the floating-point unit), held within kRoundLimit.
std::int64_t RoundHalfEven(long double v)
{
    if (std::isnan(v))
        return 0;
    v = std::clamp(v, -kRoundLimit, kRoundLimit);
    return static_cast<std::int64_t>(std::nearbyint(v));
}

int Coord(std::int64_t v)
{
    return int(std::clamp<std::int64_t>(v, -kCoordLimit, kCoordLimit));
}

// A decimal number written with "." or "," as the decimal point, whatever the locale:
// optional blanks, sign, digits, fraction and exponent. NaN, infinities and numbers beyond
// the range of the type are rejected.
long double ReadDecimal(const QString &text)
{
    std::string c;
    c.reserve(std::size_t(text.size()));
    for (QChar ch : text) {
        const char16_t u = ch.unicode();
        if (u == u'.' || u == u',')
            c += '.';
        else if ((u >= u'0' && u <= u'9') || u == u'+' || u == u'-' || u == u'e' || u == u'E')
            c += char(u);
        else if (u == u' ')
            c += ' ';
        else
            Reject(text);
    }
    const auto first = c.find_first_not_of(' ');
    if (first == std::string::npos)
        Reject(text);
    const auto last = c.find_last_not_of(' ');
    std::string t = c.substr(first, last - first + 1);
    if (!t.empty() && t[0] == '+')
        t.erase(0, 1);
    long double value = 0;
    const char *end = t.data() + t.size();
    const auto result = std::from_chars(t.data(), end, value, std::chars_format::general);
    if (result.ec != std::errc() || result.ptr != end || !std::isfinite(value))
        Reject(text);
    return value;
}

int ReadInteger(const QString &text)
{
    return StrToInt(text); // throws EConvertError
}

// Field n (from 1) of the comma-separated values.
QString Field(const QString &values, int n)
{
    return jxtSplitPar(values, QLatin1Char(','), n);
}

} // namespace

TJX3D::TJX3D(TComponent *owner)
    : TCustomControl(owner), m_timer(std::make_unique<TTimer>()),
      m_modellItems(std::make_unique<TStringList>()), m_picture(std::make_unique<TBitmap>())
{
    const long double step = 1.0L / 180.0L * 3.14159265358979323846264338327950288L;
    for (int i = 0; i <= kFullTurn; ++i) {
        m_sin[std::size_t(i)] = std::sin(i * step);
        m_cos[std::size_t(i)] = std::cos(i * step);
    }
    setFocusPolicy(Qt::NoFocus); // a display: nothing to type into
    SetBounds(Left(), Top(), kDefaultSize, kDefaultSize);
    TCustomControl::SetColor(clBlack);
    LoadDefault();
    m_timer->SetEnabled(false);
    m_timer->OnTimer = [this](TObject *) { JXOnTime(); };
    SetInterval(0);
}

TJX3D::~TJX3D()
{
    m_timer->SetEnabled(false);
    m_timer->OnTimer = nullptr;
}

void TJX3D::SetInterval(int value)
{
    if (value < 0)
        value = 0;
    else if (value > 0 && value < kMinInterval)
        value = kMinInterval;
    m_interval = value;
    m_timer->SetInterval(value);
    m_timer->SetEnabled(value != 0);
}

QStringList TJX3D::GetModellItemsList() const
{
    QStringList lines;
    for (int i = 0; i < m_modellItems->Count(); ++i)
        lines << m_modellItems->Get(i);
    return lines;
}

void TJX3D::SetModellItemsList(const QStringList &lines)
{
    TStringList list(lines);
    SetModellItems(&list);
}

void TJX3D::SetModellItems(const TStrings *lines)
{
    m_modellItems->Assign(lines);
    LoadFromList(m_modellItems.get());
    Invalidate();
}

void TJX3D::SetPerspective(int value)
{
    jxtMinMaxInteger(value, kMinPerspective, kParallel);
    m_perspective = value;
    Recompute();
}

void TJX3D::SetPicture(const TBitmap *value)
{
    m_picture->AssignOrClear(value);
    Invalidate();
}

void TJX3D::SetPointCaption(bool value)
{
    m_pointCaption = value;
    Invalidate();
}

void TJX3D::SetShowCircles(bool value)
{
    m_showCircles = value;
    Invalidate();
}

void TJX3D::SetShowLines(bool value)
{
    m_showLines = value;
    Invalidate();
}

void TJX3D::SetShowPicture(bool value)
{
    m_showPicture = value;
    Invalidate();
}

void TJX3D::SetShowPolygons(bool value)
{
    m_showPolygons = value;
    Invalidate();
}

void TJX3D::SetXPosition(int value)
{
    m_xPosition = value;
    Recompute();
}

void TJX3D::SetYPosition(int value)
{
    m_yPosition = value;
    Recompute();
}

void TJX3D::SetZPosition(int value)
{
    m_zPosition = value;
    Recompute();
}

void TJX3D::SetXRotation(int value)
{
    jxtMinMaxInteger(value, 0, kFullTurn);
    m_xRotation = value;
    Recompute();
}

void TJX3D::SetYRotation(int value)
{
    jxtMinMaxInteger(value, 0, kFullTurn);
    m_yRotation = value;
    Recompute();
}

void TJX3D::SetZRotation(int value)
{
    jxtMinMaxInteger(value, 0, kFullTurn);
    m_zRotation = value;
    Recompute();
}

void TJX3D::SetZoom(int value)
{
    jxtMinMaxInteger(value, 0, kMaxZoom);
    m_zoom = value;
    Recompute();
}

void TJX3D::Recompute()
{
    CalcPoints();
    ViewModell();
}

TJX3D::TModelPoint TJX3D::MPoint(long double x, long double y, long double z)
{
    TModelPoint p;
    p.X = x;
    p.Y = y;
    p.Z = z;
    return p;
}

TJX3D::TModelLine TJX3D::MLine(std::initializer_list<int> indices, TColor color)
{
    TModelLine line;
    line.Color = color;
    for (int index : indices) {
        if (line.Count == kMaxIndices)
            break;
        line.Index[std::size_t(++line.Count)] = index;
    }
    return line;
}

TJX3D::TModelLine TJX3D::MPolygon(std::initializer_list<int> indices, TColor color)
{
    return MLine(indices, color);
}

TJX3D::TModelCircle TJX3D::MCircle(int point, long double radius, TColor color)
{
    TModelCircle c;
    c.Point = point;
    c.Radius = radius;
    c.Color = color;
    return c;
}

void TJX3D::LoadDefault()
{
    const int corners[8][3] = {{-4, -4, 4},  {-4, 4, 4},  {4, 4, 4},  {4, -4, 4},
                               {-4, -4, -4}, {-4, 4, -4}, {4, 4, -4}, {4, -4, -4}};
    m_pointCount = 0;
    for (const auto &c : corners)
        m_points[std::size_t(m_pointCount++)] = MPoint(c[0], c[1], c[2]);
    m_lineCount = 0;
    m_lines[0] = MLine({0, 1, 2, 3, 0}, clYellow);
    m_lines[1] = MLine({4, 5, 6, 7, 4}, clYellow);
    m_lines[2] = MLine({0, 4}, clYellow);
    m_lines[3] = MLine({1, 5}, clYellow);
    m_lines[4] = MLine({2, 6}, clYellow);
    m_lines[5] = MLine({3, 7}, clYellow);
    m_lineCount = 6;
    m_polygonCount = 0;
    m_circleCount = 0;
    m_xRotation = 20;
    m_yRotation = 340;
    m_zRotation = 0;
    m_xPosition = 50;
    m_yPosition = 50;
    m_zPosition = 0;
    m_zoom = 100;
    m_rasterSize = kDefaultRaster;
    SetPerspective(200);
}

void TJX3D::ResetModel()
{
    m_pointCount = 0;
    m_lineCount = 0;
    m_polygonCount = 0;
    m_circleCount = 0;
    m_currentColor = clBlack;
    m_xAdd = m_yAdd = m_zAdd = 0;
}

namespace {

// Runs the statements of a model, each with its comment removed, until one cannot be read
// (reported with its line); then centres and draws the model.
template <typename NextLine> void RunModel(TJX3D &control, NextLine nextLine)
{
    QString line;
    while (nextLine(line)) {
        jxtDelComment(line);
        if (line.trimmed().isEmpty())
            continue;
        try {
            control.AddModellLine(line);
        } catch (const Exception &) {
            ShowMessage(QCoreApplication::translate("jxtpack", kErrorMessage) + line);
            break;
        }
    }
}

} // namespace

void TJX3D::LoadFromList(const TStrings *list)
{
    if (!list || list->Count() == 0) {
        LoadDefault();
        return;
    }
    ResetModel();
    int next = 0;
    RunModel(*this, [&](QString &line) {
        if (next >= list->Count())
            return false;
        line = list->Get(next++);
        return true;
    });
    SetXPosition(Width() / 2);
    SetYPosition(Height() / 2);
    Recompute();
}

void TJX3D::LoadFromList(const QStringList &lines)
{
    TStringList list(lines);
    LoadFromList(&list);
}

void TJX3D::LoadFromFile(const QString &fileName)
{
    // Only a regular file of a model's size is read, refused by what it is before a byte is
    // read: a FIFO or device could block or never end, and a longer file is no model.
    QByteArray data;
    switch (platform::ReadRegularFile(fileName, data, kMaxModelFileSize)) {
    case platform::TFileAccess::Ok: break;
    case platform::TFileAccess::Missing: return;
    case platform::TFileAccess::NotRegular:
        throw EInOutError(QStringLiteral("Cannot read model \"%1\": not a file").arg(fileName),
                          EINVAL);
    case platform::TFileAccess::TooLarge:
        throw EInOutError(
            QStringLiteral("Cannot read model \"%1\": the file is too large").arg(fileName), EFBIG);
    default:
        throw EInOutError(QStringLiteral("Cannot read model \"%1\": read error").arg(fileName),
                          EIO);
    }
    QBuffer file(&data);
    file.open(QIODevice::ReadOnly | QIODevice::Text);
    ResetModel();
    QTextStream in(&file);
    RunModel(*this, [&](QString &line) { return in.readLineInto(&line); });
    file.close();
    SetXPosition(Width() / 2);
    SetYPosition(Height() / 2);
    Recompute();
}

TJX3D::TModelLine TJX3D::ReadIndexList(const QString &values) const
{
    TModelLine line;
    line.Color = m_currentColor;
    const int count = ReadInteger(Field(values, 1).trimmed());
    if (count < 0 || count > kMaxIndices)
        Reject(values);
    line.Count = count;
    for (int k = 1; k <= count; ++k) {
        const int index = ReadInteger(Field(values, k + 1).trimmed());
        if (index < 0 || index >= m_pointCount)
            Reject(values);
        line.Index[std::size_t(k)] = index;
    }
    return line;
}

void TJX3D::AddModellLine(const QString &line)
{
    const QString keyword = jxtSplitPar(line, QLatin1Char(' '), 1).toUpper();
    if (keyword.isEmpty())
        Reject(line); // a line that starts with a blank has no keyword
    const auto value = [&line] { return jxtSplitPar(line, QLatin1Char(' '), 2).trimmed(); };
    const int blank = line.indexOf(QLatin1Char(' '));
    const QString values = blank < 0 ? QString() : line.mid(blank + 1);

    if (keyword == QLatin1String("EXIT"))
        return;
    if (keyword == QLatin1String("RASTERSIZE")) {
        const long double raster = ReadDecimal(value());
        if (raster == 0)
            Reject(line); // the scale divides by it
        m_rasterSize = raster;
    } else if (keyword == QLatin1String("DEFAULTPERSPECTIVE")) {
        SetPerspective(ReadInteger(value()));
    } else if (keyword == QLatin1String("DEFAULTZOOM")) {
        SetZoom(ReadInteger(value()));
    } else if (keyword == QLatin1String("DEFAULTXROTATION")) {
        SetXRotation(ReadInteger(value()));
    } else if (keyword == QLatin1String("DEFAULTYROTATION")) {
        SetYRotation(ReadInteger(value()));
    } else if (keyword == QLatin1String("DEFAULTZROTATION")) {
        SetZRotation(ReadInteger(value()));
    } else if (keyword == QLatin1String("XADD")) {
        m_xAdd = ReadDecimal(value());
    } else if (keyword == QLatin1String("YADD")) {
        m_yAdd = ReadDecimal(value());
    } else if (keyword == QLatin1String("ZADD")) {
        m_zAdd = ReadDecimal(value());
    } else if (keyword == QLatin1String("NEWCOLOR")) {
        TColor color = m_currentColor;
        if (IdentToColor(jxtSplitPar(line, QLatin1Char(' '), 2), color))
            m_currentColor = color;
    } else if (keyword.startsWith(QLatin1Char('P'))) {
        if (m_pointCount >= kMaxPoints) {
            ShowMessage(QCoreApplication::translate("jxtpack", "Maximale Punktanzahl erreicht"));
            return;
        }
        const long double x = ReadDecimal(Field(values, 1));
        const long double y = ReadDecimal(Field(values, 2));
        const long double z = ReadDecimal(Field(values, 3));
        m_points[std::size_t(m_pointCount++)] = MPoint(x + m_xAdd, y + m_yAdd, z + m_zAdd);
    } else if (keyword.startsWith(QLatin1Char('L'))) {
        if (m_lineCount >= kMaxLines) {
            ShowMessage(QCoreApplication::translate("jxtpack", "Maximale Linienanzahl erreicht"));
            return;
        }
        m_lines[std::size_t(m_lineCount)] = ReadIndexList(values);
        ++m_lineCount;
    } else if (keyword == QLatin1String("F")) {
        if (m_polygonCount >= kMaxPolygons) {
            ShowMessage(QCoreApplication::translate("jxtpack", "Maximale Flächenanzahl erreicht"));
            return;
        }
        m_polygons[std::size_t(m_polygonCount)] = ReadIndexList(values);
        ++m_polygonCount;
    } else if (keyword == QLatin1String("C")) {
        if (m_circleCount >= kMaxCircles) {
            ShowMessage(QCoreApplication::translate("jxtpack", "Maximale Kreisanzahl erreicht"));
            return;
        }
        const int point = ReadInteger(Field(values, 1));
        if (point < 0 || point >= m_pointCount)
            Reject(line);
        const long double radius = ReadDecimal(Field(values, 2));
        m_circles[std::size_t(m_circleCount++)] = MCircle(point, radius, m_currentColor);
    } else {
        platform::MessageBeep(0);
    }
}

void TJX3D::ProjectAll(int perspective, bool &eyeReached)
{
    eyeReached = false;
    const long double s = Width() / m_rasterSize * m_zoom * 0.01L;
    const long double sa = m_sin[std::size_t(m_yRotation)], ca = m_cos[std::size_t(m_yRotation)];
    const long double sb = m_sin[std::size_t(m_zRotation)], cb = m_cos[std::size_t(m_zRotation)];
    const long double sc = m_sin[std::size_t(m_xRotation)], cc = m_cos[std::size_t(m_xRotation)];
    for (int i = 0; i < m_pointCount; ++i) {
        TModelPoint &p = m_points[std::size_t(i)];
        const long double x = p.X * s;
        const long double y = p.Y * s;
        const long double z = p.Z * s;
        // About Y, then Z, then X; every intermediate is a whole number.
        const std::int64_t x1 = RoundHalfEven(ca * x - sa * z);
        const std::int64_t z1 = RoundHalfEven(sa * x + ca * z);
        const std::int64_t x2 = RoundHalfEven(cb * x1 + sb * y);
        const std::int64_t y2 = RoundHalfEven(cb * y - sb * x1);
        const std::int64_t z3 = RoundHalfEven(cc * z1 - sc * y2);
        const std::int64_t y3 = RoundHalfEven(sc * z1 + cc * y2);
        if (perspective == kParallel) {
            p.ScreenX = Coord(x2);
            p.ScreenY = Coord(y3);
        } else {
            const std::int64_t d = z3 - perspective;
            if (d >= 0) {
                eyeReached = true; // the point is at or behind the eye
                return;
            }
            p.ScreenX = Coord(static_cast<std::int64_t>(
                std::trunc(-static_cast<long double>(x2) * perspective / d)));
            p.ScreenY = Coord(static_cast<std::int64_t>(
                std::trunc(-static_cast<long double>(y3) * perspective / d)));
        }
        p.Depth = int(std::clamp<std::int64_t>(z3, INT32_MIN, INT32_MAX));
    }
}

void TJX3D::CalcPoints()
{
    // While a point reaches the eye, the eye moves back one unit and every point is
    // projected again; at the parallel projection no point can reach it.
    for (;;) {
        bool eyeReached = false;
        ProjectAll(m_perspective, eyeReached);
        if (!eyeReached)
            break;
        int next = m_perspective + 1;
        jxtMinMaxInteger(next, kMinPerspective, kParallel);
        m_perspective = next;
    }
}

TPoint TJX3D::ScreenPoint(int index) const
{
    const TModelPoint &p = m_points[std::size_t(index)];
    return Point(Coord(std::int64_t(p.ScreenX) + m_xPosition),
                 Coord(std::int64_t(p.ScreenY) + m_yPosition));
}

void TJX3D::ScreenPoints(const TModelLine &line, std::vector<TPoint> &points) const
{
    points.clear();
    for (int k = 1; k <= line.Count; ++k)
        points.push_back(ScreenPoint(line.Index[std::size_t(k)]));
}

void TJX3D::DrawCircles(TCanvas *c) const
{
    for (int i = 0; i < m_circleCount; ++i) {
        const TModelCircle &circle = m_circles[std::size_t(i)];
        // The size follows Zoom only, not the raster size or the perspective.
        const long double size = std::trunc(m_zoom * circle.Radius);
        const int d = Coord(std::isnan(size) ? 0
                                             : static_cast<std::int64_t>(std::clamp<long double>(
                                                   size, -kCoordLimit, kCoordLimit)));
        const TPoint centre = ScreenPoint(circle.Point);
        const int left = centre.X - d / 2;
        const int top = centre.Y - d / 2;
        c->Pen()->SetColor(circle.Color);
        c->Brush()->SetColor(circle.Color);
        c->Ellipse(left, top, left + d, top + d);
    }
}

void TJX3D::DrawPolygons(TCanvas *c, std::vector<TPoint> &points) const
{
    for (int i = 0; i < m_polygonCount; ++i) {
        const TModelLine &polygon = m_polygons[std::size_t(i)];
        // Only faces whose second point lies right of their first face the viewer.
        if (polygon.Count < 2)
            continue;
        if (m_points[std::size_t(polygon.Index[2])].ScreenX <=
            m_points[std::size_t(polygon.Index[1])].ScreenX)
            continue;
        c->Pen()->SetColor(polygon.Color);
        c->Brush()->SetColor(polygon.Color);
        ScreenPoints(polygon, points);
        c->Polygon(points);
    }
}

void TJX3D::DrawPointCaptions(TCanvas *c) const
{
    c->Font()->SetName(QStringLiteral("Smal Fonts"));
    c->Font()->SetSize(8);
    c->Brush()->SetStyle(bsClear);
    for (int i = 0; i < m_pointCount; ++i) {
        c->Font()->SetColor(m_points[std::size_t(i)].Depth < 0 ? TColor(0x808080)
                                                               : TColor(0xFFFFFF));
        const TPoint at = ScreenPoint(i);
        c->TextOut(at.X, at.Y, QString::number(i));
    }
    c->Brush()->SetStyle(bsSolid);
}

void TJX3D::ViewModell()
{
    if (!m_paintedOnce || !Visible())
        return;
    const int w = Width();
    const int h = Height();
    if (w <= 0 || h <= 0)
        return;
    // The picture has the surface's resolution, so its slanted edges and circles are as
    // fine as the surface's own.
    const QImage *surface = Canvas()->Device();
    display::SetSizeAtRatio(m_buffer, w, h, surface ? surface->devicePixelRatio() : 1.0);
    display::FillBitmap(m_buffer, Color());
    TCanvas *c = m_buffer.Canvas();
    c->Pen()->SetStyle(psSolid);
    c->Pen()->SetWidth(1);
    c->Brush()->SetStyle(bsSolid);

    if (m_showPicture && m_picture->Width() > 0)
        c->StretchDraw(Rect(0, 0, w, h), m_picture.get());

    std::vector<TPoint> points;
    points.reserve(kMaxIndices);
    if (m_showLines) {
        for (int i = 0; i < m_lineCount; ++i) {
            const TModelLine &line = m_lines[std::size_t(i)];
            c->Pen()->SetColor(line.Color);
            ScreenPoints(line, points);
            c->Polyline(points);
        }
    }
    if (m_showCircles)
        DrawCircles(c);
    if (m_showPolygons)
        DrawPolygons(c, points);
    if (m_pointCaption)
        DrawPointCaptions(c);
    display::CopyBitmap(Canvas(), 0, 0, m_buffer);
}

void TJX3D::JXOnTime()
{
    m_timer->SetEnabled(false);
    int next = m_yRotation + kTurnStep;
    if (next > kFullTurn)
        next = 1;
    if (Showing()) {
        SetYRotation(next);
    } else {
        // Out of sight the model turns on without being drawn.
        m_yRotation = next;
        CalcPoints();
        Invalidate();
    }
    m_timer->SetEnabled(m_interval != 0);
}

QSize TJX3D::sizeHint() const
{
    return {kDefaultSize, kDefaultSize};
}

QSize TJX3D::minimumSizeHint() const
{
    return {16, 16};
}

void TJX3D::Loaded()
{
    TCustomControl::Loaded();
    LoadFromList(m_modellItems.get());
}

void TJX3D::Paint()
{
    m_paintedOnce = true;
    ViewModell();
}

TAccessibleInfo TJX3D::AccessibleInfo() const
{
    return {QAccessible::Graphic,
            QStringLiteral("3D-Modell: %1 Punkte, %2 Linien, %3 Flächen, %4 Kreise")
                .arg(m_pointCount)
                .arg(m_lineCount)
                .arg(m_polygonCount)
                .arg(m_circleCount)};
}

} // namespace jxt
