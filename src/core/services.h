// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <optional>

// The outside world as the program sees it: people answering questions, the
// clock's randomness, the desktop's document viewer and folder chooser.
// Production implementations live with the windows; tests script them.
namespace core {

enum class Answer { Ok, Cancel, Yes, No };
// YesNoDefaultNo: "Nein" is the default button, for questions whose "Ja"
// cannot be undone.
enum class Buttons { Ok, YesNo, YesCancel, YesNoCancel, OkCancel, YesNoDefaultNo };

class Prompter {
public:
    virtual ~Prompter() = default;
    // A plain information box with one "OK" button.
    virtual void information(const QString& text, const QString& caption = {}) = 0;
    // A confirmation; returns the button pressed (Cancel also for the close box).
    virtual Answer ask(const QString& text, Buttons buttons, const QString& caption = {}) = 0;
    // An input box; nothing when cancelled.
    virtual std::optional<QString> input(const QString& caption, const QString& prompt, const QString& initial) = 0;
};

class RandomSource {
public:
    virtual ~RandomSource() = default;
    virtual int below(int n) = 0; // uniform 0..n-1 (0 when n <= 0)
    virtual double real() = 0;    // uniform in [0, 1)
    virtual void seedFromClock() = 0;
};

class DocumentOpener {
public:
    virtual ~DocumentOpener() = default;
    // Hands the file to the desktop's viewer; false when that failed.
    virtual bool open(const QString& path) = 0;
};

class FolderChooser {
public:
    virtual ~FolderChooser() = default;
    virtual std::optional<QString> choose(const QString& startFolder) = 0;
    // A file to save to, starting from `suggested` (a full path); nothing
    // when the user cancelled. `filter` as the file dialog shows it.
    virtual std::optional<QString> chooseSaveFile(const QString& suggested, const QString& filter) = 0;
};

} // namespace core
