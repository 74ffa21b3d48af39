#pragma once

#include "convert/ConvPrompter.h"

#include <deque>
#include <stdexcept>
#include <vector>

namespace dw::convert::test {

// Answers the converter's questions from a queue and records every box and dialog, so a test
// sees both what was shown and that nothing else was. An unscripted question fails loudly.
class ScriptedConvPrompter final : public ConvPrompter {
public:
    ScriptedConvPrompter &answer(Answer a)
    {
        answers_.push_back(a);
        return *this;
    }
    ScriptedConvPrompter &choose(const QString &path)
    {
        paths_.push_back(path);
        return *this;
    }

    Answer ask(const Box &box) override
    {
        boxes.push_back(box);
        if (box.buttons == BoxButtons::Ok)
            return Answer::Ok;
        if (answers_.empty())
            throw std::logic_error("unscripted question: " + box.text.toStdString());
        const Answer a = answers_.front();
        answers_.pop_front();
        return a;
    }

    QString chooseSource() override
    {
        ++dialogs;
        if (paths_.empty())
            throw std::logic_error("unscripted file dialog");
        const QString p = paths_.front();
        paths_.pop_front();
        return p;
    }

    std::vector<Box> boxes;
    int dialogs = 0;

private:
    std::deque<Answer> answers_;
    std::deque<QString> paths_;
};

} // namespace dw::convert::test
