// SPDX-License-Identifier: GPL-3.0-or-later
// Unit conversion.
#include "pstypes.h"

#include <QtTest>

using namespace printing;

class TestPrintUnits : public QObject {
    Q_OBJECT
private slots:
    void pixelsToOthers() {
        QCOMPARE(ConvertUnits(600, unPixels, unInches, 600, 4958), 1.0);
        QCOMPARE(ConvertUnits(600, unPixels, unMillimeters, 600, 4958), 25.4);
        QCOMPARE(ConvertUnits(600, unPixels, unPercents, 600, 4958), 12.102);  // 12.10165...
        QCOMPARE(ConvertUnits(100, unPixels, unMillimeters, 300, 2000), 8.47); // 8.4666...
    }
    void othersToPixels() {
        QCOMPARE(ConvertUnits(0.3, unInches, unPixels, 600, 7017), 180.0);
        QCOMPARE(ConvertUnits(0.2, unInches, unPixels, 600, 7017), 120.0);
        QCOMPARE(ConvertUnits(0.173, unInches, unPixels, 600, 7017), 104.0); // 103.8
        QCOMPARE(ConvertUnits(25.4, unMillimeters, unPixels, 300, 2000), 300.0);
        QCOMPARE(ConvertUnits(10, unPercents, unPixels, 300, 2000), 200.0);
        QCOMPARE(ConvertUnits(50, unPercents, unInches, 600, 1200), 1.0);
        QCOMPARE(ConvertUnits(1, unInches, unMillimeters, 600, 0), 25.4);
        QCOMPARE(ConvertUnits(10, unMillimeters, unInches, 600, 0), 0.394); // 0.3937
    }
    void sameUnitOnlyRounds() {
        QCOMPARE(ConvertUnits(12.345, unMillimeters, unMillimeters, 600, 0), 12.34); // tie to even
        QCOMPARE(ConvertUnits(12.355, unMillimeters, unMillimeters, 600, 0), 12.36);
        QCOMPARE(ConvertUnits(2.5, unPixels, unPixels, 600, 0), 2.0);
        QCOMPARE(ConvertUnits(3.5, unPixels, unPixels, 600, 0), 4.0);
        QCOMPARE(ConvertUnits(1.0005, unInches, unInches, 600, 0), 1.0);
        QCOMPARE(ConvertUnits(1.0015, unInches, unInches, 600, 0), 1.002);
        QCOMPARE(ConvertUnits(33.3333, unPercents, unPercents, 600, 10), 33.333);
        QCOMPARE(ConvertUnits(1234, unPixels, unPixels, 600, 0), 1234.0);
    }
    void pixelTiesGoToEven() {
        // 150 px at 300 dpi = 12.7 mm; back at 600 dpi: 300 px exactly
        QCOMPARE(ConvertUnits(12.7, unMillimeters, unPixels, 600, 0), 300.0);
        // 0.5 inch at 5 dpi is 2.5 px: ties to even -> 2
        QCOMPARE(ConvertUnits(0.5, unInches, unPixels, 5, 0), 2.0);
        QCOMPARE(ConvertUnits(0.7, unInches, unPixels, 5, 0), 4.0); // 3.5 -> 4
    }
    void withoutPrinterResolutionIs300() { QCOMPARE(ConvertUnits(1, unInches, unPixels, 0, 0), 300.0); }
    void roundHelpers() {
        QCOMPARE(RoundToInt(0.5), 0);
        QCOMPARE(RoundToInt(1.5), 2);
        QCOMPARE(RoundToInt(-0.5), 0);
        QCOMPARE(RoundToInt(83.333), 83);
        QCOMPARE(RoundTiesEven(2.675, 2), 2.68); // 267.5 tie -> 268
    }
    void enumSet() {
        TJobOptions o{joHeader};
        QVERIFY(o.contains(joHeader));
        QVERIFY(!o.contains(joFooter));
        o.insert(joFooter).remove(joHeader);
        QVERIFY(o.contains(joFooter) && !o.contains(joHeader));
        QVERIFY(TJobOptions{}.empty());
    }
};

QTEST_APPLESS_MAIN(TestPrintUnits)
#include "tst_print_units.moc"
