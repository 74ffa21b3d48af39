#pragma once

#include "core/events/EventList.h"
#include "platform/BusyIndicator.h"

#include <QStringList>
#include <functional>

namespace dw::test {

// Records every wait notice: the captions in order, each with what `note` says at that moment,
// how often it was hidden, and whether one is up now.
struct RecordingBusy final : BusyIndicator {
    QStringList captions;
    int hides = 0;
    bool shown = false;
    std::function<QString()> note = [] { return QString(); };
    void show(const QString &caption) override { captions << caption + note(), shown = true; }
    void hide() override { ++hides, shown = false; }
};

// One text field of every row, in order (the names unless told otherwise).
inline QStringList field(const std::vector<EventRecord> &rows, QString EventRecord::*member = &EventRecord::name)
{
    QStringList out;
    for (const auto &r : rows)
        out << r.*member;
    return out;
}
inline QStringList names(const EventList &list) { return field(list.rows()); }

} // namespace dw::test
