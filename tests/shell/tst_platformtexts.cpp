// SPDX-License-Identifier: GPL-3.0-or-later
// What the desktop contributes to every window: Qt's own texts in German, and
// the faces the layouts are measured in, resolved to the installed stand-ins.
#include "shell/qttranslations.h"

#include <QDialogButtonBox>
#include <QFontInfo>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QtTest>

class PlatformTextsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(shell::installQtTranslations(*QCoreApplication::instance())); }

    void qtsOwnTextsAreGerman() {
        QLineEdit edit;
        std::unique_ptr<QMenu> menu(edit.createStandardContextMenu());
        QStringList captions;
        for (QAction* a : menu->actions())
            captions << a->text().section(u'\t', 0, 0); // without the shortcut
        QVERIFY2(captions.contains(QStringLiteral("&Kopieren")), qPrintable(captions.join(u'|')));
        QVERIFY2(captions.contains(QStringLiteral("Einf&ügen")), qPrintable(captions.join(u'|')));

        QDialogButtonBox box(QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Save);
        QCOMPARE(box.button(QDialogButtonBox::Cancel)->text(), QStringLiteral("Abbrechen"));
        QCOMPARE(box.button(QDialogButtonBox::Save)->text(), QStringLiteral("Speichern"));
    }

    // The printed layouts' widths and shortened titles are measured in Arial;
    // the panel titles ask for a comic face. Both must come out as a face the
    // package installs, never as an arbitrary fallback (a calligraphic face
    // for the titles, a wider sans for the layouts).
    void theLayoutFacesResolveToTheirStandIns() {
        const QFont arial(QStringLiteral("Arial"));
        QVERIFY2(QStringList({QStringLiteral("Arial"), QStringLiteral("Liberation Sans")}).contains(QFontInfo(arial).family()),
                 qPrintable(QFontInfo(arial).family()));
        QFont title(QStringLiteral("Comic Sans MS"));
        title.setStyleHint(QFont::Cursive);
        QVERIFY2(QStringList({QStringLiteral("Comic Sans MS"), QStringLiteral("Comic Neue")}).contains(QFontInfo(title).family()),
                 qPrintable(QFontInfo(title).family()));
    }
};

QTEST_MAIN(PlatformTextsTest)
#include "tst_platformtexts.moc"
