// The due events must be exactly the rows the page's own script shows: the page is written for a
// generated list and run in node for every day of a leap and a common year.
#include "core/events/DueRules.h"
#include "tests/page/NodeRunner.h"
#include "tests/page/PageTestSupport.h"

#include <random>

using namespace dw;
using namespace dw::test;

namespace {

// For each day of the year, the rows (1-based) the page lists, in its order: "M/D:3,7,7".
const char *const kEveryDay = R"js(
;
var __lines = [];
for (var t = new __RealDate(__year, 0, 1); t.getFullYear() == __year; t.setDate(t.getDate() + 1)) {
  __now = [__year, t.getMonth(), t.getDate()];
  theDate = new Date();
  printDate();
  __out = [];
  printOcc();
  var ids = (__out.join('').match(/id="qelmor\d+"/g) || []).map(function (m) { return m.replace(/\D/g, ''); });
  __lines.push((t.getMonth() + 1) + '/' + t.getDate() + ':' + ids.join(','));
}
console.log(__lines.join('\n'));
)js";

// Events on every awkward day, with every kind of rule the dialog writes and some it never does.
std::vector<EventRecord> generatedList()
{
    std::mt19937 rng(16);
    auto pick = [&](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
    auto dm = [](QDate d) { return d.toString(QStringLiteral("dd/MM")); };
    auto two = [](int v) { return QStringLiteral("%1").arg(v, 2, 10, QLatin1Char('0')); };
    std::vector<EventRecord> rows;
    // Days whose reminder window ends a month or a year early, with no rule; then rules across
    // the turn of the year as the dialog allows them. The random rows below fill in the rest.
    for (const char *d : {"29/02/1960", "01/03/1980", "04/03/1999", "31/12/1950", "01/01/2000", "25/01/1991"})
        rows.push_back(event(d, d));
    for (const QString e : {"10/01/1970|00/00 20/12 05/01", "03/01/1971|25/12 28/12 02/01"})
        rows.push_back(event(e, e.section(u'|', 0, 0), QStringLiteral("-"), 0, e.section(u'|', 1)));
    const QDate base(2026, 1, 1);
    for (int i = 0; i < 260; ++i) {
        const QDate day = i < 12 ? QDate(2028, 2, 29) : base.addDays(pick(365));
        const QString date = day.toString(QStringLiteral("dd/MM/")) + QString::number(1900 + pick(140));
        QString rule = kDefaultRule;
        const QDate before = day.addDays(-pick(25));
        const QDate start = day.addDays(-1 - pick(24));
        const QDate end = start.addDays(1 + pick(std::max(1, static_cast<int>(start.daysTo(day)))));
        switch (pick(9)) {
        case 0: rule = dm(before) + QStringLiteral(" 00/00 00/00"); break;
        case 1: case 2: rule = QStringLiteral("00/00 ") + dm(start) + u' ' + dm(end); break;
        case 3: rule = dm(before) + u' ' + dm(start) + u' ' + dm(end); break;
        case 4: rule = "00/00 00/00 " + two(pick(32)) + u'/' + two(pick(14)); break; // out of range
        case 5: rule = QStringLiteral("1x/04 00/00 00/00"); break;
        default: break;
        }
        rows.push_back(event(QStringLiteral("e%1").arg(i), date, QStringLiteral("-"), pick(2), rule));
    }
    return rows;
}

// The same as kEveryDay prints, by the rules of core/.
QString expectedDays(const std::vector<EventRecord> &rows, int year, int n)
{
    QStringList lines;
    for (QDate d(year, 1, 1); d.year() == year; d = d.addDays(1)) {
        QStringList ids;
        for (size_t r = 0; r < rows.size(); ++r)
            for (int k = pageLinesFor(rows[r], d.day(), d.month(), n, year); k > 0; --k)
                ids << QString::number(r + 1);
        lines << QStringLiteral("%1/%2:").arg(d.month()).arg(d.day()) + ids.join(u',');
    }
    return lines.join(u'\n');
}

} // namespace

TEST(DueRulesTest, SameRowsAsThePageScriptOnEveryDay)
{
    const std::vector<EventRecord> rows = generatedList();
    for (const int year : {2028, 2026}) {
        for (const int n : {1, 5, 25}) {
            SettingsModel s;
            s.remindBefore = QString::number(n);
            const QString text = page(s, rows, QDate(year, 6, 1));
            const QString script = QString::fromLatin1(kNodeClock) + QString::fromLatin1(kNodeDocument)
                                   + QStringLiteral("var __year = %1, __now = [__year, 0, 1];\n").arg(year)
                                   + scriptElements(text).join(u"\n;\n") + QString::fromLatin1(kEveryDay);
            const NodeResult r = runNode(script);
            ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
            EXPECT_EQ(r.out.trimmed(), expectedDays(rows, year, n)) << year << " N=" << n;
        }
    }
}
