#include "catalogue/CatalogueSearch.h"

#include "catalogue/Catalogue.h"
#include "catalogue/CatalogueSchema.h"
#include "catalogue/NameFolding.h"

#include <QHash>
#include <QSet>
#include <QSqlError>
#include <QSqlQuery>
#include <limits>

namespace kvx {

namespace {

enum class Rank { Whole, Start, Part, None };

Rank rankOf(const QString& folded, const QString& text)
{
    if (folded == text)
        return Rank::Whole;
    if (folded.startsWith(text))
        return Rank::Start;
    return folded.contains(text) ? Rank::Part : Rank::None;
}

// A name index query that finds every name holding `text`, and a few more:
// those holding each three characters of it, in any place.
QString trigramMatch(const QString& text)
{
    const QList<uint> points = text.toUcs4();
    QSet<QString> seen;
    QStringList terms;
    for (qsizetype at = 0; at + 3 <= points.size(); ++at) {
        QString trigram =
            QString::fromUcs4(reinterpret_cast<const char32_t*>(points.constData() + at), 3);
        if (seen.contains(trigram))
            continue;
        seen.insert(trigram);
        terms.append(u'"' + trigram.replace(u'"', QStringLiteral("\"\"")) + u'"');
    }
    return terms.join(QStringLiteral(" AND "));
}

// The hits of one search, gathered rank after rank, each rank in path order
// and stopped as soon as the limit is reached.
class Search
{
public:
    Search(Catalogue& catalogue, const QString& text, qint64 disc, qint64 limit)
        : m_catalogue(catalogue), m_text(text), m_disc(disc),
          m_limit(limit > 0 ? limit : std::numeric_limits<qint64>::max())
    {
    }

    bool run()
    {
        const QString start{QChar(schema::kStartMark)};
        const QString end{QChar(schema::kEndMark)};
        const qsizetype length = m_text.toUcs4().size();
        if (length >= 3) {
            const QString byName =
                QStringLiteral("SELECT e.id, e.parent, e.name, e.size, e.mtime, e.flags "
                               "FROM names JOIN entries e ON e.id = names.rowid "
                               "WHERE names MATCH ?%1 ORDER BY names.rowid")
                    .arg(discRange(QStringLiteral("names.rowid")));
            return pass(byName, {trigramMatch(start + m_text + end)}, Rank::Whole) &&
                   pass(byName, {trigramMatch(start + m_text)}, Rank::Start) &&
                   pass(byName, {trigramMatch(m_text)}, Rank::Part) && findPaths();
        }
        // Short texts through the plain index of the names' first characters.
        const QString byHead = QStringLiteral("SELECT id, parent, name, size, mtime, flags "
                                              "FROM entries WHERE %1%2 ORDER BY id")
                                   .arg(QStringLiteral("%1"), discRange(QStringLiteral("id")));
        if (!pass(byHead.arg(QStringLiteral("head = ?")), {m_text + end}, Rank::Whole))
            return false;
        // The other names that start with it, through the index of their
        // first two characters, or of their first one.
        return pass(byHead.arg(length == 2 ? QStringLiteral("head = ?")
                                           : QStringLiteral("substr(head, 1, 1) = ?")),
                    {m_text}, Rank::Start) &&
               findPaths();
    }

    std::vector<CatalogueHit> hits() { return std::move(m_hits); }

private:
    [[nodiscard]] qint64 left() const { return m_limit - qint64(m_hits.size()); }

    [[nodiscard]] QString discRange(const QString& column) const
    {
        if (m_disc == 0)
            return QString();
        return QStringLiteral(" AND %1 BETWEEN %2 AND %3")
            .arg(column)
            .arg(Catalogue::entryId(m_disc, 0))
            .arg(Catalogue::entryId(m_disc, 0xffffffff));
    }

    bool pass(const QString& sql, const QVariantList& values, Rank rank)
    {
        if (left() <= 0)
            return true;
        QSqlQuery query(m_catalogue.database());
        query.setForwardOnly(true);
        if (!query.prepare(sql))
            return m_catalogue.fail(query);
        for (const QVariant& value : values)
            query.addBindValue(value);
        if (!query.exec())
            return m_catalogue.fail(query);
        while (left() > 0 && query.next()) {
            const QString name = query.value(2).toString();
            if (rankOf(foldName(name), m_text) != rank)
                continue;
            CatalogueHit hit;
            const qint64 id = query.value(0).toLongLong();
            hit.disc = Catalogue::discOf(id);
            hit.entry.number = Catalogue::numberOf(id);
            hit.entry.parent = Catalogue::numberOf(query.value(1).toLongLong());
            hit.entry.name = name;
            hit.entry.size = query.value(3).toLongLong();
            if (!query.isNull(4))
                hit.entry.mtime = query.value(4).toLongLong();
            const qint64 flags = query.value(5).toLongLong();
            hit.entry.kind = WalkKind(flags & 3);
            hit.entry.hidden = flags & 4;
            hit.entry.unreadable = flags & 8;
            m_hits.push_back(std::move(hit));
        }
        return !query.lastError().isValid() || m_catalogue.fail(query);
    }

    // The discs' names and the hits' paths, each disc and folder looked up once.
    bool findPaths()
    {
        QHash<qint64, QString> discNames;
        QSqlQuery disc(m_catalogue.database());
        disc.prepare(QStringLiteral("SELECT name FROM discs WHERE id = ?"));
        m_folder.prepare(QStringLiteral("SELECT parent, name FROM entries WHERE id = ?"));
        for (CatalogueHit& hit : m_hits) {
            if (!discNames.contains(hit.disc)) {
                disc.bindValue(0, hit.disc);
                if (!disc.exec())
                    return m_catalogue.fail(disc);
                discNames.insert(hit.disc, disc.next() ? disc.value(0).toString() : QString());
                disc.finish();
            }
            hit.discName = discNames.value(hit.disc);
            const std::optional<QString> folder =
                folderPath(Catalogue::entryId(hit.disc, hit.entry.parent));
            if (!folder)
                return false;
            hit.path = *folder + u'/' + hit.entry.name;
        }
        return true;
    }

    std::optional<QString> folderPath(qint64 id)
    {
        if (Catalogue::numberOf(id) == 0)
            return QString();
        if (const auto known = m_folders.constFind(id); known != m_folders.cend())
            return *known;
        m_folder.bindValue(0, id);
        if (!m_folder.exec()) {
            m_catalogue.fail(m_folder);
            return std::nullopt;
        }
        if (!m_folder.next())
            return QString();
        const qint64 parent = m_folder.value(0).toLongLong();
        const QString name = m_folder.value(1).toString();
        m_folder.finish();
        const std::optional<QString> above = folderPath(parent);
        if (!above)
            return std::nullopt;
        return *m_folders.insert(id, *above + u'/' + name);
    }

    Catalogue& m_catalogue;
    const QString m_text;
    const qint64 m_disc;
    const qint64 m_limit;
    std::vector<CatalogueHit> m_hits;
    QSqlQuery m_folder{m_catalogue.database()};
    QHash<qint64, QString> m_folders;
};

} // namespace

std::optional<std::vector<CatalogueHit>> findInCatalogue(Catalogue& catalogue, const QString& text,
                                                         qint64 disc, qint64 limit)
{
    catalogue.clearError();
    Search search(catalogue, foldName(text), disc, limit);
    if (!search.run())
        return std::nullopt;
    return search.hits();
}

} // namespace kvx
