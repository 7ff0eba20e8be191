// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/services.h"

class QWidget;

namespace shell {

// Message boxes and the input box with the program's German buttons.
class WidgetPrompter : public core::Prompter {
public:
    explicit WidgetPrompter(QWidget* parent = nullptr) : parent_(parent) {}
    void setParent(QWidget* parent) { parent_ = parent; }
    void information(const QString& text, const QString& caption) override;
    core::Answer ask(const QString& text, core::Buttons buttons, const QString& caption) override;
    std::optional<QString> input(const QString& caption, const QString& prompt, const QString& initial) override;

private:
    QWidget* parent_;
};

class DesktopOpener : public core::DocumentOpener {
public:
    bool open(const QString& path) override;
};

class DialogFolderChooser : public core::FolderChooser {
public:
    std::optional<QString> choose(const QString& startFolder) override;
    std::optional<QString> chooseSaveFile(const QString& suggested, const QString& filter) override;
};

} // namespace shell
