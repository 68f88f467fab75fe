#pragma once

#include <QString>

#include <functional>

// What the layers above meet of the engines beneath the book: how long a busy book is waited for, the
// toolkit's own complaints, and the SQLite book file as a whole (its copies and their check).

// While another process holds the book, a statement waits for it a little at a time, up to this long, and
// then fails with "база данных занята другой программой".
inline constexpr int kBusyWaitMs = 5000;
// Called when a statement starts to wait for another process (the desktop shows a busy cursor).
void setBusyNotifier(std::function<void()> notifier);
// Whether a message of the toolkit is its database drivers' own complaint (a query on a connection that is
// gone, a rollback the server no longer takes): the program says each failure once, in its words.
bool IsDriverChatter(const QString& message);

// "Файл базы данных не найден: <file>".
QString MissingBookText(const QString& file);
// True when the file opens as a database of the engine that holds no table at all.
bool hasNoTables(const QString& file);
// Puts a finished file in place of one that is not there (or holds nothing), in one step; throws DbError.
// When another process put its file there first, that one stays and this one is dropped.
void placeNewFile(const QString& temp, const QString& file);
// A consistent copy of a database file made through the engine's online backup, whatever other
// connections write meanwhile (they are waited for as every connection waits). The target is made
// anew and written without a journal: it is a private file until the caller puts it in place. Throws
// DbError.
// Quick: the copy is checked as integrityProblem's quick check does, and what it found is returned (empty
// when whole). The check reads the source under the copy's own read lock, on a second core, so it costs
// little more than the copy: the copy is the source's pages as the check saw them. Should the second reader
// be kept out, the copy itself is checked once made.
enum class CopyCheck { None, Quick };
QString backupDatabaseFile(const QString& source, const QString& target, CopyCheck check = CopyCheck::None);
// The pages of a checked copy written over a book in one transaction of the book's: a kill leaves the one
// or the other, and other connections read the new book. Throws DbError.
void restoreDatabaseFile(const QString& copy, const QString& book);
// The engine's integrity check of a database file, with DocMar's collation for the text indexes: empty
// when the file is whole, else what the engine found first.
// Quick reads every page, b-tree and record and checks NOT NULL and CHECK: what a failing disk, a cut-off
// write or a foreign file damages. Every copy gets it, at a fifth of the full check's cost. Full also holds
// every index against its table and checks UNIQUE, which only a faulty writer breaks; a copy made through
// the engine carries the book's indexes page for page, so that is asked of the book itself (docmar check).
enum class FileCheck { Quick, Full };
QString integrityProblem(const QString& file, FileCheck depth = FileCheck::Quick);
