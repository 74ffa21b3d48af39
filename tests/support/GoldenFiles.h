#pragma once

#include "tests/support/TempDir.h"

#include <QProcess>
#include <QRegularExpression>
#include <QStringList>
#include <gtest/gtest.h>

#include <optional>

// Golden files under the test area's data folder (DW_TEST_DATA).
namespace dw::test {

// Compares bytes with the file of that name under the area's data folder. After a deliberate
// change, DW_UPDATE_GOLDEN=1 rewrites the files instead; read the difference before committing it.
inline void expectGolden(const QString &name, const QByteArray &bytes)
{
    const QString file = QStringLiteral(DW_TEST_DATA "/") + name;
    if (qEnvironmentVariableIsSet("DW_UPDATE_GOLDEN")) {
        QFile f(file);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size()) << file.toStdString();
        return;
    }
    EXPECT_EQ(TempDir::read(file), bytes) << "differs from " << file.toStdString();
}

// A CRLF page applied with a `diff -U0` of its lines (LF-separated, headers dropped); nullopt
// when the removed lines are not there, so a stale difference never passes by luck.
inline std::optional<QString> applyLineDiff(const QString &base, const QString &diff)
{
    const QStringList from = base.split(QStringLiteral("\r\n"));
    static const QRegularExpression hunk(QStringLiteral("^@@ -(\\d+)(?:,(\\d+))? \\+\\d+(?:,\\d+)? @@"));
    QStringList out;
    qsizetype next = 0;
    for (const QString &line : diff.split(QLatin1Char('\n'))) {
        if (const QRegularExpressionMatch m = hunk.match(line); m.hasMatch()) {
            // A hunk that only adds lines names the line it follows.
            const qsizetype at = m.captured(1).toLongLong() - (m.captured(2) == QLatin1String("0") ? 0 : 1);
            if (at < next || at > from.size())
                return std::nullopt;
            while (next < at)
                out << from[next++];
        } else if (line.startsWith(QLatin1Char('-'))) {
            if (next >= from.size() || from[next++] != line.mid(1))
                return std::nullopt;
        } else if (line.startsWith(QLatin1Char('+'))) {
            out << line.mid(1);
        }
    }
    while (next < from.size())
        out << from[next++];
    return out.join(QStringLiteral("\r\n"));
}

// Whole pages are pinned as one base page and, for every other page, the difference of its lines
// from the base (NAME.diff): a change to what all pages share is then read once, in the base.
// The base is written first when updating.
inline void expectGoldenPage(const QString &name, const QString &baseName, const QString &text)
{
    const QString dir = QStringLiteral(DW_TEST_DATA "/");
    const QString base = QString::fromLatin1(TempDir::read(dir + baseName));
    if (!qEnvironmentVariableIsSet("DW_UPDATE_GOLDEN")) {
        const std::optional<QString> want = applyLineDiff(base, QString::fromLatin1(TempDir::read(dir + name + ".diff")));
        ASSERT_TRUE(want.has_value()) << name.toStdString() << ".diff does not apply to " << baseName.toStdString();
        EXPECT_EQ(text, *want) << "differs from " << name.toStdString() << ".diff applied to " << baseName.toStdString();
        return;
    }
    TempDir tmp;
    const auto lines = [&](const QString &file, const QString &page) {
        EXPECT_FALSE(page.contains(QRegularExpression(QStringLiteral("\r(?!\n)|(?<!\r)\n")))) << "lone CR or LF in " << name.toStdString();
        return tmp.write(file, (QString(page).replace(QStringLiteral("\r\n"), QStringLiteral("\n")) + '\n').toLatin1());
    };
    QProcess diff;
    diff.start(QStringLiteral("diff"), {QStringLiteral("-U0"), lines(QStringLiteral("a"), base), lines(QStringLiteral("b"), text)});
    ASSERT_TRUE(diff.waitForFinished(10000));
    const QList<QByteArray> out = diff.readAllStandardOutput().split('\n');
    QFile f(dir + name + ".diff");
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(out.mid(2).join('\n')); // without the headers, which name temporary files
}

} // namespace dw::test
