// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "shell/mainform.h"
#include "shell/workpanel.h"
#include "support/mainwindowfixture.h"
#include "support/vocabularyrows.h"
#include "training/trainingarea.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <functional>

namespace trainingtest {

// A prompter whose boxes can run something while they are open, as a timer
// tick can during a real modal box.
class HookPrompter : public testsupport::ScriptedPrompter {
public:
    std::function<void()> whileAsking;
    std::function<void()> whileInforming;
    void information(const QString& text, const QString& caption) override {
        if (whileInforming)
            whileInforming();
        ScriptedPrompter::information(text, caption);
    }
    core::Answer ask(const QString& text, core::Buttons buttons, const QString& caption) override {
        if (whileAsking)
            whileAsking();
        return ScriptedPrompter::ask(text, buttons, caption);
    }
};

using Word = testsupport::VocabularyRow;

// The real main window on temporary folders with scripted prompts and
// random numbers; the vocabulary of "englisch" written before the start.
class TrainingFixture : public testsupport::BasicTestContext<HookPrompter> {
public:
    std::unique_ptr<shell::Mainform> form;

    ~TrainingFixture() { form.reset(); }

    // The window goes before the context it works on.
    void make() {
        form.reset();
        BasicTestContext::make();
    }

    // The words of a language, written before the start. A training word
    // always has a foreign word and a remark, if only an empty one.
    void writeWords(QList<Word> words, const QString& language = "englisch") {
        for (Word& w : words) {
            w.foreign = w.foreign.value_or(QString());
            w.remark = w.remark.value_or(QString());
        }
        testsupport::writeLanguage(dataFolder(), language, words);
    }

    void start() { testsupport::startMainform(form, *ctx); }
    // Closes the program (writing every file) and starts it again.
    void restart() {
        form->close();
        make();
        start();
    }

    // A lesson of the current language with these vocabularies.
    void addLesson(const QString& name, const QList<int>& ids, const QString& language = "englisch") {
        auto& db = ctx->db;
        db.lessons.insert();
        db.lessons.setValue("Name", name);
        db.lessons.setValue("Sprache", language);
        db.lessons.post();
        const int lesson = db.lessons.integer("ID");
        for (int id : ids) {
            db.members.insert();
            db.members.setValue("LektionsID", lesson);
            db.members.setValue("VokabelID", id);
            db.members.post();
        }
    }

    training::TrainingArea& area() { return *form->training; }
    training::TestPanel& test() { return *area().testPanel; }
    training::LearnPanel& learn() { return *area().learnPanel; }

    // Opens a modal dialog through `open` and runs `act` while it is shown.
    static void whileShown(const std::function<void()>& open, const std::function<void()>& act) {
        bool ran = false;
        QTimer::singleShot(0, [&] {
            act();
            ran = true;
        });
        open();
        QVERIFY(ran);
    }
    // Chooses a lesson in a lesson dialog; "Ok" unless `cancel`.
    void chooseLesson(bool forTest, const QString& name, bool cancel = false) {
        training::LessonDialog* d =
            forTest ? static_cast<training::LessonDialog*>(area().lektionauswaehlentestF) : area().lektionauswaehlenF;
        whileShown([&] { forTest ? form->TestenClick() : form->LernenClick(); },
                   [&] {
                       const auto items = d->ListBox1->findItems(name, Qt::MatchExactly);
                       if (!items.isEmpty())
                           d->ListBox1->setCurrentItem(items.front());
                       QTest::mouseClick(cancel ? d->Button2 : d->Button1, Qt::LeftButton);
                       if (d->isVisible())
                           d->reject(); // refused: leave the way a user would
                   });
    }
    QStringList lessonList(bool forTest) {
        training::LessonDialog* d =
            forTest ? static_cast<training::LessonDialog*>(area().lektionauswaehlentestF) : area().lektionauswaehlenF;
        QStringList names;
        whileShown([&] { forTest ? form->TestenClick() : form->LernenClick(); },
                   [&] {
                       for (int i = 0; i < d->ListBox1->count(); ++i)
                           names << d->ListBox1->item(i)->text();
                       d->reject();
                   });
        return names;
    }
    // Opens the test options dialog from the test panel, runs `act`, then "Ok".
    void testOptions(const std::function<void(training::testoptionenF&)>& act, bool ok = true) {
        auto* d = area().testoptionenF;
        whileShown([&] { QTest::mouseClick(test().SpeedButton10, Qt::LeftButton); },
                   [&] {
                       act(*d);
                       if (ok)
                           QTest::mouseClick(d->Button1, Qt::LeftButton);
                       if (d->isVisible())
                           d->reject();
                   });
    }
    void learnOptions(const std::function<void(training::lernenoptionenF&)>& act) {
        auto* d = area().lernenoptionenF;
        whileShown([&] { QTest::mouseClick(learn().SpeedButton12, Qt::LeftButton); },
                   [&] {
                       act(*d);
                       QTest::mouseClick(d->Button1, Qt::LeftButton);
                   });
    }

    int userTotal(const char* field) {
        ctx->db.locateCurrentUser();
        return ctx->db.users.integer(field);
    }
    double coefficient(int vocabularyId) {
        auto& k = ctx->db.knowledge;
        return k.locate("VokabelID;BenutzerID", {vocabularyId, ctx->settings.readInteger("AktuelleBenutzerID")})
                   ? k.number("Lernkoeffizient")
                   : -1.0;
    }
    static QStringList texts(const training::CardImage& card) {
        QStringList out;
        for (const auto& t : card.texts())
            out << t.text;
        return out;
    }
};

} // namespace trainingtest
