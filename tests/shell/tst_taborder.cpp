// SPDX-License-Identifier: GPL-3.0-or-later
// Tab walks every window in the order a reader sees its controls.
#include "backup/datensichern.h"
#include "printing/druckerdialog.h"
#include "shell/workpanel.h"
#include "support/mainwindowfixture.h"
#include "training/trainingarea.h"
#include "users/sprache.h"
#include "users/benutzer.h"
#include "users/benutzeranlegen.h"
#include "users/benutzerbearbeiten.h"
#include "users/benutzerwechseln.h"
#include "vocabulary/lessonpanel.h"
#include "vocabulary/vokabellektion.h"
#include "vocabulary/vokabeln.h"

#include <QDialog>

using namespace testsupport;

namespace {

// `b` comes before `a` for a reader: above it in the same column, or left
// of it on the same line.
bool readBefore(const QRect& b, const QRect& a) {
    const bool sameColumn = b.left() < a.right() && a.left() < b.right();
    const bool sameLine = b.top() < a.bottom() && a.top() < b.bottom();
    return (sameColumn && b.bottom() < a.top()) || (sameLine && !sameColumn && b.right() < a.left());
}

QString describe(const QWidget* w) {
    QString name = w->objectName();
    for (const QWidget* p = w->parentWidget(); name.isEmpty() && p; p = p->parentWidget())
        name = p->objectName() + QStringLiteral("/") + QString::fromLatin1(w->metaObject()->className());
    return name;
}

} // namespace

class TabOrderTest : public QObject, public MainWindowFixture {
    Q_OBJECT

    // Every control Tab reaches in `window`, in the order Tab reaches them.
    static QList<QWidget*> chain(QWidget* window) {
        QList<QWidget*> out;
        QWidget* w = window;
        for (int guard = 0; guard < 2000; ++guard) {
            w = w->nextInFocusChain();
            if (w == window)
                break;
            if (w->window() == window && w->isVisible() && w->isEnabled() && (w->focusPolicy() & Qt::TabFocus) &&
                w->width() > 0 && !w->focusProxy())
                out << w;
        }
        return out;
    }
    // The steps of the chain that go back for a reader, one line each. Tab
    // goes round, so one step back to a control nothing reads before is in
    // order: from the last control to the first.
    static QStringList stepsBack(QWidget* window) {
        const QList<QWidget*> controls = chain(window);
        if (controls.size() < 2)
            return {window->objectName() + QStringLiteral(": Tab reaches nothing")};
        const auto rect = [window](QWidget* w) { return QRect(w->mapTo(window, QPoint()), w->size()); };
        QStringList out;
        bool roundAllowed = true;
        for (int i = 0; i < controls.size(); ++i) {
            QWidget* from = controls[i];
            QWidget* to = controls[(i + 1) % controls.size()];
            if (!readBefore(rect(to), rect(from)))
                continue;
            const bool toFirst = std::none_of(controls.begin(), controls.end(),
                                              [&](QWidget* w) { return readBefore(rect(w), rect(to)); });
            if (toFirst && roundAllowed) {
                roundAllowed = false;
                continue;
            }
            out << QStringLiteral("%1: Tab goes from %2 back to %3")
                       .arg(window->objectName(), describe(from), describe(to));
        }
        return out;
    }
    static QStringList dialogStepsBack(QDialog* d) {
        d->show();
        if (!QTest::qWaitForWindowExposed(d))
            return {d->objectName() + QStringLiteral(": not shown")};
        const QStringList out = stepsBack(d);
        d->reject();
        return out;
    }

private slots:
    void init() {
        tc = std::make_unique<TestContext>();
        writeVocabulary(tc->dataFile("englisch.v02"), {{1, "Haus"}, {2, "Baum"}});
        start();
        form->resize(1100, 760);
    }
    void cleanup() { form.reset(); }

    void everyPanelOfTheMainWindow() {
        const std::pair<const char*, std::function<void()>> panels[] = {
            {"Vokabeln", [this] { form->VokabelnClick(); }},
            {"Lektionen", [this] { form->LektionenClick(); }},
            {"Wörterbuch", [this] { form->WoerterbuchClick(); }},
            {"Statistik", [this] { form->StatistikClick(); }},
            {"Lernen", [this] { form->showPanel(form->PLernen); }},
            {"Testen", [this] { form->showPanel(form->PTesten); }},
        };
        QStringList back;
        for (const auto& [name, open] : panels) {
            open();
            QTest::qWait(1);
            for (const QString& step : stepsBack(form.get()))
                back << QString::fromUtf8(name) + QStringLiteral(" – ") + step;
        }
        QVERIFY2(back.isEmpty(), qPrintable(back.join(QLatin1Char('\n'))));
    }

    void everyDialog() {
        QStringList back;
        for (QDialog* d : std::initializer_list<QDialog*>{
                 form->spracheF, form->datenSichernF, form->benutzeranlegenF, form->benutzerbearbeitenF,
                 form->benutzerF, form->benutzerwechselnF, form->vokabelnF, form->vokabelLektionF,
                 form->karteikartenDruckF, form->vokabellisteDruckF, form->vokabeltestDruckF,
                 form->training->lektionauswaehlenF, form->training->lektionauswaehlentestF,
                 form->training->lernenoptionenF, form->training->testoptionenF}) {
            QVERIFY(d);
            back << dialogStepsBack(d);
        }
        QVERIFY2(back.isEmpty(), qPrintable(back.join(QLatin1Char('\n'))));
    }
};

QTEST_MAIN(TabOrderTest)
#include "tst_taborder.moc"
