#include "catalogue/Catalogue.h"

#include "catalogue/CatalogueSchema.h"
#include "catalogue/NameFolding.h"
#include "util/FileReplacement.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QUrl>
#include <atomic>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/vfs.h>
#include <unistd.h>

namespace kvx {

namespace {

constexpr int kBusyTimeoutMs = 30000; // another process's add or removal
constexpr qint64 kLastNumber = 0xffffffff;

// SQLite's primary result codes that have words of their own here.
enum SqliteCode { Busy = 5, ReadOnly = 8, Corrupt = 11, CantOpen = 14, NotADatabase = 26 };

int sqliteCode(const QSqlError& error)
{
    bool ok = false;
    const int code = error.nativeErrorCode().toInt(&ok);
    return ok ? code & 0xff : 0;
}

// File systems where SQLite's write-ahead log cannot work: its shared
// memory is one machine's.
bool onNetworkFileSystem(const QString& folder)
{
    struct statfs info;
    if (::statfs(QFile::encodeName(folder).constData(), &info) != 0)
        return false;
    switch (quint32(info.f_type)) {
    case 0x6969:     // NFS
    case 0x517b:     // SMB
    case 0xff534d42: // CIFS
    case 0xfe534d42: // SMB2
    case 0x65735546: // FUSE (sshfs and the like)
    case 0x5346414f: // AFS
    case 0x73757245: // Coda
    case 0x01021997: // 9P
    case 0x00c36400: // Ceph
    case 0x47504653: // GPFS
        return true;
    default:
        return false;
    }
}

// A new catalogue file: only its owner may read it.
bool createFile(const QString& path, QString* error)
{
    const QString folder = QFileInfo(path).absolutePath();
    if (!QFileInfo::exists(folder)) {
        if (!QDir().mkpath(folder)) {
            *error = QStringLiteral("cannot make the folder %1").arg(folder);
            return false;
        }
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    const int fd =
        ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0 && errno != EEXIST) {
        *error =
            QStringLiteral("cannot write the catalogue %1: %2").arg(path, systemErrorText(errno));
        return false;
    }
    if (fd >= 0)
        ::close(fd);
    return true;
}

// Whether a file may be an SQLite database: empty, or with its header.
bool looksLikeDatabase(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return true; // SQLite will say why it cannot read it
    const QByteArray header = file.read(16);
    return header.isEmpty() || header == QByteArrayView("SQLite format 3\0", 16);
}

qint64 flagsOf(const CatalogueEntry& entry)
{
    return qint64(entry.kind) | (entry.hidden ? 4 : 0) | (entry.unreadable ? 8 : 0);
}

CatalogueEntry entryFrom(const QSqlQuery& query)
{
    CatalogueEntry entry;
    entry.number = Catalogue::numberOf(query.value(0).toLongLong());
    entry.parent = Catalogue::numberOf(query.value(1).toLongLong());
    entry.name = query.value(2).toString();
    entry.size = query.value(3).toLongLong();
    if (!query.isNull(4))
        entry.mtime = query.value(4).toLongLong();
    const qint64 flags = query.value(5).toLongLong();
    entry.kind = WalkKind(flags & 3);
    entry.hidden = flags & 4;
    entry.unreadable = flags & 8;
    return entry;
}

// SQLite stores a null QString as NULL.
QVariant text(const QString& value)
{
    return value.isNull() ? QVariant(QStringLiteral("")) : QVariant(value);
}

std::optional<qint64> optionalNumber(const QSqlQuery& query, int column)
{
    return query.isNull(column) ? std::nullopt : std::optional(query.value(column).toLongLong());
}

} // namespace

QString Catalogue::defaultPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/kvx/catalogue.sqlite");
}

Catalogue::Catalogue(QString path, QString connection)
    : m_path(std::move(path)), m_connection(std::move(connection))
{
}

Catalogue::~Catalogue()
{
    m_db.close();
    m_db = QSqlDatabase();
    QSqlDatabase::removeDatabase(m_connection);
}

