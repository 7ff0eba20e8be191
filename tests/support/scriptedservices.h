// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/appcontext.h"

#include <QStringList>
#include <QTemporaryDir>
#include <deque>

namespace testsupport {

// Answers prompts from a script and records every text that was shown.
class ScriptedPrompter : public core::Prompter {
public:
    QStringList shown;                         // every text, in order
    std::deque<core::Answer> answers;          // for ask()
    std::deque<std::optional<QString>> inputs; // for input()
    QList<core::Buttons> asked;                // the buttons of every ask()

    void information(const QString& text, const QString&) override { shown << text; }
    core::Answer ask(const QString& text, core::Buttons buttons, const QString&) override {
        shown << text;
        asked << buttons;
        if (answers.empty())
            return buttons == core::Buttons::YesNo || buttons == core::Buttons::YesNoDefaultNo ? core::Answer::No
                                                                                               : core::Answer::Cancel;
        const core::Answer a = answers.front();
        answers.pop_front();
        return a;
    }
    std::optional<QString> input(const QString&, const QString& prompt, const QString&) override {
        shown << prompt;
        std::optional<QString> v;
        if (!inputs.empty()) {
            v.swap(inputs.front());
            inputs.pop_front();
        }
        return v;
    }
};

// Replays numbers from a script, then repeats the last one.
class ScriptedRandom : public core::RandomSource {
public:
    std::deque<int> ints;
    std::deque<double> reals;
    int seeded = 0;
    int below(int n) override {
        int v = ints.empty() ? 0 : ints.front();
        if (ints.size() > 1)
            ints.pop_front();
        return n <= 0 ? 0 : v % n;
    }
    double real() override {
        double v = reals.empty() ? 0.0 : reals.front();
        if (reals.size() > 1)
            reals.pop_front();
        return v;
    }
    void seedFromClock() override { ++seeded; }
};

class RecordingOpener : public core::DocumentOpener {
public:
    QStringList opened;
    bool open(const QString& path) override {
        opened << path;
        return QFileInfo::exists(path);
    }
};

class ScriptedFolderChooser : public core::FolderChooser {
public:
    std::deque<std::optional<QString>> answers;
    QStringList startFolders;
    // Save-file answers: nothing cancels, "" takes the suggested name; once
    // the script has run out, every suggestion is taken.
    std::deque<std::optional<QString>> files;
    QStringList suggestedFiles;
    std::optional<QString> chooseSaveFile(const QString& suggested, const QString&) override {
        suggestedFiles << suggested;
        if (files.empty())
            return suggested;
        std::optional<QString> v;
        v.swap(files.front());
        files.pop_front();
        if (v && v->isEmpty())
            return suggested;
        return v;
    }
    std::optional<QString> choose(const QString& start) override {
        startFolders << start;
        std::optional<QString> v;
        if (!answers.empty()) {
            v.swap(answers.front());
            answers.pop_front();
        }
        return v;
    }
};

// A context on fresh temporary folders with scripted services. The data
// folder is not created, as on a machine that never ran the program. A
// fixture whose prompts must do more names its own prompter type.
template <class PrompterType = ScriptedPrompter> struct BasicTestContext {
    QTemporaryDir dir;
    PrompterType* prompter = nullptr;
    ScriptedRandom* random = nullptr;
    RecordingOpener* opener = nullptr;
    ScriptedFolderChooser* folders = nullptr;
    std::unique_ptr<core::AppContext> ctx;

    BasicTestContext() { make(); }

    QString dataFolder() const { return dir.filePath("data/Moriva Vokabeltrainer/"); }
    QString dataFile(const QString& name) const { return dataFolder() + name; }

    // A new context on the same folders: the next start of the program.
    void make() {
        ctx.reset();
        core::Services s;
        auto p = std::make_unique<PrompterType>();
        auto r = std::make_unique<ScriptedRandom>();
        auto o = std::make_unique<RecordingOpener>();
        auto f = std::make_unique<ScriptedFolderChooser>();
        prompter = p.get();
        random = r.get();
        opener = o.get();
        folders = f.get();
        s.prompter = std::move(p);
        s.random = std::move(r);
        s.opener = std::move(o);
        s.folderChooser = std::move(f);
        core::AppPaths paths{dataFolder(), dir.filePath("config/Moriva Software/Vokabeltrainer.reg"),
                             dir.filePath("program/"), dir.filePath("home/")};
        ctx = std::make_unique<core::AppContext>(paths, std::move(s));
    }
};

using TestContext = BasicTestContext<>;

} // namespace testsupport
