#pragma once
// A scripted stand-in for the real dialogs: records every message, answers questions and file
// dialogs from queues, and counts beeps.
#include "ui/Dialogs.h"

#include <QString>
#include <deque>
#include <functional>
#include <optional>
#include <vector>

struct RecordedMessage {
    enum class Kind { Message, Question, FileDialog };
    Kind kind;
    QString title;
    QString text;
    bool operator==(const RecordedMessage&) const = default;
};

class FakeDialogs final : public ui::Dialogs {
public:
    void message(const QString& title, const QString& text) override;
    bool ask(const QString& title, const QString& text) override;
    std::optional<QString> chooseFile(ui::FileMode mode, const QString& filter,
                                      const QString& defaultName) override;
    void beep() override { ++beeps; }
    void setBusy(bool busy) override { busy ? ++busyOn : ++busyOff; }

    // Answers for the next questions, and for the next file dialogs (none queued, or
    // std::nullopt, is a cancel). A question with no answer queued fails the test: a test says
    // which questions it expects and what the user answers, No included.
    std::deque<bool> answers;
    std::deque<std::optional<QString>> files;

    // Every message and question in order.
    std::vector<RecordedMessage> log;
    // Only the OK boxes, "title|text".
    std::vector<QString> messages() const;
    struct FileRequest {
        ui::FileMode mode;
        QString filter;
        QString defaultName;
    };
    std::vector<FileRequest> fileRequests;
    int beeps = 0;
    int busyOn = 0;
    int busyOff = 0;

    // Called inside message() and ask(), so a test can look at the window while a box is up.
    std::function<void(const RecordedMessage&)> onShow;

    void clear();
};
