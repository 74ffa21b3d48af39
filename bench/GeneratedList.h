#pragma once

#include <QByteArray>
#include <QLatin1Char>
#include <QString>

namespace dw::bench {

// The bytes of a list file of generated events: names "Person 123 X", a third with an address,
// every seventeenth important, dates spread over the year - the kind of list a large address
// book exports. The same count always gives the same list.
inline QByteArray generatedListBytes(int events)
{
    QByteArray bytes;
    unsigned seed = 12345;
    auto next = [&seed](unsigned mod) {
        seed = seed * 1103515245u + 12345u;
        return (seed >> 16) % mod;
    };
    for (int i = 0; i < events; ++i) {
        if (i > 0)
            bytes += "\r\n";
        bytes += "Person " + QByteArray::number(i) + ' ' + char('A' + i % 26) + "\r\n";
        bytes += QStringLiteral("%1/%2/%3")
                     .arg(next(28) + 1, 2, 10, QLatin1Char('0'))
                     .arg(next(12) + 1, 2, 10, QLatin1Char('0'))
                     .arg(1930 + next(90))
                     .toLatin1() + "\r\n";
        bytes += (i % 3 == 0 ? "Main Street " + QByteArray::number(i % 300) : QByteArray("-")) + "\r\n";
        bytes += (i % 17 == 0 ? "1" : "0") + QByteArray("\r\n");
        bytes += "00/00 00/00 00/00";
    }
    return bytes;
}

} // namespace dw::bench
