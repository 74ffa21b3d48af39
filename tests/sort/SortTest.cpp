#include "core/events/EventList.h"
#include "core/events/Sort.h"
#include "platform/BusyIndicator.h"
#include "tests/support/ScriptedPrompter.h"

#include <QRandomGenerator>
#include <gtest/gtest.h>

using namespace dw;

namespace {

EventRecord ev(const QString &name, const QString &date, const QString &address = QStringLiteral("-"), int mark = 0,
               const QString &rule = kDefaultRule)
{
    return EventRecord{name, date, address, mark, rule};
}

// One text field of every row, in order.
QStringList field(const std::vector<EventRecord> &rows, QString EventRecord::*member = &EventRecord::name)
{
    QStringList n;
    for (const auto &r : rows)
        n << r.*member;
    return n;
}
QStringList names(const std::vector<EventRecord> &rows) { return field(rows); }
QStringList dates(const std::vector<EventRecord> &rows) { return field(rows, &EventRecord::date); }

class RecordingBusy final : public BusyIndicator {
public:
    void show(const QString &caption) override { shown << caption; }
    void hide() override { ++hides; }
    QStringList shown;
    int hides = 0;
};

const SortKind kAllKinds[] = {SortKind::Names, SortKind::Monthwise, SortKind::Yearwise, SortKind::Address,
                              SortKind::Important};

} // namespace

TEST(SortTest, KeysAndOrdersOfTheFiveKinds)
{
    std::vector<EventRecord> rows{ev("bob", "01/01/2000"), ev("Alice", "01/01/2000"), ev("carl", "01/01/2000")};
    sortRecords(rows, SortKind::Names);
    EXPECT_EQ(names(rows), QStringList({"Alice", "bob", "carl"}));

    rows = {ev("a", "05/01/2001"), ev("b", "04/02/1999"), ev("c", "05/01/1990")};
    sortRecords(rows, SortKind::Monthwise);
    EXPECT_EQ(dates(rows), QStringList({"05/01/1990", "05/01/2001", "04/02/1999"}));
    sortRecords(rows, SortKind::Yearwise);
    EXPECT_EQ(dates(rows), QStringList({"05/01/1990", "04/02/1999", "05/01/2001"}));

    rows = {ev("u1", "15/06/2000"), ev("m", "01/01/2000", "-", 1, "06/04 00/00 00/00"), ev("u2", "20/12/1999")};
    sortRecords(rows, SortKind::Important);
    EXPECT_EQ(names(rows), QStringList({"m", "u2", "u1"}));
    EXPECT_EQ(rows[0].rule, "06/04 00/00 00/00");
    EXPECT_EQ(rows[0].mark, 1);

    rows = {ev("x", "01/01/2000", "Zed"), ev("y", "01/01/2000", "apple"), ev("z", "01/01/2000", "-")};
    sortRecords(rows, SortKind::Address);
    EXPECT_EQ(names(rows), QStringList({"z", "y", "x"}));

    EXPECT_EQ(sortKey(ev("n", "25/03/1990", "-", 1), SortKind::Important), "1-03/25/1990");
    EXPECT_EQ(sortKey(ev("n", "25/03/1990"), SortKind::Yearwise), "1990/03/25");
    EXPECT_EQ(sortStatusText(SortKind::Address), "(Add/Des-wise)");
    EXPECT_EQ(sortMenuText(SortKind::Important), "&Important-wise");
}

// The fast sort must give the selection sort's order, equal keys included, for every kind.
TEST(SortTest, MatchesTheLiteralSelectionSortOnListsFullOfEqualKeys)
{
    QRandomGenerator rng(20261206);
    const QStringList pool{"ann", "Ann", "ANN", "bo", "Bo", "b", "", "Ann "};
    const QStringList days{"01", "02", "15", "31"};
    const QStringList months{"01", "02", "12"};
    const QStringList years{"1990", "2000"};
    for (int round = 0; round < 400; ++round) {
        const int n = round == 0 ? 3000 : static_cast<int>(rng.bounded(40));
        std::vector<EventRecord> rows;
        for (int i = 0; i < n; ++i) {
            const QString date = days[rng.bounded(days.size())] + "/" + months[rng.bounded(months.size())] + "/"
                                 + years[rng.bounded(years.size())];
            // The row number in the rule makes every row distinguishable after sorting.
            rows.push_back(ev(pool[rng.bounded(pool.size())], date, pool[rng.bounded(pool.size())],
                              static_cast<int>(rng.bounded(3)) - (round % 7 == 0 ? 1 : 0), QString::number(i)));
        }
        for (SortKind kind : kAllKinds) {
            std::vector<EventRecord> fast = rows, slow = rows;
            sortRecords(fast, kind);
            selectionSortRecords(slow, kind);
            ASSERT_EQ(fast, slow) << "round " << round << " kind " << static_cast<int>(kind);
        }
    }
}

TEST(SortTest, DuplicatesAreSameNameIgnoringCaseAndSameDateText)
{
    const std::vector<EventRecord> rows{ev("Tom", "01/01/2000", "first", 0), ev("TOM", "01/01/2000", "second", 1),
                                        ev("Tom", "02/01/2000"), ev("tom", "1/1/2000"),
                                        // Joined, "tom1" + "2/01/2000" reads like "tom" + "12/01/2000":
                                        // two different events all the same.
                                        ev("Tom1", "2/01/2000"), ev("Tom", "12/01/2000")};
    const std::vector<EventRecord> kept = withoutDuplicates(rows);
    ASSERT_EQ(kept.size(), 5u);
    EXPECT_EQ(kept[0].address, "first");
    EXPECT_EQ(kept[0].mark, 0);
    EXPECT_EQ(kept[1].date, "02/01/2000");
    EXPECT_EQ(kept[2].date, "1/1/2000");
}

TEST(SortCommandsTest, NoticesMessagesAndSelection)
{
    EventList list;
    test::ScriptedPrompter prompter;
    RecordingBusy busy;

    list.append(ev("only", "01/01/2000"));
    sortList(list, SortKind::Important, prompter, busy);
    removeDuplicates(list, busy);
    EXPECT_TRUE(prompter.messages.empty());
    EXPECT_TRUE(busy.shown.isEmpty());

    list.append(ev("two", "01/01/1999"));
    sortList(list, SortKind::Important, prompter, busy);
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0], (Message{"There are no marked important events.", "Important Events",
                                             Icon::Exclamation, Buttons::Ok, Button::Ok}));
    EXPECT_EQ(names(list.rows()), QStringList({"only", "two"}));

    list.select(1);
    sortList(list, SortKind::Yearwise, prompter, busy);
    EXPECT_EQ(names(list.rows()), QStringList({"two", "only"}));
    EXPECT_EQ(list.selected(), -1);
    EXPECT_EQ(busy.shown, QStringList({"Sorting...\r\n(Yearwise)"}));

    // Above 200 events every sort removes duplicates first.
    std::vector<EventRecord> many;
    for (int i = 0; i < 201; ++i)
        many.push_back(ev(i % 2 ? "Dup" : QString("E%1").arg(i), "05/05/2000"));
    list.replaceAll(many);
    busy.shown.clear();
    busy.hides = 0;
    sortList(list, SortKind::Names, prompter, busy);
    EXPECT_EQ(list.count(), 102);
    EXPECT_EQ(busy.shown, QStringList({"Removing Duplicates...", "Sorting...\r\n(Names/Events-wise)"}));
    EXPECT_EQ(busy.hides, 2);
}
