#include "cli/CatalogueRun.h"

#include "catalogue/Catalogue.h"
#include "catalogue/CatalogueSearch.h"
#include "catalogue/DiscComparison.h"
#include "catalogue/DiscFacts.h"
#include "catalogue/NameFolding.h"
#include "cli/CatalogueCommandLine.h"
#include "cli/CommandLine.h"
#include "cli/MessageLines.h"
#include "cli/ProgramStart.h"
#include "image/DiscImage.h"
#include "image/ImageWalkSource.h"
#include "walk/DirectoryWalkSource.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>
#include <QSet>
#include <QTextStream>

namespace kvx {

namespace {

using Action = CatalogueCommand::Action;

// ISO 8601 in local time, with its offset from UTC.
QString isoTime(const std::optional<qint64>& seconds)
{
    if (!seconds)
        return QString();
    const QDateTime local = QDateTime::fromSecsSinceEpoch(*seconds);
    return local.toOffsetFromUtc(local.offsetFromUtc()).toString(Qt::ISODate);
}

QString kindName(WalkKind kind)
{
    switch (kind) {
    case WalkKind::Folder:
        return QStringLiteral("folder");
    case WalkKind::Link:
        return QStringLiteral("link");
    case WalkKind::File:
        break;
    }
    return QStringLiteral("file");
}

QString tabbed(const QStringList& fields)
{
    QStringList shown;
    for (const QString& field : fields)
        shown.append(withoutControls(field));
    return shown.join(u'\t');
}

void writeJson(QTextStream& out, const QJsonArray& array)
{
    out << QString::fromUtf8(QJsonDocument(array).toJson(QJsonDocument::Indented));
}

// A folder, or an ISO 9660 image read whole, to walk.
struct Disc
{
    std::unique_ptr<DiscImage> image;
    std::unique_ptr<WalkSource> source;
};

std::optional<Disc> openDisc(const QString& path, QString* error)
{
    const QFileInfo info(path);
    Disc disc;
    if (info.isDir()) {
        disc.source = std::make_unique<DirectoryWalkSource>(path);
    } else if (!info.exists()) {
        *error = QStringLiteral("no such folder: %1").arg(path);
        return std::nullopt;
    } else {
        disc.image = DiscImage::open(path, error);
        if (!disc.image)
            return std::nullopt;
        disc.source = std::make_unique<ImageWalkSource>(*disc.image);
    }
    return disc;
}

class Run
{
public:
    Run(const CatalogueCommand& command, QTextStream& out, QTextStream& err)
        : m_command(command), m_out(out), m_err(err)
    {
    }

    int run()
    {
        const QString path =
            m_command.catalogue.isEmpty() ? Catalogue::defaultPath() : m_command.catalogue;
        const bool writes = m_command.action == Action::Add || m_command.action == Action::Note ||
                            m_command.action == Action::Remove;
        QString error;
        m_catalogue =
            Catalogue::open(path, writes ? Catalogue::Use::Write : Catalogue::Use::Read, &error);
        if (!m_catalogue)
            return fail(error);
        switch (m_command.action) {
        case Action::Add:
            return add();
        case Action::List:
            return list();
        case Action::Note:
            return m_catalogue->setNote(m_command.disc, m_command.text) ? 0 : failed();
        case Action::Remove:
            return m_catalogue->removeDisc(m_command.disc) ? 0 : failed();
        case Action::Verify:
            return verify();
        case Action::Find:
            return find();
        }
        return 2;
    }

private:
    int fail(const QString& message)
    {
        sayError(m_err, message);
        return 2;
    }
    int failed() { return fail(m_catalogue->error()); }

