// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

class QLabel;
class QLineEdit;

namespace databound {
class DataSource;
} // namespace databound

namespace vocabulary {

// The search line above a vocabulary grid: narrows the grid to the words
// whose German or foreign word contains the typed text, whatever the letter
// case, and counts what is shown. The window's own filter stays: the search
// is added to it while it runs and the filter is as before when the field is
// emptied, the record the user reached staying current.
class VocabularySearch : public QWidget {
    Q_OBJECT
public:
    explicit VocabularySearch(databound::DataSource* source, QWidget* parent = nullptr);

    QLineEdit* ESuchen;
    QLabel* LAnzahl;

    bool isSearching() const { return searching_; }
    // Empties the field and ends the search.
    void clear();

    // The filter expression for "one of `fields` contains `text`"; the text
    // is a literal inside the pattern, only % and _ keep their wildcard
    // meaning.
    static QString containsFilter(const QStringList& fields, const QString& text);
    // "342 von 12.519 Vokabeln" while searching, "12.519 Vokabeln" otherwise.
    static QString countText(int shown, int total, bool searching);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void search(const QString& text);
    void end();
    // Someone else (a reset of the view, another window) replaced our filter.
    bool filterStillOurs() const;
    void showCount();

    databound::DataSource* source_;
    bool searching_ = false;
    QString applied_;
    QString baseFilter_;
    bool baseFiltered_ = false;
    bool baseCaseInsensitive_ = false;
    int baseCount_ = 0;
};

} // namespace vocabulary
