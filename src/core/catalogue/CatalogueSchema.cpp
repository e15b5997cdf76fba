#include "catalogue/CatalogueSchema.h"

namespace kvx::schema {

const std::vector<QStringList>& upgrades()
{
    static const std::vector<QStringList> steps{
        // 0 -> 1: the first tables.
        {QStringLiteral("CREATE TABLE meta(key TEXT PRIMARY KEY, value TEXT NOT NULL) "
                        "WITHOUT ROWID"),
         // The name folding the index was built with: another one rebuilds it.
         QStringLiteral("INSERT INTO meta VALUES('folding', '1')"),
         QStringLiteral("CREATE TABLE discs("
                        "id INTEGER PRIMARY KEY AUTOINCREMENT, name TEXT NOT NULL, "
                        "note TEXT NOT NULL DEFAULT '', added TEXT NOT NULL, "
                        "source TEXT NOT NULL DEFAULT '', fs_type TEXT NOT NULL DEFAULT '', "
                        "uuid TEXT NOT NULL DEFAULT '', capacity INTEGER, free INTEGER, "
                        "entries INTEGER NOT NULL DEFAULT 0, bytes INTEGER NOT NULL DEFAULT 0, "
                        "unreadable INTEGER NOT NULL DEFAULT 0)"),
         QStringLiteral("CREATE TABLE entries("
                        "id INTEGER PRIMARY KEY, parent INTEGER NOT NULL, name TEXT NOT NULL, "
                        "size INTEGER NOT NULL DEFAULT 0, mtime INTEGER, flags INTEGER NOT NULL, "
                        "head TEXT NOT NULL)"),
         QStringLiteral("CREATE INDEX entries_parent ON entries(parent)"),
         QStringLiteral("CREATE INDEX entries_head ON entries(head)"),
         QStringLiteral("CREATE INDEX entries_first ON entries(substr(head, 1, 1))"),
         QStringLiteral("CREATE VIRTUAL TABLE names USING fts5(folded, content='', "
                        "tokenize='trigram case_sensitive 1', detail=none, columnsize=0)")},
    };
    return steps;
}

QString indexedText(const QString& folded)
{
    return QChar(kStartMark) + folded + QChar(kEndMark);
}

QString nameHead(const QString& folded)
{
    // Two characters, a surrogate pair counting as one.
    qsizetype end = 0;
    for (int n = 0; n < 2 && end < folded.size(); ++n)
        end += folded.at(end).isHighSurrogate() && end + 1 < folded.size() ? 2 : 1;
    return end == folded.size() ? folded + QChar(kEndMark) : folded.left(end);
}

} // namespace kvx::schema
