// SPDX-License-Identifier: MIT
// TJX3D: a wire-frame and flat-filled 3D model read from lines of text, scaled, rotated,
// projected with a simple perspective and drawn off screen; a timer can turn it.
#pragma once

#include "base/Export.h"
#include "host/controls/Controls.h"
#include "host/core/About.h"
#include "host/core/Strings.h"
#include "host/core/Timer.h"
#include "util/JXVersions.h"

#include <QStringList>

#include <array>
#include <memory>

namespace jxt {

/// Shows a model of points, polylines, filled polygons and circles (see LoadFromList for
/// the text format). The points are scaled (Width / raster size x Zoom %), rotated about
/// the Y, Z and X axes by whole degrees, every intermediate rounded to an integer, and
/// projected with the eye Perspective units in front of the origin (1000 gives a parallel
/// projection). A point that reaches the eye moves the eye back by one unit until none
/// does. Lines, circles, polygons whose second point lies right of their first (the others
/// face away) and point numbers are drawn over the background Color and Picture.
///
/// Setting a view property recomputes and redraws at once. Interval turns the model about
/// its Y axis by 8 degrees per tick.
class JXT_EXPORT TJX3D : public TCustomControl
{
    Q_OBJECT
    Q_PROPERTY(jxt::TJXAboutString About_JXTools READ GetAboutJXT WRITE SetAboutJXT)
    Q_PROPERTY(int Interval READ Interval WRITE SetInterval)
    Q_PROPERTY(QStringList ModellItems READ GetModellItemsList WRITE SetModellItemsList)
    Q_PROPERTY(int Perspective READ Perspective WRITE SetPerspective)
    Q_PROPERTY(jxt::TBitmap *Picture READ Picture WRITE SetPicture)
    Q_PROPERTY(bool PointCaption READ PointCaption WRITE SetPointCaption)
    Q_PROPERTY(bool ShowCircles READ ShowCircles WRITE SetShowCircles)
    Q_PROPERTY(bool ShowLines READ ShowLines WRITE SetShowLines)
    Q_PROPERTY(bool ShowPicture READ ShowPicture WRITE SetShowPicture)
    Q_PROPERTY(bool ShowPolygons READ ShowPolygons WRITE SetShowPolygons)
    Q_PROPERTY(int XPosition READ XPosition WRITE SetXPosition)
    Q_PROPERTY(int XRotation READ XRotation WRITE SetXRotation)
    Q_PROPERTY(int YPosition READ YPosition WRITE SetYPosition)
    Q_PROPERTY(int YRotation READ YRotation WRITE SetYRotation)
    Q_PROPERTY(int Zoom READ Zoom WRITE SetZoom)
    Q_PROPERTY(int ZPosition READ ZPosition WRITE SetZPosition)
    Q_PROPERTY(int ZRotation READ ZRotation WRITE SetZRotation)
    Q_PROPERTY(jxt::TAlign Align READ Align WRITE SetAlign)
    Q_PROPERTY(jxt::TColorValue Color READ Color WRITE SetColor)
    JXT_ABOUT(JX3dVersion)

public:
    /// How many points, lines, polygons and circles a model holds at most.
    //!@{
    static constexpr int kMaxPoints = 400;
    static constexpr int kMaxLines = 400;
    static constexpr int kMaxPolygons = 200;
    static constexpr int kMaxCircles = 200;
    //!@}
    /// Point indices a line or polygon may list.
    static constexpr int kMaxIndices = 10;

    /// A model point and its projection.
    struct TModelPoint
    {
        /// The point in model units.
        //!@{
        long double X = 0, Y = 0, Z = 0;
        //!@}
        /// Where the point shows on the control, and its depth.
        //!@{
        int ScreenX = 0, ScreenY = 0, Depth = 0;
        //!@}
    };
    /// A polyline or filled polygon through Count points (Index[1..Count]).
    struct TModelLine
    {
        int Count = 0;                            ///< The number of points.
        std::array<int, kMaxIndices + 1> Index{}; ///< The point numbers, from Index[1].
        TColor Color = clBlack;                   ///< The colour of the line or the fill.
    };
    /// A circle around a point.
    struct TModelCircle
    {
        int Point = 0;          ///< The number of the centre point.
        long double Radius = 0; ///< The radius in model units.
        TColor Color = clBlack; ///< The colour of the outline.
    };

