// The editing boxes, menus and dialog wired into the real main window, offscreen: one check per
// control that it reaches its command, and the fixed captions. Which key runs when, and which
// controls rest while modifying, are tables in the main window's test; what the commands do is
// checked on the commands.
#include "tests/support/StartedWindow.h"
#include "ui/EventMenus.h"
#include "ui/InputRow.h"
#include "ui/ListEditing.h"
#include "ui/ListPanel.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

using namespace dw;

namespace {

struct Window : dw::test::StartedWindow {
    MainWindow &w = window;
    ListEditing &editing = *w.findChild<ListEditing *>(QStringLiteral("listEditing"));
    InputRow &row = editing.inputRow();
    EventList &list = w.events();
    QMenu *popup = editing.menus().eventPopup();

    Window() { list.appendRows({{"Ann", "30/04/1980", "a@x", 0, "06/04 00/00 00/00"}, {"Bob", "01/05/1990", "-", 0}}); }
    QListView *names() const { return w.listPanel()->column(0); }
    // Types into an emptied box key by key, then presses `then`; returns what the box shows.
    QString type(QLineEdit *box, const QString &text, Qt::Key then = Qt::Key_unknown)
    {
        box->setFocus();
        box->clear();
        QTest::keyClicks(box, text);
        if (then != Qt::Key_unknown)
            QTest::keyClick(box, then);
        return box->text();
    }
    // Opens the Customise Event dialog on a row from the list's menu.
    FrmWhen *customise(int selected)
    {
        list.select(selected);
        names()->setFocus();
        w.findChild<QAction *>(QStringLiteral("mnuCustom"))->trigger();
        return editing.menus().customiseDialog();
    }
    void clickHeader(int twipsFromLeft)
    {
        QLabel *header = w.listPanel()->headerLabel();
        header->resize(2000, header->height());
        QTest::mouseClick(header, Qt::LeftButton, {}, QPoint(twipsFromLeft * header->logicalDpiX() / 96 / 15, 3));
    }
};

} // namespace

TEST(EditingWindowTest, EnterAddsOrModifiesAndCompletionFollowsTheHeaderSwitch)
{
    Window t;
    EXPECT_EQ(t.row.datePicker()->displayFormat(), "dd/MM/yyyy");
    EXPECT_EQ(t.row.datePicker()->date(), QDate(2026, 3, 5));
    t.type(t.row.nameBox(), "Cy");
    t.row.datePicker()->setDate(QDate(1980, 4, 30));
    t.row.importantBox()->setChecked(true);
    QTest::keyClick(t.row.nameBox(), Qt::Key_Return);
    ASSERT_EQ(t.list.count(), 3);
    EXPECT_EQ(t.list.at(2), (EventRecord{"Cy", "30/04/1980", "-", 1, "00/00 00/00 00/00"}));
    EXPECT_EQ(t.row.nameBox()->text() + (t.row.importantBox()->isChecked() ? "ticked" : ""), ""); // the emptied row

    // Typed key by key: typing on over a shown completion brings the shortcut back; End keeps it.
    t.w.settings().shortcuts[7] = "bd";
    t.w.settings().completions[7] = "Birthday";
    t.w.settings().shortcuts[1] = "gg";
    t.w.settings().completions[1] = "gmail.com";
    QLineEdit *name = t.row.nameBox(), *address = t.row.addressBox()->lineEdit();
    EXPECT_EQ(t.type(name, "Happy $bd"), "Happy Birthday");
    EXPECT_EQ(name->selectedText(), "Birthday");
    EXPECT_EQ(t.type(name, "Happy $bdx"), "Happy $bdx");
    t.type(address, "ann@gg", Qt::Key_End);
    QTest::keyClicks(address, "x");
    EXPECT_EQ(address->text(), "ann@gmail.comx");
    // The header's switch: a click left of it changes nothing, one on it turns completion off.
    QLabel *header = t.w.listPanel()->headerLabel();
    t.clickHeader(4300);
    EXPECT_EQ(header->text(), ListPanel::kHeaderCaption + " on");
    t.clickHeader(4420);
    EXPECT_EQ(header->text(), ListPanel::kHeaderCaption + " off");
    EXPECT_EQ(t.type(name, "Happy $bd"), "Happy $bd");

    // A double click on the date column shows the event with the date picker focused; Enter there
    // modifies. (Return and Escape on the list are in the main window's key table.)
    t.list.select(0);
    emit t.w.listPanel()->modifyRequested(0, QStringLiteral("Date"));
    ASSERT_TRUE(t.list.editing());
    EXPECT_EQ(QApplication::focusWidget(), t.row.datePicker());
    t.row.nameBox()->setText("Anne");
    QTest::keyClick(t.row.datePicker(), Qt::Key_Return);
    EXPECT_EQ(t.list.at(2), (EventRecord{"Anne", "30/04/1980", "a@x", 0, "00/00 00/00 00/00"}));
}

