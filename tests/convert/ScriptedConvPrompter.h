#pragma once

#include "convert/ConvPrompter.h"

#include <QList>
#include <QStringList>
#include <stdexcept>
#include <vector>

namespace dw::convert::test {

// Records every box; answers questions and the source dialog from queues. An unscripted
// question fails loudly, so a test also catches a box that should not appear.
struct ScriptedConvPrompter final : ConvPrompter {
    Answer ask(const Box &box) override
    {
        boxes.push_back(box);
        if (box.buttons != BoxButtons::Ok && answers.isEmpty())
            throw std::logic_error("unscripted question: " + box.text.toStdString());
        return box.buttons == BoxButtons::Ok ? Answer::Ok : answers.takeFirst();
    }
    QString chooseSource() override
    {
        return paths.isEmpty() ? throw std::logic_error("unscripted file dialog") : paths.takeFirst();
    }

    QList<Answer> answers;
    QStringList paths;
    std::vector<Box> boxes;
};

} // namespace dw::convert::test
