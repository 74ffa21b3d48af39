// The editing keys, menus and dialog wired into the real main window, offscreen.
#include "core/events/EditCommands.h"
#include "platform/SystemPaths.h"
#include "tests/support/FakeFontCatalog.h"
#include "tests/support/ScriptedPrompter.h"
#include "ui/EventMenus.h"
#include "ui/FrmWhen.h"
#include "ui/InputRow.h"
#include "ui/ListEditing.h"
#include "ui/ListPanel.h"
#include "ui/MainWindow.h"

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
using dw::test::ScriptedPrompter;

namespace {

class NullShell final : public Shell {
public:
    bool open(const QString &) override { return true; }
};

struct Window {
    ScriptedPrompter prompter;
    FixedClock clock{2026, 3, 5};
    dw::test::FakeFontCatalog fonts;
    NullShell shell;
    XdgSystemPaths paths;
    MainWindow w{AppServices{prompter, clock, fonts, shell, paths}};
    ListEditing &editing = *w.findChild<ListEditing *>(QStringLiteral("listEditing"));
    InputRow &row = editing.inputRow();
    EventList &list = w.events();

    Window()
    {
        w.startUp(QString());
        w.activateWindow();
        [[maybe_unused]] const bool active = QTest::qWaitForWindowActive(&w);
    }
    ~Window()
    {
        // Nothing to offer to save at exit.
        list.setEditing(false);
        list.clear();
        // A column losing the focus while the window is torn down would reach the list after
        // the window has destroyed it.
        for (int c = 0; c < 3; ++c)
            w.listPanel()->column(c)->clearFocus();
    }
    QListView *names() const { return w.listPanel()->column(0); }
    void press(QWidget *target, int key) { QTest::keyClick(target, Qt::Key(key)); }
    void typeName(const QString &text)
    {
        row.nameBox()->setFocus();
        QTest::keyClicks(row.nameBox(), text);
    }
    void focusNames(int selected)
    {
        list.select(selected);
        names()->setFocus();
        ASSERT_TRUE(list.listFocus());
    }
};

} // namespace

TEST(EditingWindowTest, EnterAddsAndKeepsTheFocusInTheNameBox)
{
    Window t;
    EXPECT_EQ(t.row.datePicker()->displayFormat(), "dd/MM/yyyy");
    EXPECT_EQ(t.row.datePicker()->date(), QDate(2026, 3, 5));

    t.typeName("Ann");
    t.row.datePicker()->setDate(QDate(1980, 4, 30));
    t.row.importantBox()->setChecked(true);
    t.press(t.row.nameBox(), Qt::Key_Return);
    ASSERT_EQ(t.list.count(), 1);
    EXPECT_EQ(t.list.at(0), (EventRecord{"Ann", "30/04/1980", "-", 1, "00/00 00/00 00/00"}));
    EXPECT_EQ(QApplication::focusWidget(), t.row.nameBox());
    EXPECT_EQ(t.row.nameBox()->text(), "");
    EXPECT_FALSE(t.row.importantBox()->isChecked());
    EXPECT_EQ(t.w.listPanel()->countLabel()->text(), "Total events = 1");

    // Completion follows the AutoC pairs and the header switch.
    t.w.settings().shortcuts[7] = "bd";
    t.w.settings().completions[7] = "Birthday";
    t.typeName("Happy $bd");
    EXPECT_EQ(t.row.nameBox()->text(), "Happy Birthday");
    EXPECT_EQ(t.row.nameBox()->selectedText(), "Birthday");
    QLabel *header = t.w.listPanel()->headerLabel();
    const int dpi = header->logicalDpiX();
    header->resize(header->fontMetrics().horizontalAdvance(header->text()) + 50, header->height());
    QTest::mouseClick(header, Qt::LeftButton, {}, QPoint(4400 * dpi / 96 / 15 - 5, 3));
    EXPECT_TRUE(header->text().endsWith(" on"));
    QTest::mouseClick(header, Qt::LeftButton, {}, QPoint(4400 * dpi / 96 / 15 + 2, 3));
    EXPECT_EQ(header->text(), ListPanel::kHeaderCaption + " off");
    t.row.nameBox()->clear();
    t.typeName("Happy $bd");
    EXPECT_EQ(t.row.nameBox()->text(), "Happy $bd");
    QTest::mouseClick(header, Qt::LeftButton, {}, QPoint(4400 * dpi / 96 / 15 + 2, 3));
    EXPECT_EQ(header->text(), ListPanel::kHeaderCaption + " on");
}