std::unique_ptr<Catalogue> Catalogue::open(const QString& path, Use use, QString* error)
{
    static std::atomic<int> connections{0};
    const auto refuse = [error](const QString& message) {
        *error = message;
        return nullptr;
    };
    if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QSQLITE")))
        return refuse(QStringLiteral("Qt's SQLite driver is missing (Debian package "
                                     "libqt6sql6-sqlite)"));
    const QFileInfo info(path);
    if (info.isDir())
        return refuse(QStringLiteral("%1 is a folder, not a KVX catalogue").arg(path));
    std::unique_ptr<Catalogue> catalogue(
        new Catalogue(path, QStringLiteral("kvx-catalogue-%1").arg(++connections)));
    Catalogue& c = *catalogue;

    if (!info.exists() && use == Use::Read) {
        // Nothing recorded yet: an empty catalogue, which writes nowhere.
        c.m_readOnly = true;
        if (!c.connect(QStringLiteral(":memory:"), {}) || !c.upgrade(0))
            return refuse(c.m_error);
        return catalogue;
    }
    if (!info.exists() && !createFile(path, error))
        return nullptr;
    if (!looksLikeDatabase(path))
        return refuse(QStringLiteral("%1 is not a KVX catalogue").arg(path));

    const QByteArray native = QFile::encodeName(info.absoluteFilePath());
    const QByteArray folder = QFile::encodeName(info.absolutePath());
    const bool writable =
        ::access(native.constData(), W_OK) == 0 && ::access(folder.constData(), W_OK) == 0;
    if (!writable && use == Use::Write)
        return refuse(
            QStringLiteral("cannot write the catalogue %1: %2").arg(path, systemErrorText(errno)));
    c.m_readOnly = !writable;

    QString options = QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(kBusyTimeoutMs);
    if (c.m_readOnly)
        options += QStringLiteral(";QSQLITE_OPEN_READONLY");
    int version = 0;
    bool ok = c.connect(path, options) && c.check(&version);
    if (!ok && c.m_readOnly && c.m_error.isEmpty()) {
        // A write-ahead log needs its shared-memory file beside the catalogue;
        // where none can be made, the catalogue is read as it stands.
        const QString uri =
            QUrl::fromLocalFile(info.absoluteFilePath()).toString(QUrl::FullyEncoded) +
            QStringLiteral("?immutable=1");
        c.m_db = QSqlDatabase();
        QSqlDatabase::removeDatabase(c.m_connection);
        ok = c.connect(uri, options + QStringLiteral(";QSQLITE_OPEN_URI")) && c.check(&version);
    }
    if (!ok)
        return refuse(c.m_error.isEmpty() ? QStringLiteral("cannot read the catalogue %1").arg(path)
                                          : c.m_error);
    if (version < schema::kVersion) {
        if (c.m_readOnly)
            return refuse(QStringLiteral("the catalogue %1 is read-only and from an older KVX: "
                                         "it cannot be brought up to date")
                              .arg(path));
        if (!c.chooseJournal() || !c.upgrade(version))
            return refuse(c.m_error);
    } else if (!c.m_readOnly && !c.chooseJournal()) {
        return refuse(c.m_error);
    }
    return catalogue;
}

bool Catalogue::connect(const QString& name, const QString& options)
{
    m_db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connection);
    m_db.setDatabaseName(name);
    m_db.setConnectOptions(options);
    if (m_db.open())
        return true;
    return setError(QStringLiteral("cannot open the catalogue %1: %2")
                        .arg(m_path, m_db.lastError().driverText()));
}

bool Catalogue::check(int* version)
{
    // Reads only: a file that is no catalogue of ours is left as it is.
    QSqlQuery query(m_db);
    const auto value = [&query, this](const QString& sql) -> std::optional<qint64> {
        if (!query.exec(sql) || !query.next()) {
            // An unreadable write-ahead log is left to the caller's second try.
            const int code = sqliteCode(query.lastError());
            if (m_readOnly && (code == CantOpen || code == ReadOnly))
                return std::nullopt;
            fail(query);
            return std::nullopt;
        }
        return query.value(0).toLongLong();
    };
    const auto application = value(QStringLiteral("PRAGMA application_id"));
    const auto stored = application ? value(QStringLiteral("PRAGMA user_version")) : std::nullopt;
    const auto tables =
        stored ? value(QStringLiteral("SELECT count(*) FROM sqlite_schema")) : std::nullopt;
    if (!tables)
        return false;
    if (*application == schema::kApplicationId) {
        if (*stored > schema::kVersion)
            return setError(QStringLiteral("%1 was written by a newer KVX (catalogue version %2; "
                                           "this one reads up to version %3)")
                                .arg(m_path)
                                .arg(*stored)
                                .arg(schema::kVersion));
        *version = int(*stored);
        return true;
    }
    if (*application == 0 && *tables == 0) {
        *version = 0; // a new, empty file
        return true;
    }
    return setError(QStringLiteral("%1 is not a KVX catalogue").arg(m_path));
}

