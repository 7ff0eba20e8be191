// SPDX-License-Identifier: GPL-3.0-or-later
#include "pscanvas.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPen>

#include <algorithm>
#include <cmath>

namespace printing {

QFont MakePixelFont(const QString& family, int pixelSize, bool bold, bool italic, bool underline, bool strikeOut) {
    QFont f(family);
    f.setPixelSize(std::max(1, pixelSize));
    f.setBold(bold);
    f.setItalic(italic);
    f.setUnderline(underline);
    f.setStrikeOut(strikeOut);
    f.setHintingPreference(QFont::PreferNoHinting);
    f.setKerning(true);
    return f;
}

namespace {
Qt::PenStyle QtPenStyle(TPenStyle s) {
    switch (s) {
    case psSolid:
        return Qt::SolidLine;
    case psDash:
        return Qt::DashLine;
    case psDot:
        return Qt::DotLine;
    case psClear:
        return Qt::NoPen;
    }
    return Qt::SolidLine;
}

QPen MakePen(const TDrawOp& op, double deviceScale) {
    QPen pen(op.color);
    // 0 is Qt's cosmetic one-pixel pen, as on the printer. A line that would
    // come out thinner than one device pixel (a scaled-down preview) is drawn
    // one pixel wide, as a metafile replay on screen would.
    pen.setWidth(op.penWidth * deviceScale < 1.0 ? 0 : op.penWidth);
    pen.setStyle(QtPenStyle(op.penStyle));
    pen.setCapStyle(Qt::SquareCap);
    pen.setJoinStyle(Qt::MiterJoin);
    return pen;
}

constexpr double Big = 1.0e6;

// The layout rectangle of a TextOut: positioned so that the text's reference
// point lies exactly on p1 whatever the device's text advance is.
QRectF TextOutRect(const TDrawOp& op) {
    const double x = op.p1.x();
    const double top = op.rect.Top;
    const double h = op.rect.Height();
    if (op.flags & Qt::AlignHCenter)
        return {x - Big, top, 2 * Big, h};
    if (op.flags & Qt::AlignRight)
        return {x - Big, top, Big, h};
    return {x, top, Big, h};
}
} // namespace

void TRecordedPage::Replay(QPainter& painter) const {
    const double deviceScale =
        std::min(std::abs(painter.worldTransform().m11()), std::abs(painter.worldTransform().m22()));
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    for (const TDrawOp& op : ops) {
        switch (op.kind) {
        case TDrawOp::Fill:
            painter.fillRect(QRect(op.rect.Left, op.rect.Top, op.rect.Width(), op.rect.Height()), op.color);
            break;
        case TDrawOp::Line:
            if (op.penStyle == psClear)
                break;
            painter.setPen(MakePen(op, deviceScale));
            painter.drawLine(op.p1, op.p2);
            break;
        case TDrawOp::Rectangle: {
            const QRect r(op.rect.Left, op.rect.Top, op.rect.Width(), op.rect.Height());
            if (op.brushColor.isValid())
                painter.fillRect(r, op.brushColor);
            if (op.penStyle != psClear && r.width() > 0 && r.height() > 0) {
                painter.setPen(MakePen(op, deviceScale));
                painter.setBrush(Qt::NoBrush);
                painter.drawRect(QRect(r.left(), r.top(), r.width() - 1, r.height() - 1));
            }
            break;
        }
        case TDrawOp::Text: {
            painter.setFont(MakePixelFont(op.family, op.pixelSize, op.bold, op.italic, op.underline, op.strikeOut));
            painter.setPen(QPen(op.color));
            if (op.textOut) {
                painter.drawText(TextOutRect(op), op.flags | Qt::TextDontClip | Qt::TextSingleLine, op.text);
            } else {
                const QRectF r(op.rect.Left, op.rect.Top, op.rect.Width(), op.rect.Height());
                if (op.clip) {
                    painter.save();
                    painter.setClipRect(r, Qt::IntersectClip);
                    painter.drawText(r, op.flags, op.text);
                    painter.restore();
                } else {
                    painter.drawText(r, op.flags | Qt::TextDontClip, op.text);
                }
            }
            break;
        }
        }
    }
    painter.restore();
}

std::vector<const TDrawOp*> TRecordedPage::Texts() const {
    std::vector<const TDrawOp*> r;
    for (const auto& op : ops)
        if (op.kind == TDrawOp::Text)
            r.push_back(&op);
    return r;
}

std::vector<const TDrawOp*> TRecordedPage::Lines() const {
    std::vector<const TDrawOp*> r;
    for (const auto& op : ops)
        if (op.kind == TDrawOp::Line)
            r.push_back(&op);
    return r;
}

const TDrawOp* TRecordedPage::FindText(const QString& text) const {
    for (const auto& op : ops)
        if (op.kind == TDrawOp::Text && op.text == text)
            return &op;
    return nullptr;
}

TPrintCanvas::TPrintCanvas(TRecordedPage* page, double fontDpi) : page_(page), fontDpi_(fontDpi > 0 ? fontDpi : 300) {}

int TPrintCanvas::FontPixelSize() const {
    return std::max(1, RoundToInt(Font.PointSize * fontDpi_ / 72.0));
}

QFont TPrintCanvas::CurrentQFont() const {
    return MakePixelFont(Font.Family, FontPixelSize(), Font.Bold, Font.Italic, Font.Underline, Font.StrikeOut);
}

int TPrintCanvas::TextWidth(const QString& text) const {
    return static_cast<int>(std::ceil(QFontMetricsF(CurrentQFont()).horizontalAdvance(text) - 1e-6));
}

int TPrintCanvas::TextHeight(const QString&) const {
    return static_cast<int>(std::ceil(QFontMetricsF(CurrentQFont()).height() - 1e-6));
}

int TPrintCanvas::TextAscent() const {
    return RoundToInt(QFontMetricsF(CurrentQFont()).ascent());
}

void TPrintCanvas::Add(TDrawOp&& op) {
    if (page_)
        page_->ops.push_back(std::move(op));
}

void TPrintCanvas::TextOut(int x, int y, const QString& text) {
    if (!page_)
        return;
    TDrawOp op;
    op.kind = TDrawOp::Text;
    op.textOut = true;
    op.text = text;
    ApplyFont(op);
    const int w = TextWidth(text);
    const int h = TextHeight(text);
    x += origin_.x();
    y += origin_.y();
    int left = x;
    int flags = 0;
    switch (TextAlignH) {
    case haLeft:
        flags |= Qt::AlignLeft;
        left = x;
        break;
    case haCenter:
        flags |= Qt::AlignHCenter;
        left = x - w / 2;
        break;
    case haRight:
        flags |= Qt::AlignRight;
        left = x - w;
        break;
    }
    int top = y;
    switch (TextAlignV) {
    case vaTop:
        top = y;
        break;
    case vaBaseline:
        top = y - TextAscent();
        break;
    case vaBottom:
        top = y - h;
        break;
    }
    flags |= Qt::AlignTop;
    op.flags = flags;
    op.p1 = QPoint(x, y);
    op.rect = {left, top, left + w, top + h};
    Add(std::move(op));
}

void TPrintCanvas::ApplyFont(TDrawOp& op) const {
    op.family = Font.Family;
    op.pixelSize = FontPixelSize();
    op.pointSize = Font.PointSize;
    op.bold = Font.Bold;
    op.italic = Font.Italic;
    op.underline = Font.Underline;
    op.strikeOut = Font.StrikeOut;
    op.color = Font.Color;
}

void TPrintCanvas::DrawText(const TRect& rectIn, const QString& text, const TTextFormat& format) {
    if (!page_)
        return;
    const TRect rect = rectIn.Translated(origin_.x(), origin_.y());
    TDrawOp op;
    op.kind = TDrawOp::Text;
    ApplyFont(op);
    op.rect = rect;
    op.clip = format.Clip || format.Ellipsis;
    int flags = static_cast<int>(format.Horizontal & Qt::AlignHorizontal_Mask);
    if (format.WordWrap) {
        flags |= Qt::TextWordWrap | Qt::AlignTop;
    } else {
        flags |= Qt::TextSingleLine | Qt::AlignVCenter;
    }
    op.flags = flags;
    op.p1 = QPoint(rect.Left, rect.Top);
    QString shown = text;
    if (format.Ellipsis && !format.WordWrap) {
        const QFontMetricsF fm(CurrentQFont());
        if (fm.horizontalAdvance(text) > rect.Width())
            shown = fm.elidedText(text, Qt::ElideRight, std::max(0, rect.Width()));
    }
    op.text = shown;
    Add(std::move(op));
}

void TPrintCanvas::LineTo(int x, int y) {
    Line(penPos_.x(), penPos_.y(), x, y);
    penPos_ = QPoint(x, y);
}

void TPrintCanvas::Line(int x1, int y1, int x2, int y2) {
    if (!page_)
        return;
    TDrawOp op;
    op.kind = TDrawOp::Line;
    op.p1 = QPoint(x1, y1) + origin_;
    op.p2 = QPoint(x2, y2) + origin_;
    op.color = Pen.Color;
    op.penWidth = Pen.Width;
    op.penStyle = Pen.Style;
    Add(std::move(op));
}

void TPrintCanvas::Rectangle(const TRect& rect) {
    if (!page_)
        return;
    TDrawOp op;
    op.kind = TDrawOp::Rectangle;
    op.rect = rect.Translated(origin_.x(), origin_.y());
    op.color = Pen.Color;
    op.penWidth = Pen.Width;
    op.penStyle = Pen.Style;
    if (Brush.Style == bsSolid)
        op.brushColor = Brush.Color;
    Add(std::move(op));
}

void TPrintCanvas::FillRect(const TRect& rect) {
    if (!page_ || Brush.Style == bsClear)
        return;
    TDrawOp op;
    op.kind = TDrawOp::Fill;
    op.rect = rect.Translated(origin_.x(), origin_.y());
    op.color = Brush.Color;
    Add(std::move(op));
}

} // namespace printing
