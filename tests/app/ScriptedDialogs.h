#pragma once

#include "dialogs/DialogService.h"

#include <QStringList>
#include <deque>
#include <vector>

namespace kvx::test {

// A dialog service whose answers a test queues in advance. Every call is
// recorded; a call whose queue is empty answers as a cancel (-1, empty text,
// nullopt, Cancel or Ok for a lone Ok button).
class ScriptedDialogs : public DialogService
{
public:
    struct Call
    {
        QString kind; // "ShowColor", "ShowOpen", "ShowSave", "BrowseFolder", "InputBox", "MsgBox"
        QStringList args; // the texts passed, in parameter order
        MessageIcon icon = MessageIcon::None;
    };

    std::deque<qint32> colours;
    std::deque<QString> openPaths;
    std::deque<QString> savePaths;
    std::deque<QString> folders;
    std::deque<std::optional<QString>> inputs;
    std::deque<MessageResult> messageAnswers;
    std::vector<Call> calls;

    [[nodiscard]] std::vector<Call> callsOf(const QString& kind) const
    {
        std::vector<Call> found;
        for (const Call& call : calls) {
            if (call.kind == kind)
                found.push_back(call);
        }
        return found;
    }

    qint32 ShowColor() override
    {
        calls.push_back({QStringLiteral("ShowColor"), {}});
        return take(colours, -1);
    }
    QString ShowOpen(const QString& filter, const QString& title, const QString& iniPath) override
    {
        calls.push_back({QStringLiteral("ShowOpen"), {filter, title, iniPath}});
        return take(openPaths, QString());
    }
    QString ShowSave(const QString& filter, const QString& title, const QString& iniPath) override
    {
        calls.push_back({QStringLiteral("ShowSave"), {filter, title, iniPath}});
        return take(savePaths, QString());
    }
    QString BrowseFolder(const QString& title) override
    {
        calls.push_back({QStringLiteral("BrowseFolder"), {title}});
        return take(folders, QString());
    }
    std::optional<QString> InputBox(const QString& prompt, const QString& title,
                                    const QString& defaultText) override
    {
        calls.push_back({QStringLiteral("InputBox"), {prompt, title, defaultText}});
        return take(inputs, std::optional<QString>());
    }
    MessageResult MsgBox(const QString& text, const QString& title, MessageIcon icon,
                         MessageButtons buttons = MessageButtons::Ok) override
    {
        calls.push_back({QStringLiteral("MsgBox"), {text, title}, icon});
        return take(messageAnswers,
                    buttons == MessageButtons::Ok ? MessageResult::Ok : MessageResult::Cancel);
    }

private:
    template <class T> static T take(std::deque<T>& queue, T cancel)
    {
        // One return object: GCC 12 sees a maybe-uninitialized optional otherwise.
        if (!queue.empty()) {
            cancel = std::move(queue.front());
            queue.pop_front();
        }
        return cancel;
    }
};

} // namespace kvx::test
