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
        QString kind;     // the method's name: "ShowOpen", "MsgBox", ...
        QStringList args; // the texts passed, in parameter order
        MessageIcon icon = MessageIcon::None;
    };

    std::deque<qint32> colours;
    std::deque<QString> openPaths, savePaths, folders;
    std::deque<std::optional<QString>> inputs;
    std::deque<MessageResult> messageAnswers;
    std::vector<Call> calls;

    [[nodiscard]] std::vector<Call> callsOf(const QString& kind) const
    {
        std::vector<Call> found;
        for (const Call& call : calls)
            if (call.kind == kind)
                found.push_back(call);
        return found;
    }

    qint32 ShowColor() override { return answer(colours, -1, {"ShowColor", {}}); }
    QString ShowOpen(const QString& filter, const QString& title, const QString& dir) override
    {
        return answer(openPaths, QString(), {"ShowOpen", {filter, title, dir}});
    }
    QString ShowSave(const QString& filter, const QString& title, const QString& dir) override
    {
        return answer(savePaths, QString(), {"ShowSave", {filter, title, dir}});
    }
    QString BrowseFolder(const QString& title) override
    {
        return answer(folders, QString(), {"BrowseFolder", {title}});
    }
    std::optional<QString> InputBox(const QString& prompt, const QString& title,
                                    const QString& text) override
    {
        return answer(inputs, std::optional<QString>(), {"InputBox", {prompt, title, text}});
    }
    MessageResult MsgBox(const QString& text, const QString& title, MessageIcon icon,
                         MessageButtons buttons = MessageButtons::Ok) override
    {
        const MessageResult cancel =
            buttons == MessageButtons::Ok ? MessageResult::Ok : MessageResult::Cancel;
        return answer(messageAnswers, cancel, {"MsgBox", {text, title}, icon});
    }

private:
    // One return object: GCC 12 sees a maybe-uninitialized optional otherwise.
    template <class T> T answer(std::deque<T>& queue, T cancel, Call call)
    {
        calls.push_back(std::move(call));
        if (!queue.empty()) {
            cancel = std::move(queue.front());
            queue.pop_front();
        }
        return cancel;
    }
};

} // namespace kvx::test