    int add()
    {
        QString error;
        std::optional<Disc> disc = openDisc(m_command.path, &error);
        if (!disc)
            return fail(error);
        DiscRecord record;
        const QString folder = QDir::cleanPath(QFileInfo(m_command.path).absoluteFilePath());
        record.source = folder;
        if (disc->image) {
            record.fsType = QStringLiteral("iso9660");
            record.capacity = disc->image->fileSize();
            record.freeSpace = 0;
            record.name = disc->image->volumeName();
            if (record.name.isEmpty())
                record.name = QFileInfo(folder).completeBaseName();
        } else {
            const DiscFacts facts = discFacts(folder);
            record.fsType = facts.fsType;
            record.uuid = facts.uuid;
            record.capacity = facts.capacity;
            record.freeSpace = facts.freeSpace;
            record.name = facts.mountPoint && !facts.label.isEmpty() ? facts.label
                          : folder == QLatin1String("/")             ? folder
                                                                     : QFileInfo(folder).fileName();
        }
        if (!m_command.discName.isEmpty())
            record.name = m_command.discName;
        record.note = m_command.note;
        record.added = QDateTime::currentDateTimeUtc();

        std::vector<CatalogueEntry> entries;
        QSet<std::pair<quint64, quint64>> linked; // files of several names, counted once
        const WalkResult walked =
            walkAll(*disc->source, WalkOptions(), [&](const WalkVisit& visit) {
                const WalkItem& item = visit.item;
                entries.push_back({visit.number, visit.parent, item.name, item.kind, item.size,
                                   item.mtime, visit.hidden, visit.unreadable});
                if (item.kind == WalkKind::File &&
                    (item.links < 2 || !linked.contains({item.device, item.inode}))) {
                    record.bytes += item.size;
                    if (item.links > 1)
                        linked.insert({item.device, item.inode});
                }
            });
        if (walked.startUnreadable)
            return fail(QStringLiteral("cannot read %1: %2")
                            .arg(m_command.path, walked.unreadable.front().reason));
        record.entries = qint64(entries.size());
        record.unreadable = qint64(walked.unreadable.size());

        qint64 same = 0;
        const std::optional<qint64> id =
            m_catalogue->addDisc(record, entries, m_command.replace, &same);
        if (same)
            return fail(QStringLiteral("this disc is in the catalogue already, as %1 (--replace "
                                       "records it again)")
                            .arg(discIdentifier(same)));
        if (!id)
            return failed();
        m_out << discIdentifier(*id) << Qt::endl;
        if (!walked.unreadable.empty())
            warnUnreadable(walked.unreadable);
        return 0;
    }

    void warnUnreadable(const std::vector<WalkProblem>& problems)
    {
        constexpr size_t kNamed = 5;
        QStringList named;
        for (size_t i = 0; i < std::min(problems.size(), kNamed); ++i)
            named.append(QStringLiteral("/%1 (%2)").arg(problems[i].path, problems[i].reason));
        QString line = problems.size() == 1
                           ? QStringLiteral("1 folder could not be read and is recorded as "
                                            "unread: ")
                           : QStringLiteral("%1 folders could not be read and are recorded as "
                                            "unread: ")
                                 .arg(problems.size());
        line += named.join(QStringLiteral(", "));
        if (problems.size() > kNamed)
            line += QStringLiteral(" and %1 more").arg(problems.size() - kNamed);
        sayWarning(m_err, line);
    }

    int list()
    {
        const auto discs = m_catalogue->discs();
        if (!discs)
            return failed();
        QJsonArray array;
        for (const DiscRecord& disc : *discs) {
            const QString added = isoTime(disc.added.toSecsSinceEpoch());
            if (!m_command.json) {
                m_out << tabbed({discIdentifier(disc.id), disc.name, disc.note, added,
                                 QString::number(disc.entries), QString::number(disc.bytes)})
                      << '\n';
                continue;
            }
            QJsonObject object{{QStringLiteral("disc"), discIdentifier(disc.id)},
                               {QStringLiteral("name"), disc.name},
                               {QStringLiteral("note"), disc.note},
                               {QStringLiteral("date"), added},
                               {QStringLiteral("entries"), disc.entries},
                               {QStringLiteral("bytes"), disc.bytes},
                               {QStringLiteral("unreadable"), disc.unreadable},
                               {QStringLiteral("source"), disc.source},
                               {QStringLiteral("fs_type"), disc.fsType},
                               {QStringLiteral("uuid"), disc.uuid}};
            if (disc.capacity)
                object.insert(QStringLiteral("capacity"), *disc.capacity);
            if (disc.freeSpace)
                object.insert(QStringLiteral("free"), *disc.freeSpace);
            array.append(object);
        }
        if (m_command.json)
            writeJson(m_out, array);
        m_out.flush();
        return 0;
    }

