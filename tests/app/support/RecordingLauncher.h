#pragma once

#include "about/ShellLauncher.h"

#include <QList>

// Answers every request with a fixed code and keeps the requests it saw.
class RecordingLauncher : public kvx::ShellLauncher
{
public:
    explicit RecordingLauncher(qint32 code = 42) : m_code(code) {}

    qint32 launch(const kvx::ShellRequest& request, LateFailure lateFailure) override
    {
        requests.append(request);
        late = std::move(lateFailure);
        return m_code;
    }

    QList<kvx::ShellRequest> requests;
    LateFailure late;

private:
    qint32 m_code;
};
