// Event dates and customised-date rules come from list files as they were read. The Customise
// Event dialog, the queries and the editing commands must take any such text.
#include "core/events/Completion.h"
#include "core/events/CustomRule.h"
#include "core/events/EventList.h"
#include "core/events/Queries.h"

#include <QStringList>
#include <cstddef>
#include <cstdint>

using namespace dw;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1)
        return 0;
    const uint8_t flags = data[0];
    const QStringList lines = QString::fromUtf8(reinterpret_cast<const char *>(data + 1),
                                                static_cast<qsizetype>(size - 1))
                                  .split(QLatin1Char('\n'));
    const auto line = [&](int i) { return i < lines.size() ? lines.at(i) : QString(); };

    const QDate today = QDate(2024 + (flags & 3), 1 + (flags >> 4) % 12, 1 + (flags >> 2) % 28);
    const CustomRuleEditor editor(line(0), today);
    (void)editor.hint();
    WhenForm form = CustomRuleEditor::openForm(line(1));
    form.only = form.only || (flags & 1);
    form.between = form.between || (flags & 2);
    if (lines.size() > 2) {
        form.onlyText = line(2);
        form.fromText = line(3);
        form.toText = line(4);
    }
    QString rule;
    if (editor.apply(form, rule) == WhenField::None && rule.size() != 17)
        __builtin_trap();

    EventList list;
    for (qsizetype i = 0; i + 1 < lines.size(); i += 2)
        list.append({lines.at(i), lines.at(i + 1), QStringLiteral("-"), static_cast<int>(i & 1),
                     kDefaultRule});
    (void)todaysEvents(list, today);
    (void)nextDaysEvents(list, today, flags % 32);
    (void)importantEvents(list);

    CompletionSlots pairs;
    pairs.shortcuts[0] = line(2).left(2);
    pairs.texts[0] = line(3);
    pairs.shortcuts[7] = line(4).left(2);
    pairs.texts[7] = line(3);
    (void)completeAddress(line(5), pairs, flags & 8);
    (void)completeName(line(5), pairs, true);
    (void)normalizeShortcut(line(6), flags % 14, pairs.shortcuts);
    return 0;
}
