#include "core/events/EventList.h"
#include "core/events/Sort.h"
#include "tests/support/ListDoubles.h"
#include "tests/support/ScriptedPrompter.h"

#include <QRandomGenerator>
#include <algorithm>
#include <gtest/gtest.h>

using namespace dw;
using test::field;
using test::names;

namespace {
using ev = EventRecord; // name, date, address "-", no mark, no customised dates unless given
const SortKind kAllKinds[] = {SortKind::Names, SortKind::Monthwise, SortKind::Yearwise, SortKind::Address, SortKind::Important};
} // namespace

TEST(SortTest, KeysAndOrdersOfTheFiveKinds)
{
    const std::vector<EventRecord> dated{ev{"a", "05/01/2001"}, ev{"b", "04/02/1999"}, ev{"c", "05/01/1990"}};
    const struct {
        SortKind kind;
        std::vector<EventRecord> rows;
        QStringList order; // names after sorting
    } cases[] = {
        {SortKind::Names, {ev{"bob", "1/1"}, ev{"Alice", "1/1"}, ev{"carl", "1/1"}}, {"Alice", "bob", "carl"}},
        {SortKind::Monthwise, dated, {"c", "a", "b"}},
        {SortKind::Yearwise, dated, {"c", "b", "a"}},
        {SortKind::Address, {ev{"x", "1/1", "Zed"}, ev{"y", "1/1", "apple"}, ev{"z", "1/1", "-"}}, {"z", "y", "x"}},
        {SortKind::Important,
         {ev{"u1", "15/06/2000"}, ev{"m", "01/01/2000", "-", 1, "06/04 00/00 00/00"}, ev{"u2", "20/12/1999"}},
         {"m", "u2", "u1"}},
    };
    for (auto [kind, rows, order] : cases) {
        const std::vector<EventRecord> before = rows;
        sortRecords(rows, kind);
        EXPECT_EQ(field(rows), order) << int(kind);
        // Rows move whole: every field stays with its name.
        EXPECT_TRUE(std::is_permutation(rows.begin(), rows.end(), before.begin(), before.end())) << int(kind);
    }
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
            // Some rounds hold a date not in the stored form, and marks of two digits: such lists
            // cannot be ordered by numbers.
            const QString day = round % 5 == 1 && i == 0 ? QStringLiteral("1") : days[rng.bounded(days.size())];
            const QString date = day + "/" + months[rng.bounded(months.size())] + "/"
                                 + years[rng.bounded(years.size())];
            // The row number in the rule makes every row distinguishable after sorting.
            rows.push_back(ev{pool[rng.bounded(pool.size())], date, pool[rng.bounded(pool.size())],
                              static_cast<int>(rng.bounded(3)) + (round % 7 == 0 ? -1 : round % 11 == 0 ? 9 : 0), QString::number(i)});
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
    const std::vector<EventRecord> rows{ev{"Tom", "01/01/2000", "first", 0}, ev{"TOM", "01/01/2000", "second", 1},
                                        ev{"Tom", "02/01/2000"}, ev{"tom", "1/1/2000"},
                                        // Joined, "tom1" + "2/01/2000" reads like "tom" + "12/01/2000":
                                        // two different events all the same.
                                        ev{"Tom1", "2/01/2000"}, ev{"Tom", "12/01/2000"},
                                        // Lower-cased beyond ASCII; the Kelvin sign lower-cases to "k".
                                        ev{"\u00c9mile", "01/01/2000"}, ev{"\u00e9MILE", "01/01/2000"},
                                        ev{"\u212a", "01/01/2000"}, ev{"K", "01/01/2000"}, ev{"k\u00e9", "01/01/2000"}};
    EXPECT_EQ(withoutDuplicates(rows),
              (std::vector<EventRecord>{rows[0], rows[2], rows[3], rows[4], rows[5], rows[6], rows[8], rows[10]}));
}

TEST(SortCommandsTest, NoticesMessagesAndSelection)
{
    EventList list;
    test::ScriptedPrompter prompter;
    test::RecordingBusy busy;

    list.appendRows({ev{"only", "01/01/2000"}, ev{"two", "01/01/1999"}});
    sortList(list, SortKind::Important, prompter, busy);
    EXPECT_EQ(prompter.messages, (std::vector<Message>{{"There are no marked important events.", "Important Events",
                                                        Icon::Exclamation, Buttons::Ok, Button::Ok}}));
    EXPECT_EQ(names(list), QStringList({"only", "two"}));

    list.select(1);
    sortList(list, SortKind::Yearwise, prompter, busy);
    EXPECT_EQ(names(list), QStringList({"two", "only"}));
    EXPECT_EQ(list.selected(), -1);
    EXPECT_EQ(busy.captions, QStringList({"Sorting...\r\n(Yearwise)"}));

    // Above 200 events every sort removes duplicates first.
    std::vector<EventRecord> many;
    for (int i = 0; i < 201; ++i)
        many.push_back(ev{i % 2 ? "Dup" : QString("E%1").arg(i), "05/05/2000"});
    list.replaceAll(many);
    busy = {};
    sortList(list, SortKind::Names, prompter, busy);
    EXPECT_EQ(list.count(), 102);
    EXPECT_EQ(busy.captions, QStringList({"Removing Duplicates...", "Sorting...\r\n(Names/Events-wise)"}));
    EXPECT_EQ(busy.hides, 2);
}
