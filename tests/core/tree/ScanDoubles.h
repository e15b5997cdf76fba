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
#include <functional>

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

// Makes folders (entries ending in "/") and empty files below `base`, parents included.
inline bool makeEntries(const QString& base, const QStringList& entries)
{
    for (const QString& entry : entries) {
        const QString path = base + QLatin1Char('/') + entry;
        const bool folder = entry.endsWith(QLatin1Char('/'));
        if (!QDir().mkpath(folder ? path : QFileInfo(path).path()))
            return false;
        if (!folder && !QFile(path).open(QIODevice::WriteOnly))
            return false;
    }
    return true;
}

// "text|tag|image|selected image" of a node, a picture as its number or key, "-" for none.
inline QString describe(const kvx::Node* node)
{
    const auto image = [](const kvx::ImageRef& ref) {
        return ref.isNone()  ? QStringLiteral("-")
               : ref.isKey() ? ref.key()
                             : QString::number(ref.number());
    };
    if (!node)
        return QStringLiteral("(no node)");
    return QStringList{node->text(), node->tag(), image(node->image()),
                       image(node->selectedImage())}
        .join(QLatin1Char('|'));
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
