#include "ScriptedServices.h"

#include <QPrinter>

MsgAnswer ScriptedMessages::next(MsgButtons buttons) {
    if (!answers.empty()) {
        const MsgAnswer a = answers.front();
        answers.pop_front();
        return a;
    }
    if (buttons != MsgButtons::Ok)
        ++unanswered;
    switch (buttons) {
    case MsgButtons::YesNo:
        return MsgAnswer::No;
    case MsgButtons::YesNoCancel:
    case MsgButtons::OkCancel:
        return MsgAnswer::Cancel;
    case MsgButtons::Ok:
        break;
    }
    return MsgAnswer::Ok;
}

MsgAnswer ScriptedMessages::MsgBox(const QString& text, MsgButtons buttons, NoticeIcon icon,
                                   const QString& title, QWidget*) {
    shown.push_back({text, buttons, icon, title, false});
    return next(buttons);
}

MsgAnswer ScriptedMessages::MsgBoxDefaultNo(const QString& text, NoticeIcon icon,
                                            const QString& title, QWidget*) {
    shown.push_back({text, MsgButtons::YesNo, icon, title, true});
    return next(MsgButtons::YesNo);
}

namespace {

template <typename T> std::optional<T> take(std::deque<std::optional<T>>& queue) {
    if (queue.empty())
        return std::nullopt;
    std::optional<T> result;
    result.swap(queue.front());
    queue.pop_front();
    return result;
}

} // namespace

std::optional<QString> ScriptedDialogs::ShowOpen(const FileDialogRequest& request, QWidget*) {
    openRequests.push_back(request);
    return take(openResults);
}

std::optional<QString> ScriptedDialogs::ShowSave(const FileDialogRequest& request, QWidget*) {
    saveRequests.push_back(request);
    return take(saveResults);
}

bool ScriptedDialogs::ShowPrinter(QPrinter& printer, QWidget*) {
    ++printerRequests;
    printerProposals.push_back(printer.outputFileName());
    if (printerResults.empty())
        return false;
    const bool accepted = printerResults.front();
    printerResults.pop_front();
    if (accepted)
        printer.setOutputFileName(printerOutputFile);
    return accepted;
}

std::optional<quint32> ScriptedDialogs::ShowColor(quint32 initial, QWidget*) {
    colourRequests.push_back(initial);
    return take(colourResults);
}
