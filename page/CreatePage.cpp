#include "page/CreatePage.h"

#include "core/events/EventList.h"
#include "core/events/Sort.h"
#include "core/settings/SettingsModel.h"
#include "page/DateCheck.h"
#include "page/OutputWarnings.h"
#include "page/PageWriter.h"
#include "platform/BusyIndicator.h"
#include "platform/Clock.h"
#include "platform/Prompter.h"
#include "platform/Shell.h"

#include <QFileInfo>

namespace dw {

CreatePageCommand::CreatePageCommand(EventList &list, const SettingsModel &settings, Prompter &prompter,
                                     BusyIndicator &busy, const Clock &clock, const FontCatalog &fonts, QObject *parent)
    : QObject(parent), list_(list), settings_(settings), prompter_(prompter), busy_(busy), clock_(clock), fonts_(fonts)
{
}

void CreatePageCommand::setCreateBlue(bool on)
{
    createBlue_ = on;
    emit stateChanged();
}

void CreatePageCommand::setButtonsEnabled(bool on)
{
    buttonsEnabled_ = on;
    emit stateChanged();
}

void CreatePageCommand::setWarningText(const QString &text)
{
    warningText_ = text;
    emit stateChanged();
}

// Settles the file to write, starting with the last page path. A file chosen in the dialog
// that already exists is confirmed again.
bool CreatePageCommand::choosePath()
{
    QString path = lastPagePath;
    for (;;) {
        if (!path.isEmpty()) {
            if (!QFileInfo::exists(path)) {
                lastPagePath = path;
                return true;
            }
            const Button b = prompter_.ask(Message{
                QStringLiteral("File \"") + path + QStringLiteral("\" already exists.\r\nDo you want to overwrite?"),
                QStringLiteral("Overwrite?"), Icon::Exclamation, Buttons::YesNoCancel, Button::No});
            if (b == Button::Yes) {
                lastPagePath = path;
                return true;
            }
            if (b == Button::Cancel)
                return false;
        }
        path = prompter_.chooseFile(FileKind::Html);
        if (path.isEmpty())
            return false;
    }
}

void CreatePageCommand::create()
{
    if (list_.isEmpty()) {
        prompter_.ask(Message{QStringLiteral("Nothing to write!"), QStringLiteral("Empty"), Icon::Exclamation,
                              Buttons::Ok, Button::Ok});
        return;
    }
    setCreateBlue(true);
    if (!choosePath()) {
        setCreateBlue(false);
        return;
    }

    busy_.show(QStringLiteral("Checking Dates..."));
    std::vector<EventRecord> rows = list_.rows();
    const int bad = rewriteDates(rows);
    list_.replaceAll(std::move(rows));
    if (bad >= 0) {
        prompter_.ask(Message{QStringLiteral("Invalid date found for ") + list_.at(bad).name, QStringLiteral("Error"),
                              Icon::Critical, Buttons::Ok, Button::Ok});
        busy_.hide();
        setCreateBlue(false);
        return;
    }
    busy_.hide();

    removeDuplicates(list_, busy_);
    sortList(list_, SortKind::Monthwise, prompter_, busy_);
    emit listSorted();

    if (ignoreWarnings) {
        writeHTML();
    } else {
        runWarnings();
        setCreateBlue(false);
    }
}

void CreatePageCommand::runWarnings()
{
    const QString text = outputWarnings(settings_);
    if (text.isEmpty()) {
        writeHTML();
        return;
    }
    warningText_ = text;
    listBlack_ = true;
    buttonsEnabled_ = false;
    emit stateChanged();
    emit warningsShown();
    prompter_.beep();
}

void CreatePageCommand::ignore()
{
    setButtonsEnabled(true);
    emit panelRequested(PanelButton::List);
    setWarningText(QString());
    writeHTML();
}

void CreatePageCommand::cancelOutput()
{
    buttonsEnabled_ = true;
    emit panelRequested(ignoreVisible_ ? PanelButton::Format : PanelButton::Help);
    cancelCaption_ = QStringLiteral("Cancel Output");
    ignoreVisible_ = true;
    warningText_.clear();
    emit stateChanged();
}

void CreatePageCommand::writeHTML()
{
    busy_.show(QStringLiteral("Writing HTML..."));
    setCreateBlue(true);

    const PageInput input{list_.rows(), settings_, fonts_, clock_.now(), options};
    const PageWriteResult result = writePageFile(lastPagePath, input);
    busy_.hide();
    if (result.ok) {
        prompter_.ask(Message{QStringLiteral("\"") + lastPagePath + QStringLiteral("\" written successfully."),
                              QStringLiteral("File Written"), Icon::Information, Buttons::Ok, Button::Ok});
        emit pageWritten(lastPagePath);
        if (afterWritten)
            afterWritten(lastPagePath);
    } else {
        // The page is replaced in one step, so the previous one is still there.
        prompter_.ask(Message{QStringLiteral("The page could not be written to \"") + lastPagePath
                                  + QStringLiteral("\".\r\n") + result.error,
                              QStringLiteral("Error"), Icon::Critical, Buttons::Ok, Button::Ok});
    }
    setCreateBlue(false);
    busy_.hide();
}

void CreatePageCommand::openPage(Shell &shell)
{
    if (lastPagePath.isEmpty())
        return;
    openBlue_ = true;
    emit stateChanged();
    shell.open(lastPagePath);
    openBlue_ = false;
    emit stateChanged();
}

} // namespace dw