    explicit TJX3D(TComponent *owner = nullptr);
    ~TJX3D() override;
    TAccessibleInfo AccessibleInfo() const override;

    /// Milliseconds per rotation step; 0 (default) stops, 1..19 become 20, a negative value
    /// counts as 0.
    int Interval() const { return m_interval; }
    void SetInterval(int value);
    /// The model text, stored with the form. Setting it loads the model and repaints.
    /// GetModellItemsList and SetModellItemsList give and take it as a QStringList.
    //!@{
    TStringList *ModellItems() const { return m_modellItems.get(); }
    QStringList GetModellItemsList() const;
    void SetModellItemsList(const QStringList &lines);
    void SetModellItems(const TStrings *lines);
    //!@}
    /// Distance of the eye from the origin, 100..1000 (1000: parallel); default 200.
    int Perspective() const { return m_perspective; }
    void SetPerspective(int value);
    /// Background picture, stretched over the control (a copy is kept). Repaints.
    TBitmap *Picture() const { return m_picture.get(); }
    void SetPicture(const TBitmap *value);
    /// The same as SetPicture.
    void SetBGBitmap(const TBitmap *value) { SetPicture(value); }
    /// Write each point's number beside it; default false. Repaints.
    bool PointCaption() const { return m_pointCaption; }
    void SetPointCaption(bool value);
    /// Draw the circles, lines, picture and polygons; all default true. Repaint.
    //!@{
    bool ShowCircles() const { return m_showCircles; }
    void SetShowCircles(bool value);
    bool ShowLines() const { return m_showLines; }
    void SetShowLines(bool value);
    bool ShowPicture() const { return m_showPicture; }
    void SetShowPicture(bool value);
    bool ShowPolygons() const { return m_showPolygons; }
    void SetShowPolygons(bool value);
    //!@}
    /// Screen position of the model's origin; default 50, 50 (the centre after a load).
    //!@{
    int XPosition() const { return m_xPosition; }
    void SetXPosition(int value);
    int YPosition() const { return m_yPosition; }
    void SetYPosition(int value);
    //!@}
    /// Not used by the projection; default 0.
    int ZPosition() const { return m_zPosition; }
    void SetZPosition(int value);
    /// Rotations in whole degrees, 0..360; defaults 20, 340, 0.
    //!@{
    int XRotation() const { return m_xRotation; }
    void SetXRotation(int value);
    int YRotation() const { return m_yRotation; }
    void SetYRotation(int value);
    int ZRotation() const { return m_zRotation; }
    void SetZRotation(int value);
    //!@}
    /// Scale in percent, 0..100; default 100.
    int Zoom() const { return m_zoom; }
    void SetZoom(int value);

    /// Loads a model from text lines; an empty list loads the default cube.
    ///
    /// One statement per line; ";" starts a comment. The keyword is the text before the
    /// first blank, in any case: EXIT (ignored), RASTERSIZE r, DEFAULTPERSPECTIVE n,
    /// DEFAULTZOOM n, DEFAULTXROTATION n, DEFAULTYROTATION n, DEFAULTZROTATION n, XADD d,
    /// YADD d, ZADD d (offsets of later points), NEWCOLOR clName (colour of later shapes),
    /// a word starting with P: "x,y,z" (a point, numbered from 0), a word starting with L:
    /// "n,i1,..,in" (a polyline), F "n,i1,..,in" (a filled polygon), C "i,r" (a circle of
    /// radius r around point i). Decimals take "." (or ",") as the decimal point whatever the
    /// locale. Unknown keywords beep. A full store shows its message and skips the statement.
    /// A statement that cannot be read — a bad number, more than 10 indices, an index of no
    /// defined point, an empty keyword, a raster size of 0 — stops the load with the message
    /// "JX3d - Fehler in Zeile :" and the line; what was loaded before it stays. Afterwards
    /// the model is centred and drawn.
    //!@{
    void LoadFromList(const TStrings *list);
    void LoadFromList(const QStringList &lines);
    //!@}
    /// Loads a model from a text file (Windows or host path) by the same rules; a missing file
    /// changes nothing. A FIFO, socket or device, and a file longer than kMaxModelFileSize,
    /// are refused with EInOutError before a byte is read; the model stays as it was.
    void LoadFromFile(const QString &fileName);
    /// Model files longer than this (8 MiB, far beyond the largest model the stores hold,
    /// comments included) are not read.
    static constexpr qint64 kMaxModelFileSize = 8 * 1024 * 1024;
    /// The default model (a yellow cube of side 8) and view.
    void LoadDefault();
    /// Interprets one model line (comment already removed). Throws EConvertError when the
    /// line cannot be read.
    void AddModellLine(const QString &line);
    /// Projects every point.
    void CalcPoints();
    /// Draws the whole picture (once the control was painted and while it is visible).
    void ViewModell();

