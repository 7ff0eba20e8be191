// SPDX-License-Identifier: GPL-3.0-or-later
// The view mode and scale box.
#pragma once

#include <QComboBox>
#include <QPointer>

namespace printing {

class TCustomPreview;

class TPreviewComboBox : public QComboBox {
    Q_OBJECT
public:
    explicit TPreviewComboBox(QWidget* parent = nullptr);
    TCustomPreview* Preview() const { return preview_; }
    void SetPreview(TCustomPreview* preview);

    // The text that follows the preview ("Whole page (%d%)", ...).
    QString StateText() const;
    // Rebuilds the list ("Whole page", "Page width", the zoom steps).
    void RebuildList();
    // Chooses a list entry as a click would.
    void ChooseEntry(int index);
    // Enter: takes the digits of the text. False (and the message "Invalid
    // scale value") when there are none.
    bool ApplyTypedText();
    // Escape or leaving the box: restores the text.
    void RestoreText();
    // Whether a typed character is accepted (digits, Backspace, full stop).
    static bool AcceptsChar(QChar c);

    void showPopup() override;

public slots:
    void UpdateFromPreview();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ReturnFocus();
    QPointer<TCustomPreview> preview_;
    QMetaObject::Connection connection_;
};

} // namespace printing
