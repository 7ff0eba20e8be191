// SPDX-License-Identifier: GPL-3.0-or-later
// A print dialog built on its own: what it asks of the window that holds it.
#include "printing/druckerdialog.h"
#include "support/recordinghost.h"
#include "vocabtestsupport.h"

#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>

using namespace printing;

class PrintDialogHostTest : public QObject {
    Q_OBJECT

private slots:
    void previewGoesThroughTheHost() {
        ts::Table vocabulary(QStringLiteral("Vokabeln"));
        test::makeVocabulary(vocabulary);
        test::addWord(vocabulary, 1, QStringLiteral("Hund"), QStringLiteral("dog"), QStringLiteral("Tiere"));
        RecordingHost host;
        DruckerDialogtestF dialog(vocabulary, host);
        dialog.FormShow();
        // The test dialog only takes the views back; it never let them go.
        QCOMPARE(host.calls, QStringList{"AttachVocabularyViews"});
        host.calls.clear();
        dialog.RBAuslaendisch->setChecked(true);
        dialog.Button1->click();
        QCOMPARE(host.calls, QStringList{"previewPrint 3 auslaendisch"});
        QCOMPARE(vocabulary.recordCount(), 1);
        host.calls.clear();
        dialog.SpeedButtonHilfe->click();
        QCOMPARE(host.calls, QStringList{"OpenManual Dialog"});
    }

    void tableWithoutTheFieldsIsReportedAndNothingPreviewed() {
        ts::Table bare(QStringLiteral("Vokabeln"));
        bare.addField("ID", ts::FieldType::Integer);
        bare.createDataSet();
        RecordingHost host;
        DruckerDialogListeF dialog(bare, host);
        dialog.Button1->click();
        QCOMPARE(host.calls.size(), 1);
        QVERIFY(host.calls.first().startsWith("inform "));
        QVERIFY(!bare.isFiltered());
    }
};

QTEST_MAIN(PrintDialogHostTest)
#include "tst_print_dialog_host.moc"
