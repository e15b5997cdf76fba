#include "catalogue/DiscCataloguing.h"

#include "catalogue/Catalogue.h"
#include "lang/MessageTexts.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QProgressDialog>
#include <QThread>
#include <atomic>
#include <functional>

namespace kvx {

namespace {

// Runs `work` on a worker thread while the window's events go on; returns
// once it has ended.
void runInWorker(const std::function<void()>& work)
{
    QEventLoop loop;
    std::unique_ptr<QThread> thread(QThread::create(work));
    QObject::connect(thread.get(), &QThread::finished, &loop, &QEventLoop::quit,
                     Qt::QueuedConnection);
    thread->start();
    loop.exec();
    thread->wait();
}

} // namespace

DiscCataloguing::DiscCataloguing(const QString& cataloguePath, const MessageTexts& texts,
                                 QObject* parent)
    : QObject(parent), m_path(cataloguePath), m_texts(texts)
{
}

DiscCataloguing::Outcome DiscCataloguing::run(DiscToRead disc, bool replace, QWidget* owner)
{
    QProgressDialog progress(owner);
    progress.setWindowTitle(m_texts.text(Msg::CatalogueDiscTitle));
    progress.setAccessibleName(progress.windowTitle());
    progress.setWindowModality(Qt::WindowModal);
    progress.setRange(0, 0);
    progress.setMinimumDuration(0);
    progress.setAutoClose(false);
    progress.setAutoReset(false);
    progress.setLabelText(m_texts.text(Msg::ReadingDisc).arg(0).arg(0));
    progress.show();

    std::atomic<bool> cancel{false};
    connect(&progress, &QProgressDialog::canceled, this, [&cancel] { cancel = true; });
    // Counts reach the window a few times a second, the first at once.
    QElapsedTimer lastShown;
    WalkOptions options;
    options.cancel = &cancel;
    options.progress = [&](const WalkProgress& counts) {
        if (lastShown.isValid() && lastShown.elapsed() < 100)
            return;
        lastShown.start();
        const qint64 folders = counts.folders;
        const qint64 files = counts.files;
        QMetaObject::invokeMethod(
            this,
            [this, &progress, folders, files] {
                progress.setLabelText(m_texts.text(Msg::ReadingDisc).arg(folders).arg(files));
                Q_EMIT progressed(folders, files);
            },
            Qt::QueuedConnection);
    };
    DiscReading reading;
    runInWorker([&] { reading = readDisc(disc, options); });
    // Counts still on their way come before the question whether to go on.
    QCoreApplication::sendPostedEvents(this);

    Outcome outcome;
    outcome.entries = qint64(reading.entries.size());
    outcome.unreadable = qint64(reading.walked.unreadable.size());
    if (cancel || reading.walked.cancelled) {
        outcome.cancelled = true;
        return outcome;
    }
    if (reading.walked.startUnreadable) {
        outcome.error = reading.walked.unreadable.front().reason;
        return outcome;
    }

    progress.setLabelText(m_texts.text(Msg::RecordingDisc));
    progress.setCancelButton(nullptr); // a record is written whole or not at all
    runInWorker([&] {
        std::unique_ptr<Catalogue> catalogue =
            Catalogue::open(m_path, Catalogue::Use::Write, &outcome.error);
        if (catalogue) {
            outcome.id =
                catalogue->addDisc(reading.record, reading.entries, replace, &outcome.same);
            if (!outcome.id)
                outcome.error = catalogue->error();
        }
    });
    return outcome;
}

} // namespace kvx
