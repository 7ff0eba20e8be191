// SPDX-License-Identifier: GPL-3.0-or-later
// The preview tool bar.
#pragma once

#include "pstypes.h"

#include <QPixmap>
#include <QPointer>
#include <QWidget>

#include <array>
#include <functional>

class QToolButton;

namespace printing {

class TCustomPreview;
class TPreviewComboBox;

// The glyph strip: one 16 x 16 square per button kind (btnPrint .. btnClose),
// drawn by the engine itself.
QPixmap PreviewGlyphStrip();
QPixmap PreviewGlyph(TButtonKind kind);

inline constexpr int ToolbarHeight = 26;
inline constexpr int ToolButtonSize = 24;
inline constexpr int ScaleBoxWidth = 140;

class TCustomPreviewToolbar : public QWidget {
    Q_OBJECT
public:
    explicit TCustomPreviewToolbar(QWidget* parent = nullptr);

    TCustomPreview* Preview() const { return preview_; }
    void SetPreview(TCustomPreview* preview);
    TButtonKinds Buttons() const { return buttons_; }
    void SetButtons(TButtonKinds buttons);
    bool Flat() const { return flat_; }
    void SetFlat(bool flat);
    bool ScaleBox() const { return scaleBox_; }
    void SetScaleBox(bool on);
    int ScaleBoxPos() const { return scaleBoxPos_; }
    void SetScaleBoxPos(int pos);
    bool UserButtonEnabled() const { return userButtonEnabled_; }
    void SetUserButtonEnabled(bool on);
    QPixmap UserButtonGlyph() const { return userGlyph_; }
    void SetUserButtonGlyph(const QPixmap& glyph);
    QString UserButtonHint() const { return userHint_; }
    void SetUserButtonHint(const QString& hint);

    std::function<void(TCustomPreviewToolbar*)> OnUpdate;
    std::function<void(TCustomPreviewToolbar*)> OnUserButtonClick;
    std::function<void(TCustomPreviewToolbar*, TButtonKind, bool& allowDefault)> OnButtonClick;

    // Acts as a click on the button of that kind.
    void ButtonClick(TButtonKind kind);
    // Enables the buttons by the preview's state.
    void UpdateButtons();

    QToolButton* Button(TButtonKind kind) const { return buttonWidgets_[kind]; }
    TPreviewComboBox* ScaleComboBox() const { return combo_; }
    static QString Hint(TButtonKind kind);

    QSize sizeHint() const override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void LayoutButtons();
    void FollowParent();

    QPointer<TCustomPreview> preview_;
    QMetaObject::Connection connection_;
    TButtonKinds buttons_{btnPrint,    btnPrinterSetupDialog, btnFirstPage, btnPrevPage,
                          btnNextPage, btnLastPage,           btnZoomOut,   btnZoomIn};
    bool flat_ = true;
    bool scaleBox_ = true;
    int scaleBoxPos_ = 9;
    bool userButtonEnabled_ = true;
    QPixmap userGlyph_;
    QString userHint_;
    std::array<QToolButton*, ButtonKindCount> buttonWidgets_{};
    TPreviewComboBox* combo_;
};

class TPreviewToolbar : public TCustomPreviewToolbar {
    Q_OBJECT
public:
    using TCustomPreviewToolbar::TCustomPreviewToolbar;
};

} // namespace printing
