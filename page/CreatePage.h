#pragma once

#include "page/PageOptions.h"

#include <QObject>
#include <QString>
#include <functional>

namespace dw {

class BusyIndicator;
class Clock;
class EventList;
class FontCatalog;
class Prompter;
class Shell;
struct SettingsModel;

// The panel buttons (smtBttn) a command may bring to the front.
enum class PanelButton { List = 0, Format = 1, CreateHtml = 2, OpenHtml = 3, Help = 4 };

// "Create HTML" from the list to the written page, the two buttons of the warnings panel and
// "Open HTML". It holds the state those commands share with the window: the last page path,
// the "Ignore Output Warning" switch, the warnings text and the button states the window shows.
class CreatePageCommand : public QObject {
    Q_OBJECT
public:
    CreatePageCommand(EventList &list, const SettingsModel &settings, Prompter &prompter, BusyIndicator &busy,
                      const Clock &clock, const FontCatalog &fonts, QObject *parent = nullptr);

    void create();       // "Create HTML", F5
    void ignore();       // "Ignore" on the warnings panel
    void cancelOutput(); // "Cancel Output" on the warnings panel
    void writeHTML();    // writes the page at the last page path
    void openPage(Shell &shell); // "Open HTML", F6

    QString lastPagePath;
    bool ignoreWarnings = false; // chkIgnore
    PageOptions options;
    // Runs after "File Written" with the page's path: the window offers the page as wallpaper.
    std::function<void(const QString &path)> afterWritten;

    // What the window shows; stateChanged() follows every change.
    const QString &warningText() const { return warningText_; }
    bool createCaptionBlue() const { return createBlue_; }
    bool openCaptionBlue() const { return openBlue_; }
    bool panelButtonsEnabled() const { return buttonsEnabled_; }
    bool ignoreVisible() const { return ignoreVisible_; }
    const QString &cancelCaption() const { return cancelCaption_; }
    bool listCaptionBlack() const { return listBlack_; }

signals:
    void stateChanged();
    // The warnings panel goes to the front, focus on its text.
    void warningsShown();
    void panelRequested(dw::PanelButton button);
    void pageWritten(const QString &path);
    // Duplicate removal and the month-wise sort ran on the list, as the Sort menu's do.
    void listSorted();

private:
    bool choosePath();
    void runWarnings();
    void setCreateBlue(bool on);
    void setButtonsEnabled(bool on);
    void setWarningText(const QString &text);

    EventList &list_;
    const SettingsModel &settings_;
    Prompter &prompter_;
    BusyIndicator &busy_;
    const Clock &clock_;
    const FontCatalog &fonts_;

    QString warningText_;
    bool createBlue_ = false;
    bool openBlue_ = false;
    bool buttonsEnabled_ = true;
    bool ignoreVisible_ = true;
    QString cancelCaption_ = QStringLiteral("Cancel Output");
    bool listBlack_ = false;
};

} // namespace dw