TEST(EditingWindowTest, KeysWhileModifyingAndInTheList)
{
    Window t;
    t.list.append({"Ann", "30/04/1980", "a@x", 0, "06/04 00/00 00/00"});
    t.list.append({"Bob", "01/05/1990", "-", 1, "00/00 00/00 00/00"});

    // Enter in a focused list starts modifying the selected event.
    t.focusNames(0);
    t.press(t.names(), Qt::Key_Return);
    ASSERT_TRUE(t.list.editing());
    EXPECT_FALSE(t.row.button(0)->isVisible());
    EXPECT_TRUE(t.row.button(1)->isVisible() && t.row.button(2)->isVisible());
    EXPECT_FALSE(t.names()->isEnabled());
    for (int i = 0; i < 4; ++i)
        EXPECT_FALSE(t.w.listPanel()->editButton(i)->isEnabled()) << i;
    EXPECT_FALSE(t.w.panelButton(MainWindow::CreateHtmlButton)->isEnabled());
    EXPECT_EQ(t.row.nameBox()->text(), "Ann");
    EXPECT_EQ(t.row.nameBox()->selectedText(), "Ann");
    EXPECT_EQ(t.row.addressBox()->currentText(), "a@x");

    // F5 and F9 rest while modifying; Esc cancels.
    t.press(t.row.nameBox(), Qt::Key_F5);
    t.press(t.row.nameBox(), Qt::Key_F9);
    EXPECT_TRUE(t.prompter.messages.empty());
    EXPECT_TRUE(t.prompter.dialogs.empty());
    t.press(t.row.nameBox(), Qt::Key_Escape);
    EXPECT_FALSE(t.list.editing());
    EXPECT_TRUE(t.row.button(0)->isVisible());
    EXPECT_EQ(QApplication::focusWidget(), t.row.nameBox());
    EXPECT_EQ(t.row.nameBox()->text(), "");

    // Double click on the date column, then Enter modifies: the event moves to the end.
    t.list.select(0);
    emit t.w.listPanel()->modifyRequested(0, QStringLiteral("Date"));
    EXPECT_EQ(QApplication::focusWidget(), t.row.datePicker());
    t.row.nameBox()->setText("Anne");
    t.press(t.row.datePicker(), Qt::Key_Return);
    EXPECT_FALSE(t.list.editing());
    ASSERT_EQ(t.list.count(), 2);
    EXPECT_EQ(t.list.at(1), (EventRecord{"Anne", "30/04/1980", "a@x", 0, "00/00 00/00 00/00"}));
    EXPECT_EQ(QApplication::focusWidget(), t.row.nameBox());

    // Delete removes only while the list has the focus.
    t.press(t.row.nameBox(), Qt::Key_Delete);
    EXPECT_EQ(t.list.count(), 2);
    t.focusNames(0);
    t.press(t.names(), Qt::Key_Delete);
    ASSERT_EQ(t.list.count(), 1);
    EXPECT_EQ(t.list.at(0).name, "Anne");

    // F9 clears after the question.
    t.prompter.answer(Button::Yes);
    t.press(t.row.nameBox(), Qt::Key_F9);
    EXPECT_TRUE(t.list.isEmpty());
    ASSERT_EQ(t.prompter.messages.size(), 1u);
    EXPECT_EQ(t.prompter.messages[0].title, "Clear List");
}

TEST(EditingWindowTest, EventPopupFromKeyAndMouse)
{
    Window t;
    t.list.append({"Ann", "30/04/1980", "-", 0, "00/00 00/00 00/00"});
    t.list.append({"Bob", "01/05/1990", "-", 0, "00/00 00/00 00/00"});
    QMenu *menu = t.editing.menus().eventPopup();
    EXPECT_EQ(menu->objectName(), "mnuMarkImp");
    QStringList captions;
    for (QAction *a : menu->actions())
        captions << (a->isSeparator() ? QStringLiteral("-") : a->text());
    EXPECT_EQ(captions.join('|'), "Mark as &Important|&Customise Event|-|&Modify|Canc&el");

    // Context-menu key without list focus passes on.
    t.list.select(1);
    t.row.nameBox()->setFocus();
    t.press(t.row.nameBox(), Qt::Key_Menu);
    EXPECT_FALSE(menu->isVisible());
    t.focusNames(1);
    t.press(t.names(), Qt::Key_Menu);
    ASSERT_TRUE(menu->isVisible());
    EXPECT_EQ(t.editing.menus().markItem()->text(), "Mark as Important");
    t.editing.menus().markItem()->trigger();
    menu->hide();
    EXPECT_EQ(t.list.at(1).mark, 1);
    EXPECT_EQ(t.row.importantBox()->palette().color(QPalette::WindowText), QColor(255, 0, 0));

    // A right click selects the row under the pointer, sets the list focus and opens the menu.
    t.row.nameBox()->setFocus();
    const QRect second = t.names()->visualRect(t.names()->model()->index(1, 0));
    EXPECT_EQ(second.top(), t.names()->visualRect(t.names()->model()->index(0, 0)).bottom() + 1);
    t.list.select(0);
    QTest::mouseClick(t.names()->viewport(), Qt::RightButton, {}, second.center());
    EXPECT_EQ(t.list.selected(), 1);
    ASSERT_TRUE(menu->isVisible());
    EXPECT_EQ(t.editing.menus().markItem()->text(), "Unmark as &Important");
    menu->hide();
    EXPECT_EQ(t.w.focusWidget(), t.names());
    EXPECT_TRUE(t.list.listFocus());
    // Below the last row: the selection stays and no menu opens.
    QTest::mouseClick(t.names()->viewport(), Qt::RightButton, {},
                      QPoint(5, second.bottom() + second.height() * 3));
    EXPECT_EQ(t.list.selected(), 1);
    EXPECT_FALSE(menu->isVisible());
}