bool Catalogue::chooseJournal()
{
    const bool network = onNetworkFileSystem(QFileInfo(m_path).absolutePath());
    return exec(QStringLiteral("PRAGMA cache_size=-16384")) &&
           exec(network ? QStringLiteral("PRAGMA journal_mode=DELETE")
                        : QStringLiteral("PRAGMA journal_mode=WAL")) &&
           exec(network ? QStringLiteral("PRAGMA synchronous=FULL")
                        : QStringLiteral("PRAGMA synchronous=NORMAL"));
}

bool Catalogue::upgrade(int from)
{
    if (!begin())
        return false;
    // Another process may have brought it up to date meanwhile.
    QSqlQuery query(m_db);
    if (!query.exec(QStringLiteral("PRAGMA user_version")) || !query.next())
        return fail(query) || rollback();
    int version = std::max(from, query.value(0).toInt());
    query.finish();
    for (; version < schema::kVersion; ++version) {
        for (const QString& statement : schema::upgrades().at(size_t(version))) {
            if (!exec(statement))
                return rollback();
        }
    }
    if (!exec(QStringLiteral("PRAGMA application_id=%1").arg(schema::kApplicationId)) ||
        !exec(QStringLiteral("PRAGMA user_version=%1").arg(schema::kVersion)))
        return rollback();
    return commit();
}

bool Catalogue::begin()
{
    return exec(QStringLiteral("BEGIN IMMEDIATE"));
}

bool Catalogue::commit()
{
    return exec(QStringLiteral("COMMIT")) || rollback();
}

bool Catalogue::rollback()
{
    // Keeps the reason of the failure that ends the transaction.
    const QString why = m_error;
    exec(QStringLiteral("ROLLBACK"));
    m_error = why;
    return false;
}

bool Catalogue::exec(const QString& sql)
{
    QSqlQuery query(m_db);
    return query.exec(sql) || fail(query);
}

bool Catalogue::fail(const QSqlQuery& query)
{
    const QSqlError error = query.lastError();
    const QString why = error.databaseText().isEmpty() ? error.text() : error.databaseText();
    switch (sqliteCode(error)) {
    case NotADatabase:
        return setError(QStringLiteral("%1 is not a KVX catalogue").arg(m_path));
    case Corrupt:
        return setError(QStringLiteral("the catalogue %1 is damaged (%2); it was left as it is")
                            .arg(m_path, why));
    case Busy:
        return setError(QStringLiteral("the catalogue %1 stayed busy with another program for "
                                       "%2 seconds; try again")
                            .arg(m_path)
                            .arg(kBusyTimeoutMs / 1000));
    case ReadOnly:
        return setError(
            QStringLiteral("cannot write the catalogue %1: it is read-only").arg(m_path));
    default:
        return setError(QStringLiteral("catalogue %1: %2").arg(m_path, why));
    }
}

bool Catalogue::setError(const QString& message)
{
    m_error = message;
    return false;
}

std::optional<std::vector<DiscRecord>> Catalogue::discs()
{
    return readDiscs(QString(), 0);
}

std::optional<DiscRecord> Catalogue::disc(qint64 id)
{
    std::optional<std::vector<DiscRecord>> found = readDiscs(QStringLiteral("WHERE id = ?"), id);
    if (!found || found->empty())
        return std::nullopt;
    return std::move(found->front());
}

std::optional<std::vector<DiscRecord>> Catalogue::readDiscs(const QString& where, qint64 id)
{
    m_error.clear();
    QSqlQuery query(m_db);
    query.setForwardOnly(true);
    query.prepare(QStringLiteral("SELECT id, name, note, added, source, fs_type, uuid, capacity, "
                                 "free, entries, bytes, unreadable FROM discs %1 ORDER BY id")
                      .arg(where));
    if (!where.isEmpty())
        query.addBindValue(id);
    if (!query.exec()) {
        fail(query);
        return std::nullopt;
    }
    std::vector<DiscRecord> found;
    while (query.next()) {
        DiscRecord disc;
        disc.id = query.value(0).toLongLong();
        disc.name = query.value(1).toString();
        disc.note = query.value(2).toString();
        disc.added = QDateTime::fromString(query.value(3).toString(), Qt::ISODate);
        disc.source = query.value(4).toString();
        disc.fsType = query.value(5).toString();
        disc.uuid = query.value(6).toString();
        disc.capacity = optionalNumber(query, 7);
        disc.freeSpace = optionalNumber(query, 8);
        disc.entries = query.value(9).toLongLong();
        disc.bytes = query.value(10).toLongLong();
        disc.unreadable = query.value(11).toLongLong();
        found.push_back(std::move(disc));
    }
    if (query.lastError().isValid()) {
        fail(query);
        return std::nullopt;
    }
    return found;
}