    int find()
    {
        if (foldName(m_command.text).isEmpty())
            return fail(QStringLiteral("nothing to find in \"%1\"").arg(m_command.text));
        if (m_command.disc && !knownDisc(m_command.disc))
            return 2;
        const auto hits =
            findInCatalogue(*m_catalogue, m_command.text, m_command.disc, m_command.limit);
        if (!hits)
            return failed();
        QJsonArray array;
        QString text;
        for (const CatalogueHit& hit : *hits) {
            const QString mtime = isoTime(hit.entry.mtime);
            if (!m_command.json) {
                text += tabbed({discIdentifier(hit.disc), hit.discName, hit.path,
                                QString::number(hit.entry.size), mtime}) +
                        u'\n';
                continue;
            }
            array.append(QJsonObject{{QStringLiteral("disc"), discIdentifier(hit.disc)},
                                     {QStringLiteral("disc_name"), hit.discName},
                                     {QStringLiteral("path"), hit.path},
                                     {QStringLiteral("size"), hit.entry.size},
                                     {QStringLiteral("mtime"), mtime},
                                     {QStringLiteral("kind"), kindName(hit.entry.kind)}});
        }
        if (m_command.json)
            writeJson(m_out, array);
        m_out << text;
        m_out.flush();
        return hits->empty() ? 1 : 0;
    }

    bool knownDisc(qint64 id)
    {
        if (m_catalogue->disc(id))
            return true;
        fail(m_catalogue->error().isEmpty()
                 ? QStringLiteral("no disc %1 in the catalogue").arg(discIdentifier(id))
                 : m_catalogue->error());
        return false;
    }

    int verify()
    {
        if (!knownDisc(m_command.disc))
            return 2;
        const auto recorded = m_catalogue->entries(m_command.disc);
        if (!recorded)
            return failed();
        QString error;
        std::optional<Disc> disc = openDisc(m_command.path, &error);
        if (!disc)
            return fail(error);
        WalkResult walked;
        const std::vector<DiscDifference> differences =
            compareDisc(*recorded, *disc->source, &walked);
        if (walked.startUnreadable)
            return fail(QStringLiteral("cannot read %1: %2")
                            .arg(m_command.path, walked.unreadable.front().reason));
        for (const DiscDifference& difference : differences)
            m_out << describe(difference) << '\n';
        m_out.flush();
        return differences.empty() ? 0 : 1;
    }

    static QString describe(const DiscDifference& difference)
    {
        const QString path = difference.folder ? difference.path + u'/' : difference.path;
        switch (difference.kind) {
        case DiscDifference::Kind::Missing:
            return tabbed({QStringLiteral("missing"), path});
        case DiscDifference::Kind::New:
            return tabbed({QStringLiteral("new"), path});
        case DiscDifference::Kind::Unreadable:
            return tabbed({QStringLiteral("unreadable"), path, difference.reason});
        case DiscDifference::Kind::Changed:
            break;
        }
        QStringList what;
        if (difference.recordedKind != difference.foundKind) {
            what.append(
                QStringLiteral("%1 -> %2")
                    .arg(kindName(difference.recordedKind), kindName(difference.foundKind)));
        } else {
            if (difference.recordedSize != difference.foundSize)
                what.append(QStringLiteral("size %1 -> %2")
                                .arg(difference.recordedSize)
                                .arg(difference.foundSize));
            if (difference.recordedTime && difference.foundTime &&
                std::abs(*difference.recordedTime - *difference.foundTime) > kTimeTolerance)
                what.append(
                    QStringLiteral("time %1 -> %2")
                        .arg(isoTime(difference.recordedTime), isoTime(difference.foundTime)));
        }
        return tabbed({QStringLiteral("changed"), path, what.join(QStringLiteral(", "))});
    }

    const CatalogueCommand& m_command;
    QTextStream& m_out;
    QTextStream& m_err;
    std::unique_ptr<Catalogue> m_catalogue;
};

} // namespace

int runCatalogueCommand(const CatalogueCommand& command, QTextStream& out, QTextStream& err)
{
    return Run(command, out, err).run();
}

} // namespace kvx

namespace kvx {

int runCatalogueProgram(int& argc, char** argv, const QStringList& arguments)
{
    QTextStream out(stdout);
    QTextStream err(stderr);
    const CatalogueCommandResult parsed = parseCatalogueCommand(arguments);
    if (!parsed.command) {
        sayError(err, parsed.error);
        return 2;
    }
    keepQtMessagesQuiet();
    const QCoreApplication app(argc, argv);
    if (parsed.command->help) {
        out << commandLineHelp() << programFilesHelp();
        return 0;
    }
    return runCatalogueCommand(*parsed.command, out, err);
}

} // namespace kvx
