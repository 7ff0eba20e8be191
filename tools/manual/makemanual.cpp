// SPDX-License-Identifier: GPL-3.0-or-later
// Build step: turns the manual's Markdown source into the PDF the program
// ships. Pictures named in the source ("![Text](name.png)") are taken from
// the screenshot folder the build fills from the real windows.
// Usage: makemanual <source.md> <picture folder> <output.pdf>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFragment>
#include <QUrl>
#include <cstdio>

namespace {

// Screen pictures are shown at about two thirds of their size, so a whole
// main window fits the text width and dialogs keep the same scale.
constexpr double kPictureScale = 0.62;
constexpr double kMaxPictureWidth = 620; // the text width of an A4 page, in layout pixels

// Loads every picture the text names and sizes it for the page; returns the
// names that could not be found.
QStringList placePictures(QTextDocument& doc, const QDir& pictures) {
    QStringList missing;
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            QTextFragment fragment = it.fragment();
            if (!fragment.charFormat().isImageFormat())
                continue;
            QTextImageFormat format = fragment.charFormat().toImageFormat();
            const QImage image(pictures.filePath(format.name()));
            if (image.isNull()) {
                missing << format.name();
                continue;
            }
            doc.addResource(QTextDocument::ImageResource, QUrl(format.name()), image);
            const double width = std::min(image.width() * kPictureScale, kMaxPictureWidth);
            format.setWidth(width);
            format.setHeight(width * image.height() / image.width());
            QTextCursor cursor(&doc);
            cursor.setPosition(fragment.position());
            cursor.setPosition(fragment.position() + fragment.length(), QTextCursor::KeepAnchor);
            cursor.setCharFormat(format);
        }
    }
    return missing;
}

} // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc != 4) {
        std::fprintf(stderr, "usage: makemanual <source.md> <picture folder> <output.pdf>\n");
        return 2;
    }
    QFile in(QString::fromLocal8Bit(argv[1]));
    if (!in.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "cannot read %s\n", argv[1]);
        return 1;
    }
    QTextDocument doc;
    QFont body(QStringLiteral("DejaVu Sans"));
    body.setPointSize(10);
    doc.setDefaultFont(body);
    doc.setDefaultStyleSheet(QStringLiteral("h1 { color: #2a5db0; } h2 { color: #2a5db0; }"));
    doc.setMarkdown(QString::fromUtf8(in.readAll()));
    const QStringList missing = placePictures(doc, QDir(QString::fromLocal8Bit(argv[2])));
    if (!missing.isEmpty()) {
        // A manual with holes where pictures should be is a build error.
        std::fprintf(stderr, "pictures not found: %s\n", qPrintable(missing.join(QStringLiteral(", "))));
        return 1;
    }

    QPdfWriter pdf(QString::fromLocal8Bit(argv[3]));
    pdf.setTitle(QStringLiteral("Vokabeltrainer - Handbuch"));
    pdf.setCreator(QStringLiteral("Moriva Vokabeltrainer"));
    pdf.setPageSize(QPageSize(QPageSize::A4));
    pdf.setPageMargins(QMarginsF(20, 20, 20, 20), QPageLayout::Millimeter);
    doc.print(&pdf);
    return 0;
}
