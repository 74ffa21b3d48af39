#include "ui/EventMenus.h"

#include "core/Twips.h"
#include "core/events/Queries.h"
#include "ui/FrmWhen.h"

#include <QAbstractItemView>
#include <QMenu>
#include <cmath>

namespace dw {

namespace popup {

double rowHeightTwips(double fontPoints)
{
    return fontPoints * 24.4;
}

int rowAt(double yTwips, double fontPoints, int firstVisible, int count)
{
    const double h = rowHeightTwips(fontPoints);
    if (yTwips < 0 || h <= 0)
        return -1;
    const int row = firstVisible + static_cast<int>(std::floor(yTwips / h));
    return row < count ? row : -1;
}

std::optional<double> keyboardMenuY(double listTopTwips, double listHeightTwips, int selected,
                                    int firstVisible, double fontPoints)
{
    const double h = rowHeightTwips(fontPoints);
    const double offset = (selected - firstVisible) * h;
    if (offset < 0 || offset + h > listHeightTwips)
        return std::nullopt;
    return listTopTwips + offset;
}

} // namespace popup

EventMenus::EventMenus(EditCommands &commands, EventList &list, Prompter &prompter,
                       const Clock &clock, std::function<QString()> daysText, QWidget *window)
    : QObject(window), commands_(commands), list_(list), prompter_(prompter), clock_(clock),
      daysText_(std::move(daysText)), window_(window)
{
    mnuMarkImp_ = new QMenu(window);
    mnuMarkImp_->setObjectName(QStringLiteral("mnuMarkImp"));
    mnuMark_ = mnuMarkImp_->addAction(QStringLiteral("Mark as &Important"));
    mnuMark_->setObjectName(QStringLiteral("mnuMark"));
    QAction *custom = mnuMarkImp_->addAction(QStringLiteral("&Customise Event"));
    custom->setObjectName(QStringLiteral("mnuCustom"));
    mnuMarkImp_->addSeparator();
    QAction *modify = mnuMarkImp_->addAction(QStringLiteral("&Modify"));
    modify->setObjectName(QStringLiteral("mnuModify"));
    QAction *cancel = mnuMarkImp_->addAction(QStringLiteral("Canc&el"));
    cancel->setObjectName(QStringLiteral("mnuCancel"));
    connect(mnuMark_, &QAction::triggered, &commands_, &EditCommands::toggleMark);
    connect(custom, &QAction::triggered, this, &EventMenus::customise);
    connect(modify, &QAction::triggered, this, [this] { commands_.startModify(InputField::Name); });

    mnuEvents_ = new QMenu(window);
    mnuEvents_->setObjectName(QStringLiteral("mnuEvents"));
    QAction *important = mnuEvents_->addAction(QStringLiteral("&Important"));
    important->setObjectName(QStringLiteral("mnuEventsI"));
    mnuEventsN_ = mnuEvents_->addAction(QStringLiteral("&Next X Days"));
    mnuEventsN_->setObjectName(QStringLiteral("mnuEventsN"));
    QAction *today = mnuEvents_->addAction(QStringLiteral("&Today"));
    today->setObjectName(QStringLiteral("mnuEventsT"));
    connect(important, &QAction::triggered, this, &EventMenus::showImportant);
    connect(mnuEventsN_, &QAction::triggered, this, &EventMenus::showNextDays);
    connect(today, &QAction::triggered, this, &EventMenus::showToday);
}

void EventMenus::retitleNextDays()
{
    const QString days = daysText_();
    mnuEventsN_->setVisible(days != QStringLiteral("1"));
    mnuEventsN_->setText(nextDaysCaption(days));
}

void EventMenus::rightClick(QWidget *column, QPoint pos, int firstVisible, double fontPoints)
{
    if (list_.isEmpty())
        return;
    const double y = twips::fromPixels(pos.y(), column->logicalDpiY());
    const int row = popup::rowAt(y, fontPoints, firstVisible, list_.count());
    if (row >= 0)
        list_.select(row);
    QWidget *view = column;
    if (auto *v = qobject_cast<QAbstractItemView *>(column->parentWidget()))
        view = v;
    view->setFocus(Qt::MouseFocusReason);
    list_.setListFocus(true);
    if (row < 0 || row != list_.selected())
        return;
    mnuMark_->setText(commands_.markCaption(false));
    mnuMarkImp_->popup(column->mapToGlobal(pos));
}

bool EventMenus::keyboardPopup(QWidget *column, int firstVisible, double fontPoints)
{
    const int dpi = column->logicalDpiY();
    const auto y = popup::keyboardMenuY(0, twips::fromPixels(column->height(), dpi),
                                        list_.selected(), firstVisible, fontPoints);
    if (!y)
        return false;
    mnuMark_->setText(commands_.markCaption(true));
    const QPoint at(static_cast<int>(twips::toPixels(300, column->logicalDpiX())),
                    static_cast<int>(std::lround(twips::toPixels(*y, dpi))));
    mnuMarkImp_->popup(column->mapToGlobal(at));
    return true;
}

void EventMenus::customise()
{
    const int row = commands_.customiseRow();
    if (row < 0)
        return;
    dialog_ = new FrmWhen(list_, row, clock_.today(), window_);
    dialog_->show();
}

void EventMenus::showToday()
{
    prompter_.ask(todaysEvents(list_, clock_.today()));
}

void EventMenus::showNextDays()
{
    prompter_.ask(nextDaysEvents(list_, clock_.today(), daysText_().toInt()));
}

void EventMenus::showImportant()
{
    prompter_.ask(importantEvents(list_));
}

} // namespace dw