    /// One tick of the rotation timer.
    void JXOnTime();
    /// The rotation timer (enabled while Interval is above 0).
    TTimer *Timer() const { return m_timer.get(); }

    /// The model loaded: its points, lines, polygons and circles (index from 0 to the count
    /// - 1), and the raster size the points are scaled by.
    //!@{
    int PointCount() const { return m_pointCount; }
    int LineCount() const { return m_lineCount; }
    int PolygonCount() const { return m_polygonCount; }
    int CircleCount() const { return m_circleCount; }
    const TModelPoint &Points(int i) const { return m_points.at(std::size_t(i)); }
    const TModelLine &Lines(int i) const { return m_lines.at(std::size_t(i)); }
    const TModelLine &Polygons(int i) const { return m_polygons.at(std::size_t(i)); }
    const TModelCircle &Circles(int i) const { return m_circles.at(std::size_t(i)); }
    long double RasterSize() const { return m_rasterSize; }
    //!@}

    /// Makes a point, a polyline, a filled polygon (through the points with those numbers)
    /// or a circle, as the model text does.
    //!@{
    static TModelPoint MPoint(long double x, long double y, long double z);
    static TModelLine MLine(std::initializer_list<int> indices, TColor color);
    static TModelLine MPolygon(std::initializer_list<int> indices, TColor color);
    static TModelCircle MCircle(int point, long double radius, TColor color);
    //!@}

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

    /// Loads ModellItems (the default cube when it is empty) once the stored properties are in.
    void Loaded() override;

protected:
    void Paint() override;

private:
    void ResetModel();
    void ProjectAll(int perspective, bool &eyeReached);
    void Recompute();
    TModelLine ReadIndexList(const QString &values) const;
    /// Where point index shows on the control: its projection moved by the position.
    TPoint ScreenPoint(int index) const;
    /// The screen points of a line or polygon, into points.
    void ScreenPoints(const TModelLine &line, std::vector<TPoint> &points) const;
    void DrawCircles(TCanvas *c) const;
    /// The polygons that face the viewer, filled in their colour.
    void DrawPolygons(TCanvas *c, std::vector<TPoint> &points) const;
    /// Each point's number beside it, grey for points behind the screen.
    void DrawPointCaptions(TCanvas *c) const;

    int m_interval = 0;
    int m_perspective = 200;
    bool m_pointCaption = false;
    bool m_showCircles = true;
    bool m_showLines = true;
    bool m_showPicture = true;
    bool m_showPolygons = true;
    int m_xPosition = 50;
    int m_xRotation = 20;
    int m_yPosition = 50;
    int m_yRotation = 340;
    int m_zoom = 100;
    int m_zPosition = 0;
    int m_zRotation = 0;

    std::array<TModelPoint, kMaxPoints + 1> m_points{};
    std::array<TModelLine, kMaxLines + 1> m_lines{};
    std::array<TModelLine, kMaxPolygons + 1> m_polygons{};
    std::array<TModelCircle, kMaxCircles + 1> m_circles{};
    int m_pointCount = 0;
    int m_lineCount = 0;
    int m_polygonCount = 0;
    int m_circleCount = 0;
    TColor m_currentColor = clBlack;
    long double m_xAdd = 0, m_yAdd = 0, m_zAdd = 0;
    long double m_rasterSize = 16.0L;
    bool m_paintedOnce = false;
    std::array<long double, 361> m_sin{};
    std::array<long double, 361> m_cos{};

    std::unique_ptr<TTimer> m_timer;
    std::unique_ptr<TStringList> m_modellItems;
    std::unique_ptr<TBitmap> m_picture;
    TBitmap m_buffer;
};

} // namespace jxt
