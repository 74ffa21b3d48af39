#include "ui/ListEditing.h"

#include "core/Twips.h"
#include "core/events/EditCommands.h"
#include "ui/EventMenus.h"
#include "ui/InputRow.h"
#include "ui/ListPanel.h"
#include "ui/MainWindow.h"

#include <QApplication>
#include <QMenu>
#include <QCheckBox>
#include <QFontInfo>
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QToolTip>

namespace dw {

namespace {

// Clicks on the column header from here to its right end switch the completion.
constexpr double kSwitchTwips = 4400;

// Rows are font size × 24.4 twips tall, the height the pop-up uses to find the row under the
// pointer; drawing them at that height keeps the two in agreement at any DPI.
class EventRowDelegate final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        QSize s = QStyledItemDelegate::sizeHint(option, index);
        const double points = QFontInfo(option.font).pointSizeF();
        const int dpi = option.widget ? option.widget->logicalDpiY() : 96;
        s.setHeight(static_cast<int>(std::lround(twips::toPixels(popup::rowHeightTwips(points), dpi))));
        return s;
    }
};

} // namespace

ListEditing::ListEditing(MainWindow &window) : QObject(&window), window_(window)
{
    setObjectName(QStringLiteral("listEditing"));
    ListPanel *panel = window.listPanel();
    EventList &list = window.events();
    const AppServices &services = window.services();

    commands_ = new EditCommands(list, services.prompter, services.clock, this);
    commands_->setObjectName(QStringLiteral("editCommands"));
    SettingsModel &settings = window.settings();
    commands_->setSlotsSource([&settings] {
        return CompletionSlots{settings.shortcuts, settings.completions};
    });
    inputRow_ = new InputRow(*commands_, list, panel->inputRowLayout(), panel->importantBox(),
                             panel->inputRowHost());
    menus_ = new EventMenus(*commands_, list, services.prompter, services.clock,
                            [&settings] { return settings.remindBefore; }, &window);

    connect(panel->editButton(0), &QPushButton::clicked, commands_, &EditCommands::remove);
    connect(panel->editButton(1), &QPushButton::clicked, commands_, &EditCommands::clear);
    connect(panel, &ListPanel::modifyRequested, this, [this, &list](int row, const QString &field) {
        if (row != list.selected())
            list.select(row);
        commands_->startModify(field == QStringLiteral("Date")    ? InputField::Date
                               : field == QStringLiteral("Email") ? InputField::Email
                                                                  : InputField::Name);
    });
    QPushButton *events = panel->eventsButton();
    connect(events, &QPushButton::clicked, this, [this, events] {
        menus_->showEvents()->popup(events->mapToGlobal(QPoint(0, events->height())));
    });

    for (int c = 0; c < 3; ++c)
        panel->column(c)->setItemDelegate(new EventRowDelegate(panel->column(c)));
    panel->column(0)->viewport()->installEventFilter(this);
    panel->headerLabel()->installEventFilter(this);

    StartupHooks &hooks = window.startupHooks();
    hooks.setDatePickerToday = [this] { inputRow_->showToday(window_.services().clock.today()); };
    hooks.retitleNextDays = [this] { menus_->retitleNextDays(); };
    hooks.focusNameBox = [this] { focusNameBox(); };
    installKeys();
}

void ListEditing::focusNameBox()
{
    inputRow_->nameBox()->setFocus();
}

double ListEditing::listFontPoints() const
{
    return QFontInfo(window_.listPanel()->column(0)->font()).pointSizeF();
}

void ListEditing::installKeys()
{
    MainWindow &w = window_;
    EventList &list = w.events();
    auto listActive = [&w] { return w.activePanel() == MainWindow::Panel::List; };

    for (int key : {int(Qt::Key_Return), int(Qt::Key_Enter)}) {
        w.addShortcut(key, [listActive, &list] { return listActive() && list.listFocus(); },
                      [this] {
                          const QWidget *focused = QApplication::focusWidget();
                          const QString column = focused ? focused->objectName() : QString();
                          commands_->startModify(column == QStringLiteral("lstDate")    ? InputField::Date
                                                 : column == QStringLiteral("lstEMail") ? InputField::Email
                                                                                        : InputField::Name);
                      });
        w.addShortcut(key, [listActive, &w] { return listActive() && w.addVisible(); },
                      [this] {
                          commands_->add();
                          focusNameBox();
                      });
        w.addShortcut(key, [listActive, &w] { return listActive() && !w.addVisible(); },
                      [this] {
                          commands_->modify();
                          focusNameBox();
                      });
    }
    w.addShortcut(Qt::Key_Escape, [this] { return commands_->modifying(); },
                  [this] {
                      commands_->cancel();
                      focusNameBox();
                  });
    // The key is taken whenever a row is selected in a focused list, even when the row is
    // scrolled out of sight and no menu opens.
    w.addShortcut(Qt::Key_Menu,
                  [&list] { return list.count() > 0 && list.selected() >= 0 && list.listFocus(); },
                  [this, &list] {
                      menus_->keyboardPopup(window_.listPanel()->column(0)->viewport(),
                                            list.firstVisible(), listFontPoints());
                  });
}

bool ListEditing::headerEvent(QEvent *event)
{
    QLabel *label = window_.listPanel()->headerLabel();
    const double threshold = twips::toPixels(kSwitchTwips, label->logicalDpiX());
    if (event->type() == QEvent::ToolTip) {
        auto *help = static_cast<QHelpEvent *>(event);
        if (help->pos().x() >= threshold) {
            QToolTip::showText(help->globalPos(),
                               QStringLiteral("Click here to turn ON/OFF Autocomplete. For more "
                                              "info press Shortcut Keys in Help"),
                               label);
        } else {
            QToolTip::hideText();
        }
        return true;
    }
    if (event->type() == QEvent::MouseButtonRelease) {
        auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() == Qt::LeftButton && mouse->position().x() >= threshold) {
            const bool on = label->property("tag").toString() == QStringLiteral("OFF");
            commands_->setCompletionOn(on);
            window_.listPanel()->setCompletionCaption(on);
        }
    }
    return false;
}

bool ListEditing::eventFilter(QObject *watched, QEvent *event)
{
    ListPanel *panel = window_.listPanel();
    if (watched == panel->headerLabel())
        return headerEvent(event) || QObject::eventFilter(watched, event);
    if (watched == panel->column(0)->viewport() && event->type() == QEvent::MouseButtonRelease) {
        auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() == Qt::RightButton) {
            menus_->rightClick(panel->column(0)->viewport(), mouse->position().toPoint(),
                               window_.events().firstVisible(), listFontPoints());
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

void installEditing(MainWindow &window)
{
    new ListEditing(window);
}

} // namespace dw
