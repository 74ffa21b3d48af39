#pragma once

#include "core/events/EventRecord.h"
#include "core/settings/SettingsModel.h"
#include "page/PageWriter.h"
#include "tests/support/FakeFontCatalog.h"
#include "tests/support/GoldenFiles.h"
#include "tests/support/TempDir.h"

#include <QStringList>
#include <gtest/gtest.h>

#include <ostream>

// Readable QString values in failure messages.
inline void PrintTo(const QString &s, std::ostream *os)
{
    *os << '"' << s.toStdString() << '"';
}

namespace dw::test {

inline EventRecord event(const QString &name, const QString &date, const QString &address = QStringLiteral("-"),
                         int mark = 0, const QString &rule = kDefaultRule)
{
    return EventRecord{name, date, address, mark, rule};
}

inline QString page(const SettingsModel &s, const std::vector<EventRecord> &rows, QDate today = QDate(2026, 3, 5),
                    const PageOptions &options = {})
{
    FakeFontCatalog fonts;
    const PageInput in{rows, s, fonts, QDateTime(today, QTime(12, 0)), options};
    QString error;
    const std::optional<QString> text = pageText(in, &error);
    EXPECT_TRUE(text.has_value()) << error.toStdString();
    return text.value_or(QString());
}

} // namespace dw::test
