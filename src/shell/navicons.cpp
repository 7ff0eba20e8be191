// SPDX-License-Identifier: GPL-3.0-or-later
#include "navicons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace shell {

namespace {

void card(QPainter& p, const QRectF& r, const QColor& fill) {
    p.setBrush(fill);
    p.drawRoundedRect(r, 3, 3);
}

void lines(QPainter& p, const QRectF& r, int n) {
    for (int i = 0; i < n; ++i) {
        const double y = r.top() + (i + 1) * r.height() / (n + 1);
        p.drawLine(QPointF(r.left() + 4, y), QPointF(r.right() - 4, y));
    }
}

// Two speech bubbles, German and the foreign language's code.
void drawLanguage(QPainter& p, const QString& code) {
    card(p, QRectF(3, 5, 22, 16), QColor(255, 255, 255));
    card(p, QRectF(15, 17, 22, 16), QColor(79, 143, 240));
    p.setFont(QFont(QStringLiteral("DejaVu Sans"), 7, QFont::Bold));
    p.drawText(QRectF(3, 5, 22, 16), Qt::AlignCenter, QStringLiteral("de"));
    p.setPen(Qt::white);
    p.drawText(QRectF(15, 17, 22, 16), Qt::AlignCenter, code);
}

// A square picture drawn on a 40 by 40 grid, scaled to `size`.
template <typename Draw> QIcon painted(int size, Draw draw) {
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 40.0, size / 40.0);
    p.setPen(QPen(QColor(40, 50, 70), 1.6));
    draw(p);
    p.end();
    return QIcon(pm);
}

} // namespace

QIcon languageIcon(const QString& code, int size) {
    return painted(size, [&code](QPainter& p) { drawLanguage(p, code); });
}

QIcon navIcon(NavIcon kind, int size) {
    return painted(size, [kind](QPainter& p) { drawNavIcon(p, kind); });
}

void drawNavIcon(QPainter& p, NavIcon kind) {
    switch (kind) {
    case NavIcon::Learn: { // an open book
        QPainterPath left, right;
        left.moveTo(20, 10);
        left.cubicTo(14, 6, 8, 6, 4, 8);
        left.lineTo(4, 32);
        left.cubicTo(8, 30, 14, 30, 20, 34);
        left.closeSubpath();
        right.moveTo(20, 10);
        right.cubicTo(26, 6, 32, 6, 36, 8);
        right.lineTo(36, 32);
        right.cubicTo(32, 30, 26, 30, 20, 34);
        right.closeSubpath();
        p.setBrush(QColor(79, 143, 240));
        p.drawPath(left);
        p.setBrush(QColor(140, 185, 250));
        p.drawPath(right);
        break;
    }
    case NavIcon::Test: // a sheet with a tick
        card(p, QRectF(7, 4, 26, 32), QColor(250, 250, 245));
        lines(p, QRectF(7, 4, 26, 18), 3);
        p.setPen(QPen(QColor(30, 150, 60), 4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPolyline(QPolygonF({QPointF(12, 27), QPointF(18, 33), QPointF(34, 16)}));
        break;
    case NavIcon::Words: // a list with "A" and "B"
        card(p, QRectF(5, 5, 30, 30), QColor(255, 236, 170));
        lines(p, QRectF(14, 5, 21, 30), 5);
        p.setFont(QFont(QStringLiteral("DejaVu Sans"), 9, QFont::Bold));
        p.drawText(QRectF(6, 7, 9, 12), Qt::AlignCenter, QStringLiteral("A"));
        p.drawText(QRectF(6, 21, 9, 12), Qt::AlignCenter, QStringLiteral("B"));
        break;
    case NavIcon::Lessons: // stacked cards
        card(p, QRectF(11, 4, 24, 18), QColor(200, 225, 255));
        card(p, QRectF(8, 11, 24, 18), QColor(170, 205, 250));
        card(p, QRectF(5, 18, 24, 18), QColor(79, 143, 240));
        break;
    case NavIcon::Print: // a printer with a card
        card(p, QRectF(11, 4, 18, 12), QColor(255, 255, 255));
        card(p, QRectF(4, 14, 32, 14), QColor(150, 160, 175));
        card(p, QRectF(10, 24, 20, 12), QColor(255, 255, 255));
        lines(p, QRectF(10, 24, 20, 12), 2);
        break;
    case NavIcon::Statistics: // bars
        p.setBrush(QColor(240, 140, 60));
        p.drawRect(QRectF(6, 20, 7, 15));
        p.setBrush(QColor(79, 143, 240));
        p.drawRect(QRectF(16, 10, 7, 25));
        p.setBrush(QColor(30, 150, 60));
        p.drawRect(QRectF(26, 15, 7, 20));
        p.drawLine(QPointF(3, 35.5), QPointF(37, 35.5));
        break;
    case NavIcon::Language:
        drawLanguage(p, QStringLiteral("en"));
        break;
    case NavIcon::Help:
        p.setBrush(QColor(79, 143, 240));
        p.drawEllipse(QRectF(4, 4, 32, 32));
        p.setPen(Qt::white);
        p.setFont(QFont(QStringLiteral("DejaVu Sans"), 18, QFont::Bold));
        p.drawText(QRectF(4, 4, 32, 32), Qt::AlignCenter, QStringLiteral("?"));
        break;
    }
}

} // namespace shell
