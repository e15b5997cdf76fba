#pragma once

#include "about/ShellLauncher.h"

#include <QList>

// Answers every request with a fixed code and keeps the requests it saw.
struct RecordingLauncher : kvx::ShellLauncher
{
    explicit RecordingLauncher(qint32 answer = 42) : code(answer) {}

    qint32 launch(const kvx::ShellRequest& request, LateFailure lateFailure) override
    {
        requests.append(request);
        late = std::move(lateFailure);
        return code;
    }

    qint32 code;
    QList<kvx::ShellRequest> requests;
    LateFailure late;
};
