// SPDX-License-Identifier: GPL-3.0-or-later
#include "cardimage.h"

#include <QPainter>
#include <QPainterPath>

namespace training {

CardImage::CardImage(const QString& objectName, QWidget* parent) : QWidget(parent) {
    setObjectName(objectName);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void CardImage::setFaceColour(const QColor& c) {
    face_ = c;
    update();
}

void CardImage::clear() {
    texts_.clear();
    update();
}

void CardImage::write(int x, int y, const QString& text) {
    texts_.append({text, x, y, pointSize_, centred_ ? Qt::AlignHCenter : Qt::AlignLeft, ink_});
    update();
}

void CardImage::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    // The face keeps its proportions and sits centred in the widget, with a
    // border around the written area so words at its edge do not touch it.
    constexpr double border = 10;
    const double scale = std::min(width() / (kFaceWidth + 2 * border), height() / (kFaceHeight + 2 * border));
    const QPointF origin((width() - (kFaceWidth + 2 * border) * scale) / 2 + border * scale,
                         (height() - (kFaceHeight + 2 * border) * scale) / 2 + border * scale);
    p.translate(origin);
    p.scale(scale, scale);

    QPainterPath face;
    face.addRoundedRect(QRectF(-border, -border, kFaceWidth + 2 * border, kFaceHeight + 2 * border), 10, 10);
    p.fillPath(face.translated(1.2, 1.6), QColor(0, 0, 0, 40)); // a soft shadow
    p.fillPath(face, face_);
    p.setPen(QPen(face_.darker(125), 1));
    p.drawPath(face);

    for (const Text& t : texts_) {
        QFont f(QStringLiteral("Arial"));
        f.setStyleHint(QFont::SansSerif);
        f.setPixelSize(std::max(1, t.pointSize * 96 / 72)); // points on a 96 dpi face
        p.setFont(f);
        p.setPen(t.colour);
        const int wide = 4 * kFaceWidth;
        const QRect box = t.alignment & Qt::AlignHCenter ? QRect(t.x - wide / 2, t.y, wide, kFaceHeight)
                                                         : QRect(t.x, t.y, wide, kFaceHeight);
        p.drawText(box, int(t.alignment | Qt::AlignTop) | Qt::TextSingleLine, t.text);
    }
}

} // namespace training
