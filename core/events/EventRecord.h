#pragma once

#include <QString>

namespace dw {

inline const QString kNoAddress = QStringLiteral("-");
inline const QString kDefaultRule = QStringLiteral("00/00 00/00 00/00");

// One event as the user keeps it. Text read from a list file is kept as it was read.
struct EventRecord {
    QString name;
    QString date;                 // normally "dd/MM/yyyy"
    QString address = kNoAddress; // "-" means none
    int mark = 0;                 // 1 = important; every test compares with 1
    QString rule = kDefaultRule;  // customised-date rule, three "dd/MM" fields

    bool important() const { return mark == 1; }
    bool operator==(const EventRecord &) const = default;
};

} // namespace dw
