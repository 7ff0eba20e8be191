// SPDX-License-Identifier: GPL-3.0-or-later
// The drawing canvas of the print engine and the recorded page.
//
// A job always draws on a TPrintCanvas in page pixels (printer device pixels,
// origin at the corner of the sheet). The canvas records every drawing
// operation into a TRecordedPage: the preview replays the recording through a
// scaled QPainter, printing replays it on the printer's painter at scale 1,
// and tests read the recorded operations to assert positions exactly.
#pragma once

#include "pstypes.h"

#include <QColor>
#include <QFont>
#include <QPoint>
#include <QSize>
#include <QString>

#include <vector>

class QPainter;
class QRectF;

namespace printing {

// A font as the job sets it: family and size in points; the canvas turns the
// point size into a pixel size for its font resolution (the printer's
// vertical dots per inch), so text comes out at the same size on every target.
struct TFontSpec {
    QString Family = QStringLiteral("Arial");
    double PointSize = 10;
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    bool StrikeOut = false;
    QColor Color = Qt::black;
    bool operator==(const TFontSpec&) const = default;
};

enum TPenStyle { psSolid, psDash, psDot, psClear };
struct TPenSpec {
    QColor Color = Qt::black;
    int Width = 0; // 0: the thinnest line the device draws (one device pixel)
    TPenStyle Style = psSolid;
    bool operator==(const TPenSpec&) const = default;
};

enum TBrushStyle { bsSolid, bsClear };
struct TBrushSpec {
    QColor Color = Qt::white;
    TBrushStyle Style = bsSolid;
    bool operator==(const TBrushSpec&) const = default;
};

// Horizontal and vertical reference of TextOut (the canvas text alignment).
enum THorzAlign { haLeft, haCenter, haRight };
enum TVertAlign { vaTop, vaBaseline, vaBottom };

// Format of DrawText (the rectangle text of the grid cells).
struct TTextFormat {
    Qt::Alignment Horizontal = Qt::AlignLeft; // AlignLeft, AlignHCenter or AlignRight
    bool WordWrap = false;                    // false: one vertically centred line; true: wrap, top aligned
    bool Clip = true;                         // clip to the rectangle
    bool Ellipsis = false;                    // end text that does not fit with an ellipsis
};

// One recorded drawing operation. Coordinates are page pixels of the target.
struct TDrawOp {
    enum Kind { Text, Line, Rectangle, Fill };
    Kind kind = Fill;
    TRect rect;           // Text: layout rectangle; Rectangle/Fill: the rectangle
    QPoint p1, p2;        // Line: from p1 to p2 (both included); Text: reference point
    QString text;         // Text: the text as drawn (already shortened for an ellipsis)
    QString family;       // Text: font family
    int pixelSize = 0;    // Text: font height in page pixels
    double pointSize = 0; // Text: the font's point size as set by the job
    bool bold = false, italic = false, underline = false, strikeOut = false;
    int flags = 0;        // Text: Qt::AlignmentFlag | Qt::TextFlag combination
    bool textOut = false; // Text: placed at reference point p1 (TextOut) rather than in rect
    bool clip = false;    // Text: clipped to rect
    QColor color;         // Text: font colour; Line/Rectangle: pen colour; Fill: fill colour
    int penWidth = 0;     // Line/Rectangle
    TPenStyle penStyle = psSolid;
    QColor brushColor; // Rectangle: fill colour (invalid: not filled)
};

// The recorded drawing of one page.
class TRecordedPage {
public:
    QSize size; // page size in pixels
    std::vector<TDrawOp> ops;

    void Clear() { ops.clear(); }
    // Paints every operation on `painter`, which must map page pixels to the
    // device (identity on the printer, a scale on the screen).
    void Replay(QPainter& painter) const;

    // Test helpers.
    std::vector<const TDrawOp*> Texts() const;
    std::vector<const TDrawOp*> Lines() const;
    const TDrawOp* FindText(const QString& text) const;
};

// The font as painted: pixel size, no hinting (so that measuring and painting
// agree on every device and at every scale).
QFont MakePixelFont(const QString& family, int pixelSize, bool bold, bool italic, bool underline, bool strikeOut);

class TPrintCanvas {
public:
    // `page` may be null: the canvas then only measures. `fontDpi` is the font
    // resolution (printer vertical dots per inch).
    explicit TPrintCanvas(TRecordedPage* page = nullptr, double fontDpi = 300);

    TFontSpec Font;
    TPenSpec Pen;
    TBrushSpec Brush;
    THorzAlign TextAlignH = haLeft;
    TVertAlign TextAlignV = vaTop;

    void SetFontResolution(double dpi) { fontDpi_ = dpi > 0 ? dpi : 300; }
    double FontResolution() const { return fontDpi_; }
    int FontPixelSize() const; // Font.PointSize at the font resolution
    QFont CurrentQFont() const;

    // Device origin: page coordinates given to the drawing calls are moved by
    // it (used for relative coordinates).
    void SetOrigin(QPoint origin) { origin_ = origin; }
    QPoint Origin() const { return origin_; }

    // Measuring in page pixels with the current font.
    int TextWidth(const QString& text) const;
    int TextHeight(const QString& text) const;
    int TextAscent() const;

    // Drawing. Rectangles have exclusive right and bottom edges.
    void TextOut(int x, int y, const QString& text);
    void DrawText(const TRect& rect, const QString& text, const TTextFormat& format);
    void MoveTo(int x, int y) { penPos_ = QPoint(x, y); }
    void LineTo(int x, int y);
    void Line(int x1, int y1, int x2, int y2);
    void Rectangle(const TRect& rect); // outline with the pen, filled with the brush
    void FillRect(const TRect& rect);  // filled with the brush, no outline
    QPoint PenPos() const { return penPos_; }

    TRecordedPage* Page() const { return page_; }

private:
    void Add(TDrawOp&& op);
    // The current font's face, size, style and colour onto a text operation.
    void ApplyFont(TDrawOp& op) const;
    TRecordedPage* page_;
    double fontDpi_;
    QPoint origin_;
    QPoint penPos_;
};

} // namespace printing
