#pragma once
// The two ways the jobs write their plain text files, and the escaping that keeps one value on
// one line whatever it holds.
#include <QByteArray>
#include <QString>

namespace corvane {

// Backslash, line ends and tabs as \\, \n, \r and \t, so that a value never breaks its line or
// its field; unescapeField gives it back unchanged.
QString escapeField(const QString& value);
QString unescapeField(const QString& text);

// Writes the whole file to a temporary file beside it, flushes it to the disk and renames it
// over `path`: a reader sees the old file or the new one, never part of one, and a failure (a
// full disk, a folder that has gone) leaves the old file as it was and no new one. False with
// the reason.
bool writeFileAtomically(const QString& path, const QByteArray& bytes, QString& error);

// Appends one line (its line end is added) in a single write to the end of the file, creating it
// if needed: lines appended by several programs at once never mix or overwrite each other. A
// last line cut short by a crash is ended first, so it cannot swallow this one.
bool appendLine(const QString& path, const QByteArray& line, QString& error);

// The file's bytes, at most `limit`; empty when it cannot be read.
QByteArray readSmallFile(const QString& path, qint64 limit = 1 << 20);

}  // namespace corvane