TEST(EditingWindowTest, ShowEventsMenu)
{
    Window t;
    QMenu *menu = t.editing.menus().showEvents();
    QStringList captions;
    for (QAction *a : menu->actions())
        captions << a->objectName() + "=" + a->text();
    EXPECT_EQ(captions, (QStringList{"mnuEventsI=&Important", "mnuEventsN=Next 5 days",
                                     "mnuEventsT=&Today"}));
    t.w.settings().remindBefore = "1";
    t.w.panelButton(MainWindow::ListButton)->click();
    EXPECT_FALSE(t.editing.menus().nextDaysItem()->isVisible());
    t.w.settings().remindBefore = "7";
    t.w.panelButton(MainWindow::ListButton)->click();
    EXPECT_TRUE(t.editing.menus().nextDaysItem()->isVisible());
    EXPECT_EQ(t.editing.menus().nextDaysItem()->text(), "Next 7 days");

    t.w.listPanel()->eventsButton()->click();
    EXPECT_TRUE(menu->isVisible());
    menu->hide();
    t.list.append({"Ann", "05/03/1980", "-", 1, "00/00 00/00 00/00"});
    menu->findChild<QAction *>(QStringLiteral("mnuEventsN"))->trigger();
    ASSERT_EQ(t.prompter.messages.size(), 1u);
    EXPECT_EQ(t.prompter.messages[0].title, "Events for next 7 days.");
}

TEST(EditingWindowTest, CustomiseEventDialog)
{
    Window t;
    const QString longName = QString(300, QLatin1Char('W')) + " & Co";
    t.list.append({"Ann & Bob", "30/04/1980", "-", 0, "00/00 00/00 00/00"});
    t.list.append({longName, "10/01/1990", "-", 0, "00/00 20/12 05/01"});
    t.focusNames(0);
    t.w.findChild<QAction *>(QStringLiteral("mnuCustom"))->trigger();
    FrmWhen *d = t.editing.menus().customiseDialog();
    ASSERT_NE(d, nullptr);
    EXPECT_TRUE(d->isVisible());
    EXPECT_EQ(d->windowTitle(), "Customise Event");
    EXPECT_EQ(d->windowModality(), Qt::ApplicationModal);
    EXPECT_EQ(d->eventNameLabel()->text(), "Ann & Bob");
    EXPECT_EQ(d->eventNameLabel()->toolTip(), "");
    EXPECT_EQ(d->hintLabel()->text(), "All dates between 06/04 & 30/04");
    EXPECT_FALSE(d->onlyBox()->isChecked() || d->betweenBox()->isChecked());

    // A wrong field keeps the dialog open and takes the focus; nothing is stored.
    d->onlyBox()->setChecked(true);
    d->onlyText()->setText("5/4");
    d->applyButton()->click();
    EXPECT_TRUE(d->isVisible());
    EXPECT_EQ(d->onlyText()->text(), "05/04");
    EXPECT_EQ(d->focusWidget(), d->onlyText());
    EXPECT_EQ(t.list.at(0).rule, "00/00 00/00 00/00");
    d->onlyText()->setText("15/4");
    d->betweenBox()->setChecked(true);
    d->fromBox()->setText("10/4");
    d->toBox()->setText("20/04");
    d->applyButton()->click();
    EXPECT_EQ(t.list.at(0).rule, "00/00 10/04 20/04");
    EXPECT_TRUE(t.prompter.messages.empty());

    t.focusNames(1);
    t.w.findChild<QAction *>(QStringLiteral("mnuCustom"))->trigger();
    d = t.editing.menus().customiseDialog();
    ASSERT_NE(d, nullptr);
    const QString cut = d->eventNameLabel()->text();
    EXPECT_TRUE(cut.endsWith("...") && longName.startsWith(cut.chopped(3)));
    EXPECT_LT(d->eventNameLabel()->fontMetrics().horizontalAdvance(cut), 1900 * d->logicalDpiX() / 96 / 15);
    EXPECT_EQ(d->eventNameLabel()->toolTip(), longName);
    EXPECT_TRUE(d->betweenBox()->isChecked());
    EXPECT_EQ(d->fromBox()->text(), "20/12");
    d->cancelButton()->click();
    EXPECT_EQ(t.list.at(1).rule, "00/00 20/12 05/01");
}
