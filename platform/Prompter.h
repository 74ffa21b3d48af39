#pragma once

#include "platform/FilePlaces.h"

#include <QString>
#include <QStringList>

namespace dw {

// The title message boxes get when a message names no title of its own.
inline const QString kAppTitle = QStringLiteral("Datewren");

enum class Icon { None, Information, Question, Exclamation, Critical };
enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel };
enum class Button { Ok, Cancel, Yes, No };

// One modal message box, described completely so that tests can compare it.
struct Message {
    QString text;
    QString title = kAppTitle;
    Icon icon = Icon::None;
    Buttons buttons = Buttons::Ok;
    Button defaultButton = Button::Ok;

    bool operator==(const Message &) const = default;
};

// The file dialogs the program opens. Titles, filters and default extensions are fixed per kind.
enum class FileKind { Open, Save, OpenReg, SaveReg, Html, Picture, Calendar, Contacts };

struct FileDialogInfo {
    bool save = false;
    QString title;
    QString filterDescription;
    QString filterPattern; // ";"-separated, e.g. "*.html;*.htm"
    QString defaultSuffix; // without the dot; empty for none
};

FileDialogInfo fileDialogInfo(FileKind kind);

// Every question the program puts to the user goes through here; tests script the answers.
class Prompter {
public:
    virtual ~Prompter() = default;
    virtual Button ask(const Message &message) = 0;
    // Full path of the chosen file, or "" when the user cancels.
    // The dialog starts where places.start(kind) says; the chosen file is reported back to it.
    virtual QString chooseFile(FileKind kind) = 0;
    // Several existing files where the dialog allows it; none when the user cancels.
    virtual QStringList chooseFiles(FileKind kind)
    {
        const QString path = chooseFile(kind);
        return path.isEmpty() ? QStringList() : QStringList{path};
    }
    virtual void beep() = 0;

    // Convenience: a message with only an OK button.
    void inform(const QString &text, const QString &title = kAppTitle, Icon icon = Icon::Information)
    {
        ask(Message{text, title, icon, Buttons::Ok, Button::Ok});
    }

    FilePlaces places;
};

} // namespace dw
