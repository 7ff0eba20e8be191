// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/appcontext.h"
#include "core/datafiles.h"
#include "core/firststart.h"
#include "shell/desktopservices.h"
#include "shell/mainform.h"
#include "shell/qttranslations.h"
#include "signalend.h"
#include "singleinstance.h"

#include <QApplication>
#include <QFile>
#include <QIcon>
#include <QMessageBox>
#include <QTimer>
#include <cstdio>

namespace {
QByteArray resource(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Moriva Vokabeltrainer"));
    QApplication::setApplicationVersion(QStringLiteral(VT_VERSION));
    // Lets the desktop match the window with the installed entry and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("de.moriva.Vokabeltrainer"));
    QIcon icon;
    for (int size : {16, 32, 48, 256})
        icon.addFile(QStringLiteral(":/icons/%1.png").arg(size), QSize(size, size));
    QApplication::setWindowIcon(icon);
    shell::installQtTranslations(app);

    // From the very first box on, a signal closes what is open and ends.
    routeTerminationSignals([] { signalend::dismissModalWindows(); });

    core::AppPaths paths = core::AppPaths::standard();
    SingleInstance instance(paths.dataFolder);
    if (!instance.acquire()) {
        const QString text = QStringLiteral("Der Vokabeltrainer läuft bereits.\n\n"
                                            "Bitte arbeiten Sie im schon geöffneten Fenster weiter. "
                                            "Zwei gleichzeitig laufende Programme könnten sich gegenseitig "
                                            "Änderungen überschreiben.");
        // Also for a start from a terminal, where the box may be hidden.
        std::fprintf(stderr, "%s\n", qPrintable(text));
        QMessageBox box(QMessageBox::Warning, QStringLiteral("Moriva Vokabeltrainer"), text, QMessageBox::NoButton);
        box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
        box.exec();
        return 1;
    }

    // Only now, holding the lock: no other copy is saving into the folder.
    core::datafiles::tidyAtStart(paths.dataFolder);
    core::firststart::prepareDataFolder(paths.dataFolder,
                                        resource(QStringLiteral(":/initial/data/wordlist/englisch.tsv")),
                                        resource(QStringLiteral(":/initial/Vokabeltrainer - Handbuch.pdf")));

    core::Services services;
    auto widgetPrompter = std::make_unique<shell::WidgetPrompter>();
    auto* prompterPtr = widgetPrompter.get();
    auto prompter = std::make_unique<signalend::EndingPrompter>(std::move(widgetPrompter));
    auto* endingPrompter = prompter.get();
    services.prompter = std::move(prompter);
    services.random = std::make_unique<core::ClockRandom>();
    services.opener = std::make_unique<shell::DesktopOpener>();
    services.folderChooser = std::make_unique<shell::DialogFolderChooser>();
    core::AppContext ctx(paths, std::move(services));

    shell::Mainform form(ctx);
    form.createWindows();
    prompterPtr->setParent(&form);
    // However the run ends, the close step runs once. A signal during the
    // start-up (its messages run their own event loop) closes the message and
    // lets the start-up finish without further ones, so that the close step
    // finds every table loaded as far as the files allowed.
    bool started = false;
    bool endRequested = false;
    routeTerminationSignals([&] {
        endingPrompter->startEnding();
        form.endOnSignal();
        signalend::dismissModalWindows();
        if (started)
            form.close();
        else
            endRequested = true;
    });
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &form, [&form] { form.runCloseStepOnce(); });
    QObject::connect(&app, &QCoreApplication::aboutToQuit, &form, [&form] { form.runCloseStepOnce(); });

    form.show();
    started = true;
    if (endRequested)
        QTimer::singleShot(0, &form, &QWidget::close);
    return QApplication::exec();
}
