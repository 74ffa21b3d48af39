#pragma once

#include "platform/Prompter.h"

#include <QStringList>
#include <deque>
#include <stdexcept>
#include <vector>

namespace dw::test {

// Answers questions from a queue and records every box and dialog, so a test can check both
// what was asked and that nothing else was. An unscripted question fails loudly.
class ScriptedPrompter final : public Prompter {
public:
    // Queue the next answers to ask(), in order.
    ScriptedPrompter &answer(Button b)
    {
        answers_.push_back(b);
        return *this;
    }
    // Queue the next paths returned by chooseFile(), in order ("" = cancel).
    ScriptedPrompter &choose(const QString &path)
    {
        paths_.push_back(path);
        return *this;
    }

    Button ask(const Message &message) override
    {
        messages.push_back(message);
        if (answers_.empty()) {
            // A box with only OK needs no script.
            if (message.buttons == Buttons::Ok)
                return Button::Ok;
            throw std::logic_error("unscripted question: " + message.text.toStdString());
        }
        const Button b = answers_.front();
        answers_.pop_front();
        return b;
    }

    QString chooseFile(FileKind kind) override
    {
        dialogs.push_back(kind);
        starts << places.start(kind);
        if (paths_.empty())
            throw std::logic_error("unscripted file dialog");
        const QString p = paths_.front();
        paths_.pop_front();
        places.chosen(kind, p);
        return p;
    }

    void beep() override { ++beeps; }

    bool allAnswersUsed() const { return answers_.empty() && paths_.empty(); }
    QStringList texts() const
    {
        QStringList t;
        for (const auto &m : messages)
            t << m.text;
        return t;
    }
    void reset()
    {
        messages.clear();
        dialogs.clear();
        starts.clear();
        answers_.clear();
        paths_.clear();
        beeps = 0;
    }

    std::vector<Message> messages;
    std::vector<FileKind> dialogs;
    QStringList starts; // where each dialog started
    int beeps = 0;

private:
    std::deque<Button> answers_;
    std::deque<QString> paths_;
};

} // namespace dw::test
