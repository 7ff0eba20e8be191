// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QWidget>

namespace training {

// A word card: a coloured face on which words are written at anchor points
// of a 225 x 150 face, scaled to the widget's size. Everything written since
// the last clear() is kept, so it can be repainted and checked.
class CardImage : public QWidget {
    Q_OBJECT
public:
    static constexpr int kFaceWidth = 225;
    static constexpr int kFaceHeight = 150;

    struct Text {
        QString text;
        int x = 0;
        int y = 0; // top of the text
        int pointSize = 0;
        Qt::Alignment alignment; // Qt::AlignHCenter: (x, y) is the top centre; Qt::AlignLeft: the top left
        QColor colour;
        bool operator==(const Text&) const = default;
    };

    explicit CardImage(const QString& objectName, QWidget* parent = nullptr);

    void setFaceColour(const QColor& c);
    QColor faceColour() const { return face_; }
    void clear(); // the face only
    bool isBlank() const { return texts_.isEmpty(); }
    const QList<Text>& texts() const { return texts_; }

    void setFontSize(int points) { pointSize_ = points; }
    int fontSize() const { return pointSize_; }
    void setCentred(bool centred) { centred_ = centred; }
    void write(int x, int y, const QString& text);

    QSize sizeHint() const override { return {450, 300}; }
    QSize minimumSizeHint() const override { return {kFaceWidth, kFaceHeight}; }
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int w) const override { return w * kFaceHeight / kFaceWidth; }

protected:
    void paintEvent(QPaintEvent*) override;

private:
    QColor face_{79, 143, 240};
    QColor ink_{Qt::white};
    int pointSize_ = 30;
    bool centred_ = true;
    QList<Text> texts_;
};

} // namespace training
