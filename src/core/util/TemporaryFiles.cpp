#include "util/TemporaryFiles.h"

#include <QFile>
#include <array>
#include <atomic>
#include <climits>
#include <csignal>
#include <cstring>
#include <unistd.h>

namespace kvx {

namespace {

struct Noted
{
    char path[PATH_MAX];
    std::atomic<bool> inUse{false};
};

// A program writes two outputs at most (a document and a PDF).
std::array<Noted, 4> g_noted;

void removeNoted(int signalNumber)
{
    for (Noted& noted : g_noted) {
        if (noted.inUse.load())
            ::unlink(noted.path);
    }
    // The handler was reset to the default: the signal ends the program
    // once this handler returns.
    ::raise(signalNumber);
}

} // namespace

int noteTemporaryFile(const QString& path)
{
    const QByteArray bytes = QFile::encodeName(path);
    if (bytes.size() >= PATH_MAX)
        return -1;
    for (size_t i = 0; i < g_noted.size(); ++i) {
        Noted& noted = g_noted[i];
        if (noted.inUse.load())
            continue;
        std::memcpy(noted.path, bytes.constData(), size_t(bytes.size()) + 1);
        noted.inUse.store(true);
        return int(i);
    }
    return -1;
}

void forgetTemporaryFile(int place)
{
    if (place >= 0 && size_t(place) < g_noted.size())
        g_noted[size_t(place)].inUse.store(false);
}

void removeTemporaryFilesOnSignals()
{
    for (const int signalNumber : {SIGINT, SIGTERM, SIGHUP}) {
        struct sigaction old = {};
        if (::sigaction(signalNumber, nullptr, &old) == 0 && old.sa_handler == SIG_IGN)
            continue; // started with nohup, say
        struct sigaction action = {};
        action.sa_handler = removeNoted;
        action.sa_flags = SA_RESETHAND;
        sigemptyset(&action.sa_mask);
        ::sigaction(signalNumber, &action, nullptr);
    }
}

} // namespace kvx
