#pragma once

#include "tree/ScanHooks.h"

#include <QDir>
#include <QFile>
#include <QStringList>
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

// Makes the folders (relative paths, "/"-separated) below `base`.
inline bool makeFolders(const QString& base, const QStringList& folders)
{
    for (const QString& f : folders) {
        if (!QDir(base).mkpath(f))
            return false;
    }
    return true;
}

inline bool makeFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly);
}