TEST(EditingWindowTest, EventPopupFromKeyAndMouseAndTheShowEventsMenu)
{
    Window t;
    EXPECT_EQ(dw::test::menuCaptions(t.popup), "Mark as &Important|&Customise Event|-|&Modify|Canc&el");

    t.list.select(1);
    t.names()->setFocus();
    QTest::keyClick(t.names(), Qt::Key_Menu);
    ASSERT_TRUE(t.popup->isVisible());
    EXPECT_EQ(t.editing.menus().markItem()->text(), "Mark as Important");
    t.editing.menus().markItem()->trigger();
    t.popup->hide();
    EXPECT_EQ(t.list.at(1).mark, 1);

    // A right click selects the row under the pointer, focuses the list and opens the menu.
    t.row.nameBox()->setFocus();
    t.list.select(0);
    const QRect second = t.names()->visualRect(t.names()->model()->index(1, 0));
    QTest::mouseClick(t.names()->viewport(), Qt::RightButton, {}, second.center());
    EXPECT_EQ(t.list.selected(), 1);
    ASSERT_TRUE(t.popup->isVisible());
    EXPECT_EQ(t.editing.menus().markItem()->text(), "Unmark as &Important");
    t.popup->hide();
    EXPECT_TRUE(t.list.listFocus());

    QMenu *menu = t.editing.menus().showEvents();
    EXPECT_EQ(dw::test::menuCaptions(menu, true), "mnuEventsI=&Important|mnuEventsN=Next 5 days|mnuEventsT=&Today");
    t.w.settings().remindBefore = "1";
    t.w.panelButton(MainWindow::ListButton)->click();
    EXPECT_FALSE(t.editing.menus().nextDaysItem()->isVisible());
    t.w.settings().remindBefore = "7";
    t.w.panelButton(MainWindow::ListButton)->click();
    t.w.listPanel()->eventsButton()->click();
    EXPECT_TRUE(menu->isVisible());
    menu->hide();
    t.editing.menus().nextDaysItem()->trigger();
    EXPECT_EQ(t.prompter.texts(), QStringList{"There are no events for next 7 days."});
}

TEST(EditingWindowTest, CustomiseEventDialog)
{
    Window t;
    FrmWhen *d = t.customise(0);
    ASSERT_NE(d, nullptr);
    EXPECT_TRUE(d->isVisible() && d->windowModality() == Qt::ApplicationModal);
    EXPECT_EQ(d->windowTitle() + "|" + d->eventNameLabel()->text() + "|" + d->hintLabel()->text() + "|" + d->onlyText()->text(),
              "Customise Event|Ann|All dates between 06/04 & 30/04|06/04");

    // A wrong field keeps the dialog open and takes the focus; nothing is stored.
    d->onlyText()->setText("5/4");
    d->applyButton()->click();
    EXPECT_TRUE(d->isVisible() && d->focusWidget() == d->onlyText());
    EXPECT_EQ(d->onlyText()->text() + " " + t.list.at(0).rule, "05/04 06/04 00/00 00/00");
    d->onlyText()->setText("15/4"); // inside the range: dropped
    d->betweenBox()->setChecked(true);
    d->fromBox()->setText("10/4");
    d->toBox()->setText("20/04");
    d->applyButton()->click();
    EXPECT_EQ(t.list.at(0).rule, "00/00 10/04 20/04");
    EXPECT_TRUE(t.prompter.messages.empty());
    // Cancel stores nothing.
    ASSERT_NE(d = t.customise(1), nullptr);
    d->onlyBox()->setChecked(true);
    d->onlyText()->setText("20/04");
    d->cancelButton()->click();
    EXPECT_EQ(t.list.at(1).rule, "00/00 00/00 00/00");
}
