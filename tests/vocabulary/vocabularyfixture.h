// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "databound/combobox.h"
#include "databound/edit.h"
#include "shell/workpanel.h"
#include "tablestore/cursorguard.h"
#include "support/mainwindowfixture.h"
#include "vocabulary/vocabularyeditor.h"
#include "vocabulary/vokabeln.h"

#include <QLineEdit>
#include <QPushButton>

namespace testsupport {

// The main window over an English vocabulary, with helpers to type and to
// read the tables.
struct VocabularyFixture : MainWindowFixture {
    core::Database& db() { return tc->ctx->db; }
    ScriptedPrompter& prompts() { return *tc->prompter; }

    void startWith(const QList<std::pair<int, QString>>& words) {
        tc = std::make_unique<TestContext>();
        writeVocabulary(tc->dataFile("englisch.v02"), words);
        tc->ctx->settings.writeInteger("LastVokID", 100);
        start();
    }
    static void type(QLineEdit* e, const QString& text) {
        e->setFocus();
        e->selectAll();
        if (text.isEmpty())
            QTest::keyClick(e, Qt::Key_Delete);
        // One key per character, umlauts and emoji too (keyClicks knows only
        // ASCII); a character outside the basic plane arrives whole.
        for (char32_t c : text.toUcs4())
            QTest::sendKeyEvent(QTest::Click, e, Qt::Key_unknown, QString::fromUcs4(&c, 1), Qt::NoModifier);
    }
    // A new word typed into the vocabulary panel and saved with Enter.
    void enterWord(const QString& de, const QString& en, const QString& group = {}) {
        vocabulary::VocabularyEditor* panel = form->vokabelverwaltung;
        if (db().vocabulary.state() != ts::Table::State::Insert)
            panel->BNeu->click();
        type(panel->DBEdit1, de);
        type(panel->DBEdit2, en);
        if (!group.isNull())
            type(panel->CBSachgruppe->lineEdit(), group);
        QTest::keyClick(panel->DBEdit2, Qt::Key_Return);
    }
    int lessonId(const QString& name) {
        auto& l = db().lessons;
        for (int i = 0; i < l.recordCount(); ++i)
            if (l.valueAt(i, l.field("Name")).toString() == name)
                return l.valueAt(i, l.field("ID")).toInt();
        return -1;
    }
    // Membership rows of a vocabulary, over all lessons.
    int membershipsOf(int vocabularyId) {
        auto& m = db().members;
        const auto all = ts::CursorGuard::byRowNumber(m, ts::CursorGuard::Rows::All);
        int n = 0;
        for (int i = 0; i < m.recordCount(); ++i)
            n += m.valueAt(i, m.field("VokabelID")).toInt() == vocabularyId;
        return n;
    }
    bool isMember(int vocabularyId, int lesson) {
        auto& m = db().members;
        const auto all = ts::CursorGuard::byRowNumber(m, ts::CursorGuard::Rows::All);
        for (int i = 0; i < m.recordCount(); ++i)
            if (m.valueAt(i, m.field("VokabelID")).toInt() == vocabularyId &&
                m.valueAt(i, m.field("LektionsID")).toInt() == lesson)
                return true;
        return false;
    }
};

} // namespace testsupport
