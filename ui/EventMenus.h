#pragma once

#include "core/events/EditCommands.h"
#include "ui/FrmWhen.h"

#include <QObject>
#include <QPointer>
#include <functional>
#include <optional>

class QAction;
class QMenu;
class QWidget;

namespace dw {

// Where the event pop-up meets the names column. A row is font size × 24.4 twips tall.
namespace popup {
double rowHeightTwips(double fontPoints);
// The row under a pointer `yTwips` below the column's top, or -1 below the last row.
int rowAt(double yTwips, double fontPoints, int firstVisible, int count);
// The top of the selected row, `listTopTwips` being the column's top, when the row lies wholly
// within the column's visible height; nothing otherwise (the menu does not open).
std::optional<double> keyboardMenuY(double listTopTwips, double listHeightTwips, int selected,
                                    int firstVisible, double fontPoints);
} // namespace popup

// The event pop-up `mnuMarkImp` and the "Show Events" menu with their commands.
class EventMenus final : public QObject {
    Q_OBJECT
public:
    // `daysText` reads the reminder-days box at the moment it is needed.
    EventMenus(EditCommands &commands, EventList &list, Prompter &prompter, const Clock &clock,
               std::function<QString()> daysText, QWidget *window);

    QMenu *eventPopup() const { return mnuMarkImp_; }
    QMenu *showEvents() const { return mnuEvents_; }
    QAction *markItem() const { return mnuMark_; }
    QAction *nextDaysItem() const { return mnuEventsN_; }
    // The Customise Event dialog while it is open.
    FrmWhen *customiseDialog() const { return dialog_; }

    // "Next N days", hidden for one day (start-up and the List button).
    void retitleNextDays();
    // A right button released over the names column `column` at `pos` (viewport pixels).
    void rightClick(QWidget *column, QPoint pos, int firstVisible, double fontPoints);
    // The context-menu key: true when the menu opened beside the selected row.
    bool keyboardPopup(QWidget *column, int firstVisible, double fontPoints);
    void customise();
    void showToday();
    void showNextDays();
    void showImportant();

private:
    EditCommands &commands_;
    EventList &list_;
    Prompter &prompter_;
    const Clock &clock_;
    std::function<QString()> daysText_;
    QWidget *window_;
    QMenu *mnuMarkImp_;
    QAction *mnuMark_;
    QMenu *mnuEvents_;
    QAction *mnuEventsN_;
    QPointer<FrmWhen> dialog_;
};

} // namespace dw
