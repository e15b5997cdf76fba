#pragma once

#include <QByteArrayView>
#include <QString>

namespace kvx {

// Writes a file so that a failure never leaves a half-written or lost one:
// the content goes to a temporary file beside the target, made once there is
// something to write, which takes the target's name only on commit(). Only a
// regular file, or a name that does not exist yet, is ever replaced; a folder,
// a device, a pipe or a socket is refused, when the replacement begins and
// again just before the target is replaced. A symbolic link stays a link: the
// file it names is replaced, keeping its permissions, and its owner and group
// where the system allows. A failed step, or a replacement dropped before
// commit(), removes the temporary file and leaves the target as it was; so
// does an interrupted program (see TemporaryFiles.h).
//
// Several replacements can be prepared and committed together once all are
// written, so that a run with several outputs writes all or none.
class FileReplacement
{
public:
    explicit FileReplacement(QString target);
    ~FileReplacement();
    FileReplacement(const FileReplacement&) = delete;
    FileReplacement& operator=(const FileReplacement&) = delete;

    // Checks the target. False, with the reason in errorString(), when it
    // cannot be replaced. Nothing is made yet.
    [[nodiscard]] bool begin();
    // Makes the empty temporary file, for writers that open a file by name
    // (temporaryPath()); write() makes it when needed.
    [[nodiscard]] bool createTemporary();
    // Appends to the temporary file (after what a writer by name put there).
    [[nodiscard]] bool write(QByteArrayView bytes);
    // Checks the target again, gives the temporary file the replaced file's
    // permissions, owner and group, flushes it to disk and gives it the
    // target's name.
    [[nodiscard]] bool commit();

    // The file given.
    [[nodiscard]] const QString& target() const { return m_target; }
    // The file that commit() replaces: the target, its links followed (after begin()).
    [[nodiscard]] const QString& finalPath() const { return m_final; }
    // The temporary file; it exists from createTemporary() until commit() or
    // the end of the replacement.
    [[nodiscard]] const QString& temporaryPath() const { return m_temporary; }
    // Why the last step failed, in the system's words where it has some
    // ("No space left on device").
    [[nodiscard]] const QString& errorString() const { return m_error; }
    // After commit(): the replaced file's other names (hard links), which
    // keep the old content.
    [[nodiscard]] int otherLinks() const { return m_otherLinks; }

private:
    bool fail(int errorNumber);
    bool fail(const QString& reason);
    bool findFinalPath();
    bool keepOwnerAndMode();
    void discard();

    QString m_target;
    QString m_final;
    QString m_temporary;
    QString m_error;
    int m_fd = -1;
    int m_noted = -1; // its place among the temporary files to remove on a signal
    int m_otherLinks = 0;
    bool m_committed = false;
};

// The system's words for an errno value, such as "No space left on device".
[[nodiscard]] QString systemErrorText(int errorNumber);

} // namespace kvx
