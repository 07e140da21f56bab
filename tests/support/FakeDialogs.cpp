#include "support/FakeDialogs.h"

#include <gtest/gtest.h>

void FakeDialogs::message(const QString& title, const QString& text)
{
    log.push_back({RecordedMessage::Kind::Message, title, text});
    if (onShow) onShow(log.back());
}

bool FakeDialogs::ask(const QString& title, const QString& text)
{
    log.push_back({RecordedMessage::Kind::Question, title, text});
    if (onShow) onShow(log.back());
    if (answers.empty()) {
        ADD_FAILURE() << "a question the test did not expect: \"" << title.toStdString() << "\" \""
                      << text.toStdString() << '"';
        return false;
    }
    const bool a = answers.front();
    answers.pop_front();
    return a;
}

std::optional<QString> FakeDialogs::chooseFile(ui::FileMode mode, const QString& filter,
                                               const QString& defaultName)
{
    fileRequests.push_back({mode, filter, defaultName});
    if (files.empty()) return std::nullopt;
    auto f = files.front();
    files.pop_front();
    return f;
}

std::vector<QString> FakeDialogs::messages() const
{
    std::vector<QString> out;
    for (const auto& m : log)
        if (m.kind == RecordedMessage::Kind::Message)
            out.push_back(m.title + QLatin1Char('|') + m.text);
    return out;
}

void FakeDialogs::clear()
{
    log.clear();
    fileRequests.clear();
    beeps = busyOn = busyOff = 0;
}
