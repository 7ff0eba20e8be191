// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktopservices.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QProcess>
#include <QMimeDatabase>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QUrl>

namespace shell {

namespace {
QString captionOr(const QString& caption) {
    return caption.isEmpty() ? QStringLiteral("Moriva Vokabeltrainer") : caption;
}
} // namespace

void WidgetPrompter::information(const QString& text, const QString& caption) {
    QMessageBox box(QMessageBox::Information, captionOr(caption), text, QMessageBox::NoButton, parent_);
    box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    box.exec();
}

core::Answer WidgetPrompter::ask(const QString& text, core::Buttons buttons, const QString& caption) {
    QMessageBox box(QMessageBox::Question, captionOr(caption), text, QMessageBox::NoButton, parent_);
    struct Choice {
        const char* label;
        QMessageBox::ButtonRole role;
        core::Answer answer;
    };
    std::vector<Choice> choices;
    switch (buttons) {
    case core::Buttons::Ok:
        choices = {{"OK", QMessageBox::AcceptRole, core::Answer::Ok}};
        break;
    case core::Buttons::YesNo:
    case core::Buttons::YesNoDefaultNo:
        choices = {{"Ja", QMessageBox::YesRole, core::Answer::Yes}, {"Nein", QMessageBox::NoRole, core::Answer::No}};
        break;
    case core::Buttons::YesCancel:
        choices = {{"Ja", QMessageBox::YesRole, core::Answer::Yes},
                   {"Abbrechen", QMessageBox::RejectRole, core::Answer::Cancel}};
        break;
    case core::Buttons::YesNoCancel:
        choices = {{"Ja", QMessageBox::YesRole, core::Answer::Yes},
                   {"Nein", QMessageBox::NoRole, core::Answer::No},
                   {"Abbrechen", QMessageBox::RejectRole, core::Answer::Cancel}};
        break;
    case core::Buttons::OkCancel:
        choices = {{"OK", QMessageBox::AcceptRole, core::Answer::Ok},
                   {"Abbrechen", QMessageBox::RejectRole, core::Answer::Cancel}};
        break;
    }
    std::vector<QAbstractButton*> made;
    for (const Choice& c : choices)
        made.push_back(box.addButton(QString::fromUtf8(c.label), c.role));
    if (buttons == core::Buttons::YesNoDefaultNo)
        box.setDefaultButton(static_cast<QPushButton*>(made[1]));
    box.exec();
    for (size_t i = 0; i < made.size(); ++i)
        if (box.clickedButton() == made[i])
            return choices[i].answer;
    // Closed by the frame or Escape: the cautious answer.
    const bool yesNo = buttons == core::Buttons::YesNo || buttons == core::Buttons::YesNoDefaultNo;
    return yesNo ? core::Answer::No : core::Answer::Cancel;
}

std::optional<QString> WidgetPrompter::input(const QString& caption, const QString& prompt, const QString& initial) {
    QInputDialog dlg(parent_);
    dlg.setWindowTitle(caption);
    dlg.setLabelText(prompt);
    dlg.setTextValue(initial);
    dlg.setOkButtonText(QStringLiteral("OK"));
    dlg.setCancelButtonText(QStringLiteral("Abbrechen"));
    if (dlg.exec() != QDialog::Accepted)
        return std::nullopt;
    return dlg.textValue();
}

namespace {

// Whether the desktop names an application for the file's type. The desktop
// services hand the file to xdg-open and report success even when nothing
// opens it, so the MIME database is asked first, the way xdg-open asks it.
bool desktopHasViewerFor(const QString& path) {
    const QString type = QMimeDatabase().mimeTypeForFile(path).name();
    QProcess query;
    query.start(QStringLiteral("xdg-mime"), {QStringLiteral("query"), QStringLiteral("default"), type});
    if (!query.waitForFinished(3000) || query.exitStatus() != QProcess::NormalExit || query.exitCode() != 0)
        return false;
    const QString desktopFile = QString::fromLocal8Bit(query.readAllStandardOutput()).trimmed();
    if (desktopFile.isEmpty())
        return false;
    // An entry left behind by an uninstalled viewer names a file that is gone.
    return !QStandardPaths::locate(QStandardPaths::ApplicationsLocation, desktopFile).isEmpty();
}

} // namespace

bool DesktopOpener::open(const QString& path) {
    if (!QFileInfo::exists(path) || !desktopHasViewerFor(path))
        return false;
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

std::optional<QString> DialogFolderChooser::choose(const QString& startFolder) {
    const QString dir = QFileDialog::getExistingDirectory(QApplication::activeWindow(),
                                                          QStringLiteral("Ordner auswählen"), startFolder);
    if (dir.isEmpty())
        return std::nullopt;
    return dir;
}

std::optional<QString> DialogFolderChooser::chooseSaveFile(const QString& suggested, const QString& filter) {
    // The file need not exist, nor its folder yet: the caller creates it. The
    // dialog itself can only open in a folder that exists; given a missing
    // one it would fall back to wherever the program was started, and a
    // plain "Speichern" would put the file there.
    const QFileInfo wanted(suggested);
    QString folder = wanted.absolutePath();
    while (!QFileInfo(folder).isDir()) {
        const QString up = QFileInfo(folder).path();
        if (up == folder)
            break;
        folder = up;
    }
    const QString file = QFileDialog::getSaveFileName(QApplication::activeWindow(), QStringLiteral("Speichern unter"),
                                                      QDir(folder).filePath(wanted.fileName()), filter);
    if (file.isEmpty())
        return std::nullopt;
    return file;
}

} // namespace shell