std::optional<qint64> Catalogue::sameDisc(const DiscRecord& disc)
{
    QSqlQuery query(m_db);
    query.prepare(disc.uuid.isEmpty() ? QStringLiteral("SELECT id FROM discs WHERE name = ?")
                                      : QStringLiteral("SELECT id FROM discs WHERE uuid = ?"));
    query.addBindValue(disc.uuid.isEmpty() ? disc.name : disc.uuid);
    if (!query.exec()) {
        fail(query);
        return std::nullopt;
    }
    return query.next() ? query.value(0).toLongLong() : 0;
}

std::optional<qint64> Catalogue::addDisc(DiscRecord disc,
                                         const std::vector<CatalogueEntry>& entries, bool replace,
                                         qint64* same)
{
    m_error.clear();
    *same = 0;
    if (qint64(entries.size()) > kLastNumber) {
        setError(QStringLiteral("too many entries on one disc"));
        return std::nullopt;
    }
    if (!begin())
        return std::nullopt;
    const auto abandon = [this]() -> std::optional<qint64> {
        rollback();
        return std::nullopt;
    };
    const std::optional<qint64> found = sameDisc(disc);
    if (!found)
        return abandon();
    if (*found && !replace) {
        *same = *found;
        return abandon();
    }

    QSqlQuery query(m_db);
    if (*found) {
        disc.id = *found;
        if (!deleteEntries(disc.id))
            return abandon();
        query.prepare(QStringLiteral(
            "UPDATE discs SET name = :name, note = CASE WHEN :keep THEN note ELSE :note END, "
            "added = :added, source = :source, fs_type = :fs, uuid = :uuid, capacity = :capacity, "
            "free = :free, entries = :entries, bytes = :bytes, unreadable = :unreadable "
            "WHERE id = :id"));
        query.bindValue(QStringLiteral(":id"), disc.id);
        query.bindValue(QStringLiteral(":keep"), disc.note.isEmpty());
    } else {
        query.prepare(QStringLiteral(
            "INSERT INTO discs(name, note, added, source, fs_type, uuid, capacity, free, entries, "
            "bytes, unreadable) VALUES(:name, :note, :added, :source, :fs, :uuid, :capacity, "
            ":free, :entries, :bytes, :unreadable)"));
    }
    const auto number = [](const std::optional<qint64>& value) {
        return value ? QVariant(*value) : QVariant(QMetaType::fromType<qint64>());
    };
    query.bindValue(QStringLiteral(":name"), text(disc.name));
    query.bindValue(QStringLiteral(":note"), text(disc.note));
    query.bindValue(QStringLiteral(":added"), disc.added.toUTC().toString(Qt::ISODate));
    query.bindValue(QStringLiteral(":source"), text(disc.source));
    query.bindValue(QStringLiteral(":fs"), text(disc.fsType));
    query.bindValue(QStringLiteral(":uuid"), text(disc.uuid));
    query.bindValue(QStringLiteral(":capacity"), number(disc.capacity));
    query.bindValue(QStringLiteral(":free"), number(disc.freeSpace));
    query.bindValue(QStringLiteral(":entries"), disc.entries);
    query.bindValue(QStringLiteral(":bytes"), disc.bytes);
    query.bindValue(QStringLiteral(":unreadable"), disc.unreadable);
    if (!query.exec()) {
        fail(query);
        return abandon();
    }
    if (!*found)
        disc.id = query.lastInsertId().toLongLong();
    if (!insertEntries(disc.id, entries) || !commit())
        return abandon();
    return disc.id;
}

