// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTextBrowser;

namespace shell {

// The manual inside the program, for desktops that cannot show the PDF: the
// Markdown source with its pictures, its chapters as a table of contents and
// a search. It reads the manual anew each time it is loaded, so it always
// shows the copy that lies beside the program.
class HelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget* parent = nullptr);

    // False, with a note in place of the text, when the file cannot be read.
    bool load(const QString& markdownPath);
    // Scrolls to the chapter whose heading begins with "<number>.", or to
    // the top when there is none.
    void showChapter(int number);
    // Selects the next place after the cursor that contains `text`, from the
    // top again after the last; false when the manual does not contain it.
    bool findNext(const QString& text);

    QLineEdit* search;
    QListWidget* contents;
    QTextBrowser* text;
    QPushButton* openPdf;
    QLabel* searchResult;

signals:
    void pdfRequested();

private:
    void buildContents();
    void fitPictures(const QString& pictureFolder);
    void scrollToBlock(int blockNumber);
    QList<int> chapterBlocks_; // block numbers of the chapter headings
};

} // namespace shell
