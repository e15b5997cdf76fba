#pragma once

#include "catalogue/CatalogueRecords.h"

#include <QSqlDatabase>
#include <QString>
#include <memory>
#include <optional>
#include <vector>

class QSqlQuery;

namespace kvx {

// The catalogue of discs: one SQLite file (see docs/catalogue.md) holding
// every disc recorded and every folder, file and link on it. Every change is
// one transaction, so a process killed in the middle leaves the catalogue as
// it was; other processes may read and write it at the same time.
//
// A Catalogue belongs to the thread that opened it.
class Catalogue
{
public:
    enum class Use { Read, Write };

    // $XDG_DATA_HOME/kvx/catalogue.sqlite
    [[nodiscard]] static QString defaultPath();

    // Opens the catalogue at `path`, upgrading an older one in place. Writing
    // creates it (mode 0600) when missing; reading a missing one gives an
    // empty catalogue. A catalogue the user may not write is opened for
    // reading. Null, with one line telling why in *error, for a file that is
    // no catalogue, one from a newer KVX, a damaged one, or one that cannot
    // be written when writing.
    [[nodiscard]] static std::unique_ptr<Catalogue> open(const QString& path, Use use,
                                                         QString* error);
    ~Catalogue();
    Catalogue(const Catalogue&) = delete;
    Catalogue& operator=(const Catalogue&) = delete;

    [[nodiscard]] const QString& path() const { return m_path; }
    [[nodiscard]] bool isReadOnly() const { return m_readOnly; }
    // Why the last call failed, in one line; empty after a call that did not.
    [[nodiscard]] const QString& error() const { return m_error; }

    // Every disc, by number.
    [[nodiscard]] std::optional<std::vector<DiscRecord>> discs();
    // A disc; nullopt with an empty error() when there is none of that number.
    [[nodiscard]] std::optional<DiscRecord> disc(qint64 id);

    // Records a disc and its entries (numbered 1, 2, ... in path order, as a
    // full walk gives them). The catalogue holds the same disc already when a
    // disc of the same UUID is recorded or, for a disc without one, a disc of
    // the same name: then nothing is recorded and *same tells its number,
    // unless `replace`: then this record takes the old one's place and
    // number, and its note when it has none. Returns the disc's number.
    [[nodiscard]] std::optional<qint64> addDisc(DiscRecord disc,
                                                const std::vector<CatalogueEntry>& entries,
                                                bool replace, qint64* same);
    // False when it failed or there is no such disc (said by error()).
    [[nodiscard]] bool setNote(qint64 id, const QString& note);
    [[nodiscard]] bool removeDisc(qint64 id);

    // A disc's entries in path order.
    [[nodiscard]] std::optional<std::vector<CatalogueEntry>> entries(qint64 disc);
    // The entries of one folder of a disc (0: its top) in path order.
    [[nodiscard]] std::optional<std::vector<CatalogueEntry>> children(qint64 disc, qint64 folder);

    // For the search: the connection, and the failure of a query in one line.
    [[nodiscard]] QSqlDatabase& database() { return m_db; }
    bool fail(const QSqlQuery& query);
    void clearError() { m_error.clear(); }

    // Entry ids in the database: the disc's number, then the entry's.
    [[nodiscard]] static qint64 entryId(qint64 disc, qint64 number)
    {
        return (disc << 32) | number;
    }
    [[nodiscard]] static qint64 discOf(qint64 id) { return id >> 32; }
    [[nodiscard]] static qint64 numberOf(qint64 id) { return id & 0xffffffff; }

private:
    Catalogue(QString path, QString connection);
    bool connect(const QString& name, const QString& options);
    bool check(int* version);
    bool upgrade(int from);
    bool chooseJournal();
    bool begin();
    bool commit();
    bool rollback();
    bool exec(const QString& sql);
    std::optional<std::vector<DiscRecord>> readDiscs(const QString& where, qint64 id);
    std::optional<std::vector<CatalogueEntry>> readEntries(const QString& where,
                                                           const QVariantList& values);
    std::optional<qint64> sameDisc(const DiscRecord& disc);
    bool deleteEntries(qint64 disc);
    bool insertEntries(qint64 disc, const std::vector<CatalogueEntry>& entries);
    bool setError(const QString& message);

    QString m_path;
    QString m_connection;
    QSqlDatabase m_db;
    bool m_readOnly = false;
    QString m_error;
};

} // namespace kvx
