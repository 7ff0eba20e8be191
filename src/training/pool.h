// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/database.h"
#include "core/services.h"

#include <vector>

namespace training {

// The members of the chosen lesson: the lesson-member table restricted to one
// lesson, visited in its order (ascending vocabulary ID). The table's cursor
// is the pool's current entry; positions are 1-based within the restriction.
class Pool {
public:
    explicit Pool(core::Database& db) : db_(db) {}

    // Positions the users table on the current user, restricts the lessons
    // table to that user's language and the given name (left restricted for
    // the calling dialog to lift) and the members to that lesson. False, with
    // nothing restricted, when the language has no lesson of that name.
    bool choose(const QString& lessonName);
    bool isChosen() const { return lessonId_ >= 0; }
    void forget() { lessonId_ = -1; } // the lesson belongs to a language no longer current
    int lessonId() const { return lessonId_; }
    // Switches the restriction to the chosen lesson back on (after a view
    // change lifted it) and goes to the first entry.
    void restrictAgain();

    int size() const { return members().recordCount(); }
    int position() const { return members().recNo(); }
    bool atEnd() const { return members().eof(); }
    void first() { members().first(); }
    void next() { members().next(); }
    void prior() { members().prior(); }
    void moveBy(int k) { members().moveBy(k); }
    void setPosition(int p) { members().setRecNo(p); }
    int vocabularyId() const; // of the current entry, 0 when there is none
    // The vocabulary ID at a 1-based position, without moving the cursor.
    int vocabularyIdAt(int position) const;

    ts::Table& members() const { return db_.members; }

private:
    core::Database& db_;
    int lessonId_ = -1;
};

// Before a run starts: the chosen lesson's restriction on again, on its
// first entry. False, after telling the user, when no lesson is chosen yet
// (`via` names the button that chooses one) or the lesson is empty.
bool readyToStart(Pool& pool, core::Prompter& prompter, const QString& via);

// Pool positions already drawn by a run without loop. Kept as the list of
// draws plus a bitmap, so asking whether a position was drawn stays cheap in
// lessons of any size.
class AskedList {
public:
    void clear();
    void append(int position);
    bool contains(int position) const;
    int size() const { return int(list_.size()); }
    const std::vector<int>& positions() const { return list_; }

private:
    std::vector<int> list_;
    std::vector<bool> has_;
};

} // namespace training