bool Catalogue::insertEntries(qint64 disc, const std::vector<CatalogueEntry>& entries)
{
    QSqlQuery entry(m_db);
    QSqlQuery name(m_db);
    if (!entry.prepare(QStringLiteral("INSERT INTO entries(id, parent, name, size, mtime, flags, "
                                      "head) VALUES(?, ?, ?, ?, ?, ?, ?)")))
        return fail(entry);
    if (!name.prepare(QStringLiteral("INSERT INTO names(rowid, folded) VALUES(?, ?)")))
        return fail(name);
    const QVariant noTime(QMetaType::fromType<qint64>());
    for (const CatalogueEntry& e : entries) {
        const qint64 id = entryId(disc, e.number);
        const QString folded = foldName(e.name);
        entry.bindValue(0, id);
        entry.bindValue(1, entryId(disc, e.parent));
        entry.bindValue(2, text(e.name));
        entry.bindValue(3, e.size);
        entry.bindValue(4, e.mtime ? QVariant(*e.mtime) : noTime);
        entry.bindValue(5, flagsOf(e));
        entry.bindValue(6, schema::nameHead(folded));
        if (!entry.exec())
            return fail(entry);
        name.bindValue(0, id);
        name.bindValue(1, schema::indexedText(folded));
        if (!name.exec())
            return fail(name);
    }
    return true;
}

bool Catalogue::deleteEntries(qint64 disc)
{
    // The name index keeps no copy of the names: each is taken out with the
    // text it was put in with.
    QSqlQuery entries(m_db);
    entries.setForwardOnly(true);
    QSqlQuery name(m_db);
    if (!name.prepare(
            QStringLiteral("INSERT INTO names(names, rowid, folded) VALUES('delete', ?, ?)")))
        return fail(name);
    entries.prepare(QStringLiteral("SELECT id, name FROM entries WHERE id BETWEEN ? AND ?"));
    entries.addBindValue(entryId(disc, 0));
    entries.addBindValue(entryId(disc, kLastNumber));
    if (!entries.exec())
        return fail(entries);
    while (entries.next()) {
        name.bindValue(0, entries.value(0));
        name.bindValue(1, schema::indexedText(foldName(entries.value(1).toString())));
        if (!name.exec())
            return fail(name);
    }
    if (entries.lastError().isValid())
        return fail(entries);
    QSqlQuery removal(m_db);
    removal.prepare(QStringLiteral("DELETE FROM entries WHERE id BETWEEN ? AND ?"));
    removal.addBindValue(entryId(disc, 0));
    removal.addBindValue(entryId(disc, kLastNumber));
    return removal.exec() || fail(removal);
}

bool Catalogue::setNote(qint64 id, const QString& note)
{
    m_error.clear();
    QSqlQuery query(m_db);
    query.prepare(QStringLiteral("UPDATE discs SET note = ? WHERE id = ?"));
    query.addBindValue(text(note));
    query.addBindValue(id);
    if (!query.exec())
        return fail(query);
    return query.numRowsAffected() > 0 ||
           setError(QStringLiteral("no disc %1 in the catalogue").arg(discIdentifier(id)));
}

bool Catalogue::removeDisc(qint64 id)
{
    m_error.clear();
    if (!begin())
        return false;
    QSqlQuery query(m_db);
    query.prepare(QStringLiteral("DELETE FROM discs WHERE id = ?"));
    query.addBindValue(id);
    bool done = deleteEntries(id) && (query.exec() || fail(query));
    if (done && query.numRowsAffected() == 0)
        done = setError(QStringLiteral("no disc %1 in the catalogue").arg(discIdentifier(id)));
    return done ? commit() : rollback();
}

std::optional<std::vector<CatalogueEntry>> Catalogue::entries(qint64 disc)
{
    return readEntries(QStringLiteral("id BETWEEN ? AND ?"),
                       {entryId(disc, 0), entryId(disc, kLastNumber)});
}

std::optional<std::vector<CatalogueEntry>> Catalogue::children(qint64 disc, qint64 folder)
{
    return readEntries(QStringLiteral("parent = ?"), {entryId(disc, folder)});
}

std::optional<std::vector<CatalogueEntry>> Catalogue::readEntries(const QString& where,
                                                                  const QVariantList& values)
{
    m_error.clear();
    QSqlQuery query(m_db);
    query.setForwardOnly(true);
    query.prepare(QStringLiteral("SELECT id, parent, name, size, mtime, flags FROM entries "
                                 "WHERE %1 ORDER BY id")
                      .arg(where));
    for (const QVariant& value : values)
        query.addBindValue(value);
    std::vector<CatalogueEntry> found;
    if (query.exec()) {
        while (query.next())
            found.push_back(entryFrom(query));
    }
    if (query.lastError().isValid()) {
        fail(query);
        return std::nullopt;
    }
    return found;
}

} // namespace kvx
