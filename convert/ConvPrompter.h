#pragma once

#include <QString>

namespace dw::convert {

enum class BoxIcon { Information, Question, Exclamation, Critical };
enum class BoxButtons { Ok, YesNo };
enum class Answer { Ok, Yes, No };

// One modal message box, complete enough for a test to compare it field by field.
struct Box {
    QString text;
    QString title;
    BoxIcon icon = BoxIcon::Information;
    BoxButtons buttons = BoxButtons::Ok;
    Answer defaultButton = Answer::Ok;

    bool operator==(const Box &) const = default;
};

// The converter's only ways to talk to the user; the window, the command line and the tests
// each answer them their own way.
class ConvPrompter {
public:
    virtual ~ConvPrompter() = default;
    virtual Answer ask(const Box &box) = 0;
    // Full path of the old list the user picked, or "" when the dialog was cancelled.
    virtual QString chooseSource() = 0;
};

} // namespace dw::convert
