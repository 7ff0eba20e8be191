// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <exception>

namespace ts {

// The one error type of the table engine. Callers show message() to the user;
// the table keeps its in-memory state when an operation is refused.
class TableError : public std::exception {
public:
    explicit TableError(QString message) : message_(std::move(message)), utf8_(message_.toUtf8()) {}
    const QString& message() const noexcept { return message_; }
    const char* what() const noexcept override { return utf8_.constData(); }

private:
    QString message_;
    QByteArray utf8_;
};

// A file that was read but cannot be what the program wrote: worth keeping
// aside rather than writing over.
class DamagedFile : public TableError {
public:
    using TableError::TableError;
};

} // namespace ts
