// SPDX-License-Identifier: GPL-3.0-or-later
// Choosing a pool and drawing questions from a lesson of 200,000 members, in
// every order, for the test and the learn run; and what each question costs
// besides the draw (answer check, choice buttons, card drawing).
#include "support/scriptedservices.h"
#include "tablestore/cursorguard.h"
#include "training/answercheck.h"
#include "training/cardview.h"
#include "training/choicefill.h"
#include "training/questionorder.h"
#include "wordgen.h"

#include <QApplication>
#include <QElapsedTimer>
#include <cstdio>

using namespace training;

namespace {

constexpr int kRows = 200000;
constexpr int kDraws = 1000;

void fill(core::Database& db, core::SettingsStore& settings) {
    for (ts::Table* t : {&db.users, &db.lessons, &db.members, &db.knowledge, &db.vocabulary})
        t->createDataSet();
    db.users.insert();
    db.users.setValue("ID", 1);
    db.users.setValue("Name", "Anna");
    db.users.setValue("Letzte Sprache", "englisch");
    db.users.post();
    settings.writeInteger("AktuelleBenutzerID", 1);
    db.lessons.insert();
    db.lessons.setValue("ID", 1);
    db.lessons.setValue("Name", "ALLE VOKABELN");
    db.lessons.setValue("Sprache", "englisch");
    db.lessons.post();
    {
        // Filled apart and loaded whole: row by row, every insert would
        // draw its ID from the settings file.
        ts::Table v(QStringLiteral("v"));
        core::Database::defineVocabulary(v);
        v.createDataSet();
        bench::fillVocabulary(v, kRows);
        db.vocabulary.loadFromBuffer(v.saveToBuffer(ts::Table::Format::Compact));
    }
    db.vocabulary.setOrder("ID");
    const int idField = db.vocabulary.field("ID");
    const ts::BulkInsertGuard membersBulk(db.members);
    const ts::BulkInsertGuard knowledgeBulk(db.knowledge);
    for (int i = 0; i < kRows; ++i) {
        const int id = db.vocabulary.valueAt(i, idField).toInt();
        db.members.insert();
        db.members.setValue("LektionsID", 1);
        db.members.setValue("VokabelID", id);
        db.members.post();
        if (i % 2 == 0) { // half the words tested before, coefficients 1..5
            db.knowledge.insert();
            db.knowledge.setValue("BenutzerID", 1);
            db.knowledge.setValue("VokabelID", id);
            db.knowledge.setValue("Lernkoeffizient", double(1 + i % 5));
            db.knowledge.post();
        }
    }
}

double msSince(const QElapsedTimer& t) {
    return double(t.nsecsElapsed()) / 1e6;
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    testsupport::TestContext tc;
    core::Database& db = tc.ctx->db;
    fill(db, tc.ctx->settings);
    core::ClockRandom random;
    Pool pool(db);

    QElapsedTimer t;
    t.start();
    for (int i = 0; i < 5; ++i)
        pool.choose("ALLE VOKABELN");
    std::printf("lesson of %d members\n", pool.size());
    std::printf("  choose the pool:                         %8.2f ms\n", msSince(t) / 5);

    struct Mode {
        const char* name;
        int order;
        bool loop;
    };
    const Mode modes[] = {{"Sequentiell", Sequential, false},  {"Sequentiell, Schleife", Sequential, true},
                          {"Zufällig", Random, false},         {"Zufällig, Schleife", Random, true},
                          {"Nach Können", ByKnowledge, false}, {"Nach Können, Schleife", ByKnowledge, true}};
    std::printf("%d draws (total):                         test run    learn run\n", kDraws);
    for (const Mode& m : modes) {
        core::PracticeOptions o;
        o.OrderMode = m.order;
        o.loop = m.loop;
        double times[2];
        for (int run = 0; run < 2; ++run) {
            AskedList asked;
            pool.first();
            int shown = 0;
            t.restart();
            for (int i = 0; i < kDraws; ++i) {
                if (run == 0)
                    nextTestEntry(pool, asked, o, random, db, [&] { ++shown; });
                else
                    nextLearnEntry(pool, asked, o, random, db, false, 1, [&] { ++shown; });
            }
            times[run] = msSince(t);
            if (shown != kDraws)
                std::printf("  (only %d shown)\n", shown);
        }
        const QString name = QString::fromUtf8(m.name).leftJustified(26);
        std::printf("  %s %12.2f ms %9.2f ms\n", name.toUtf8().constData(), times[0], times[1]);
    }

    CardImage q(QStringLiteral("q")), a(QStringLiteral("a"));
    const int perQuestion = 200;
    double check = 0, choices = 0, card = 0;
    pool.first();
    for (int i = 0; i < perQuestion; ++i) {
        RandomStep(pool, random, nullptr);
        const int id = pool.vocabularyId();
        t.restart();
        AnswerCheck(db.vocabulary, id, 0, QStringLiteral("falsch"));
        check += msSince(t);
        t.restart();
        ChoiceFill(pool, db.vocabulary, random, id, 0);
        choices += msSince(t);
        t.restart();
        CardView(q, a, db.vocabulary, id, 0, CardPart::Whole);
        card += msSince(t);
    }
    std::printf("per question, mean of %d:\n", perQuestion);
    std::printf("  answer check:                            %8.2f ms\n", check / perQuestion);
    std::printf("  four choices:                            %8.2f ms\n", choices / perQuestion);
    std::printf("  learn card with its meanings:            %8.2f ms\n", card / perQuestion);
    return 0;
}
