#pragma once

#include "tree/FolderLister.h"
#include "tree/FolderScan.h"
#include "tree/ImageRegistry.h"
#include "tree/NodeTree.h"
#include "tree/ScanHooks.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <QTest>
#include <fcntl.h>
#include <functional>
#include <linux/capability.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

// Test doubles for the event loop and the element-count label.
class ScriptedPump : public kvx::EventPump
{
public:
    std::function<void(int)> onYield; // given the number of the yield, from 1
    int yields = 0;
    int busyDepth = 0;
    int maxBusyDepth = 0;

    void yieldToEvents() override
    {
        ++yields;
        if (onYield)
            onYield(yields);
    }
    void beginBusy() override { maxBusyDepth = std::max(maxBusyDepth, ++busyDepth); }
    void endBusy() override { --busyDepth; }
};

class CountRecorder : public kvx::ElementCountDisplay
{
public:
    QList<qint32> shown;
    void showElementCount(qint32 count) override { shown.append(count); }
};

// A file's bytes, empty when it cannot be read; a file written whole.
inline QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
inline bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// Every name in a folder, hidden ones included.
inline QStringList entries(const QString& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System |
                                  QDir::NoDotAndDotDot);
}

// A folder below `base` whose path is `length` bytes long (ASCII), parents included.
inline QString deepFolder(const QString& base, int length)
{
    QString path = base;
    while (length - path.size() > 202) // so that the last name has one byte at least
        path += '/' + QString(200, 'd');
    path += '/' + QString(length - path.size() - 1, 'd');
    return QDir().mkpath(path) ? path : QString();
}

// Makes folders (entries ending in "/") and empty files below `base`, parents
// included, one name at a time: names which are no valid text and paths too
// long to be named whole can be made too.
inline bool makeRawEntries(const QString& base, const QList<QByteArray>& entries)
{
    bool made = QDir().mkpath(base);
    for (const QByteArray& entry : entries) {
        int at = ::open(QFile::encodeName(base).constData(), O_DIRECTORY);
        const QList<QByteArray> names = entry.split('/');
        for (qsizetype i = 0; i + 1 < names.size() && at >= 0; ++i) {
            ::mkdirat(at, names[i].constData(), 0700);
            const int next = ::openat(at, names[i].constData(), O_DIRECTORY);
            ::close(at);
            at = next;
        }
        made = made && at >= 0 &&
               (names.last().isEmpty() ||
                ::close(::openat(at, names.last().constData(), O_CREAT | O_WRONLY, 0600)) == 0);
        ::close(at);
    }
    return made;
}

inline bool makeEntries(const QString& base, const QStringList& entries)
{
    QList<QByteArray> encoded;
    for (const QString& entry : entries)
        encoded.append(QFile::encodeName(entry));
    return makeRawEntries(base, encoded);
}

// While alive, the calling thread reads folders by their permissions even as
// the super-user, so a folder of mode 000 cannot be read.
struct WithoutReadRights
{
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct saved[2]{};
    WithoutReadRights()
    {
        ::syscall(SYS_capget, &header, saved);
        __user_cap_data_struct reduced[2] = {saved[0], saved[1]};
        reduced[0].effective &= ~((1U << CAP_DAC_OVERRIDE) | (1U << CAP_DAC_READ_SEARCH));
        ::syscall(SYS_capset, &header, reduced);
    }
    ~WithoutReadRights() { ::syscall(SYS_capset, &header, saved); }
};

// "text|tag|image|selected image" of a node, a picture as its number or key, "-" for none.
inline QString describe(const kvx::Node* node)
{
    if (!node)
        return QStringLiteral("(no node)");
    QStringList fields{node->text(), node->tag()};
    for (const kvx::ImageRef& ref : {node->image(), node->selectedImage()})
        fields << (ref.isNone() ? "-" : ref.isKey() ? ref.key() : QString::number(ref.number()));
    return fields.join(QLatin1Char('|'));
}

// A node tree built from a real folder as the start command builds it.
struct ScanFixture
{
    kvx::ImageRegistry images = kvx::ImageRegistry::withBuiltIns();
    kvx::NodeTree tree;
    kvx::DirectoryLister lister;
    ScriptedPump pump;
    CountRecorder count;
    kvx::FolderScan scan{tree, lister, pump, count};

    explicit ScanFixture(const QString& folder)
    {
        tree.setImageList(&images);
        scan.setStartPath(folder);
        scan.BuildTree();
    }
    [[nodiscard]] kvx::Node* at(const QString& key) const { return tree.findByKey(key); }

    // Positions run 1..count and every folder node lies under a living parent whose key starts
    // its own.
    void verifyTree() const
    {
        for (int i = 1; i <= tree.count(); ++i) {
            const kvx::Node* node = tree.nodeAt(i);
            QCOMPARE(node->index(), i);
            if (node->parent() && !node->key().isEmpty()) {
                QCOMPARE(tree.find(node->parent()->id()), node->parent());
                QVERIFY(node->key().startsWith(node->parent()->key()));
            }
        }
    }
};
