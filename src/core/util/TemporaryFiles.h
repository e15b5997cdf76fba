#pragma once

#include <QString>

namespace kvx {

// The temporary files being written, which an interrupted run must not leave
// behind. The signal handler reads the list, so it lives in fixed storage
// and a few files at once are all it holds.

// Notes a temporary file; returns its place in the list, -1 when full (it is
// then removed at the end of its writer only).
int noteTemporaryFile(const QString& path);
// The file at that place is gone, or is the real file now.
void forgetTemporaryFile(int place);

// From now on SIGINT, SIGTERM and SIGHUP remove the noted files, then end the
// program as the signal would have. A signal that was ignored stays ignored.
void removeTemporaryFilesOnSignals();

} // namespace kvx
