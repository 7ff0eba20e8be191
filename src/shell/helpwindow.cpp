// SPDX-License-Identifier: GPL-3.0-or-later
#include "helpwindow.h"

#include <QFile>
#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QTextDocumentFragment>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QSplitter>
#include <QTextBlock>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace shell {

HelpWindow::HelpWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(QStringLiteral("Handbuch"));
    resize(980, 720);

    search = new QLineEdit(this);
    search->setObjectName(QStringLiteral("HelpSearch"));
    search->setPlaceholderText(QStringLiteral("Suchen …"));
    search->setClearButtonEnabled(true);
    search->setAccessibleName(QStringLiteral("Im Handbuch suchen"));
    searchResult = new QLabel(this);
    searchResult->setObjectName(QStringLiteral("HelpSearchResult"));
    openPdf = new QPushButton(QStringLiteral("Als PDF öffnen"), this);
    openPdf->setObjectName(QStringLiteral("HelpOpenPdf"));

    contents = new QListWidget(this);
    contents->setObjectName(QStringLiteral("HelpContents"));
    contents->setAccessibleName(QStringLiteral("Inhalt"));
    text = new QTextBrowser(this);
    text->setObjectName(QStringLiteral("HelpText"));
    text->setOpenExternalLinks(true);

    auto* top = new QHBoxLayout;
    top->addWidget(search, 1);
    top->addWidget(searchResult);
    top->addWidget(openPdf);
    auto* split = new QSplitter(this);
    split->addWidget(contents);
    split->addWidget(text);
    split->setStretchFactor(1, 1);
    split->setSizes({240, 740});
    auto* outer = new QVBoxLayout(this);
    outer->addLayout(top);
    outer->addWidget(split, 1);

    connect(search, &QLineEdit::returnPressed, this, [this] { findNext(search->text()); });
    connect(search, &QLineEdit::textChanged, searchResult, &QLabel::clear);
    connect(contents, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0 && row < chapterBlocks_.size())
            scrollToBlock(chapterBlocks_[row]);
    });
    connect(openPdf, &QPushButton::clicked, this, &HelpWindow::pdfRequested);
}

bool HelpWindow::load(const QString& markdownPath) {
    QFile file(markdownPath);
    const bool ok = file.open(QIODevice::ReadOnly);
    const QString folder = QFileInfo(markdownPath).absolutePath();
    // The pictures are referred to by name; they lie in "bilder" beside it.
    text->setSearchPaths({folder, folder + QStringLiteral("/bilder")});
    // Without HTML: the manual writes placeholders such as "<Datum>", which
    // would otherwise open an HTML element that swallows the chapters after it.
    const auto dialect =
        QTextDocument::MarkdownFeatures(QTextDocument::MarkdownDialectGitHub | QTextDocument::MarkdownNoHTML);
    if (ok)
        text->document()->setMarkdown(QString::fromUtf8(file.readAll()), dialect);
    else
        text->document()->setMarkdown(
            QStringLiteral("# Handbuch\n\nDas Handbuch wurde nicht gefunden (%1). Bitte installieren "
                           "Sie das Programm neu.")
                .arg(QFileInfo(markdownPath).fileName()),
            dialect);
    fitPictures(folder + QStringLiteral("/bilder"));
    buildContents();
    return ok;
}

void HelpWindow::fitPictures(const QString& pictureFolder) {
    // The pictures are of whole windows; wider than the text column they
    // would push it sideways, so they are shown scaled down to it.
    constexpr int kMaxWidth = 680;
    QTextCursor edit(text->document());
    for (QTextBlock b = text->document()->begin(); b.isValid(); b = b.next()) {
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextFragment f = it.fragment();
            if (!f.charFormat().isImageFormat())
                continue;
            QTextImageFormat image = f.charFormat().toImageFormat();
            const QSize size = QImageReader(QDir(pictureFolder).filePath(image.name())).size();
            if (!size.isValid() || size.width() <= kMaxWidth)
                continue;
            image.setWidth(kMaxWidth);
            image.setHeight(double(size.height()) * kMaxWidth / size.width());
            edit.setPosition(f.position());
            edit.setPosition(f.position() + f.length(), QTextCursor::KeepAnchor);
            edit.setCharFormat(image);
        }
    }
}

void HelpWindow::buildContents() {
    const QSignalBlocker quiet(contents);
    contents->clear();
    chapterBlocks_.clear();
    for (QTextBlock b = text->document()->begin(); b.isValid(); b = b.next()) {
        if (b.blockFormat().headingLevel() != 2)
            continue;
        contents->addItem(b.text());
        chapterBlocks_ << b.blockNumber();
    }
}

void HelpWindow::scrollToBlock(int blockNumber) {
    const QTextBlock block = text->document()->findBlockByNumber(blockNumber);
    // From the end back to the block, so the heading stands at the top of
    // the view, whatever width the text was laid out for.
    text->moveCursor(QTextCursor::End);
    text->ensureCursorVisible();
    text->setTextCursor(QTextCursor(block));
    text->ensureCursorVisible();
}

void HelpWindow::showChapter(int number) {
    const QString prefix = QString::number(number) + u'.';
    for (int i = 0; i < contents->count(); ++i) {
        if (contents->item(i)->text().startsWith(prefix)) {
            contents->setCurrentRow(i);
            scrollToBlock(chapterBlocks_[i]); // also when the row was current already
            return;
        }
    }
    const QSignalBlocker quiet(contents);
    contents->setCurrentRow(-1);
    text->moveCursor(QTextCursor::Start);
    text->verticalScrollBar()->setValue(0);
}

bool HelpWindow::findNext(const QString& what) {
    if (what.trimmed().isEmpty())
        return false;
    bool found = text->find(what);
    if (!found) {
        text->moveCursor(QTextCursor::Start);
        found = text->find(what);
    }
    searchResult->setText(found ? QString() : QStringLiteral("nicht gefunden"));
    return found;
}

} // namespace shell
