#pragma once

#include "dialogs/DialogService.h"

namespace kvx::bench {

// Every dialog answers as cancelled: nothing may wait for a user here.
class NoDialogs : public DialogService
{
public:
    qint32 ShowColor() override { return -1; }
    QString ShowOpen(const QString&, const QString&, const QString&) override { return {}; }
    QString ShowSave(const QString&, const QString&, const QString&) override { return {}; }
    QString BrowseFolder(const QString&) override { return {}; }
    std::optional<QString> InputBox(const QString&, const QString&, const QString&) override
    {
        return std::nullopt;
    }
    MessageResult MsgBox(const QString&, const QString&, MessageIcon, MessageButtons) override
    {
        return MessageResult::Ok;
    }
};

} // namespace kvx::bench
