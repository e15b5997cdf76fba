#pragma once

#include <QByteArrayView>
#include <QString>

namespace kvx {

// Writes a file so that a failure never leaves a half-written or lost one:
// the content goes to a temporary file beside the target, which takes the
// target's name only on commit(). Only a regular file, or a name that does not
// exist yet, is ever replaced; a folder, a device, a pipe or a socket is
// refused before anything is written. A symbolic link stays a link: the file
// it names is replaced. A replacement dropped before commit() removes its
// temporary file and leaves the target as it was.
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

    // Checks the target and creates the empty temporary file. False, with the
    // reason in errorString(), when the target cannot be replaced.
    [[nodiscard]] bool begin();
    // Appends to the temporary file (after what a writer by name put there).
    [[nodiscard]] bool write(QByteArrayView bytes);
    // Flushes the temporary file to disk and gives it the target's name.
    [[nodiscard]] bool commit();

    // The file given.
    [[nodiscard]] const QString& target() const { return m_target; }
    // The file that commit() replaces: the target, its links followed (after begin()).
    [[nodiscard]] const QString& finalPath() const { return m_final; }
    // The temporary file, for writers that open a file by name; it exists
    // from begin() until commit() or the end of the replacement.
    [[nodiscard]] const QString& temporaryPath() const { return m_temporary; }
    // Why the last step failed, in the system's words where it has some
    // ("No space left on device").
    [[nodiscard]] const QString& errorString() const { return m_error; }

private:
    bool fail(int errorNumber);
    bool fail(const QString& reason);
    bool findFinalPath();
    bool createTemporary();

    QString m_target;
    QString m_final;
    QString m_temporary;
    QString m_error;
    int m_fd = -1;
    bool m_replacesFile = false;
    unsigned m_oldMode = 0; // the permissions of the file replaced
    bool m_committed = false;
};

// The system's words for an errno value, such as "No space left on device".
[[nodiscard]] QString systemErrorText(int errorNumber);

} // namespace kvx
