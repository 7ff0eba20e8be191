// SPDX-License-Identifier: GPL-3.0-or-later
#include "signalend.h"

#include <QApplication>
#include <QDialog>
#include <QWidget>

namespace signalend {

void dismissModalWindows() {
    // Bounded: a window that refuses to close must not hang the signal.
    for (int i = 0; i < 64; ++i) {
        QWidget* w = QApplication::activePopupWidget();
        if (!w)
            w = QApplication::activeModalWidget();
        if (!w)
            return;
        if (auto* dialog = qobject_cast<QDialog*>(w))
            dialog->done(QDialog::Rejected);
        else
            w->close();
        if (w->isVisible())
            w->hide();
    }
}

void EndingPrompter::information(const QString& text, const QString& caption) {
    if (!ending_)
        inner_->information(text, caption);
}

core::Answer EndingPrompter::ask(const QString& text, core::Buttons buttons, const QString& caption) {
    if (ending_)
        return endingAnswer(buttons);
    const core::Answer answer = inner_->ask(text, buttons, caption);
    // The box may have been closed by the signal rather than by a person.
    return ending_ ? endingAnswer(buttons) : answer;
}

std::optional<QString> EndingPrompter::input(const QString& caption, const QString& prompt, const QString& initial) {
    if (ending_)
        return std::nullopt;
    auto text = inner_->input(caption, prompt, initial);
    return ending_ ? std::nullopt : text;
}

core::Answer EndingPrompter::endingAnswer(core::Buttons buttons) {
    switch (buttons) {
    case core::Buttons::Ok:
        return core::Answer::Ok;
    case core::Buttons::YesNo:
    case core::Buttons::YesNoDefaultNo:
        return core::Answer::No;
    case core::Buttons::YesCancel:
    case core::Buttons::YesNoCancel:
    case core::Buttons::OkCancel:
        return core::Answer::Cancel;
    }
    return core::Answer::Cancel;
}

} // namespace signalend
