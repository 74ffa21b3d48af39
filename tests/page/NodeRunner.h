#pragma once

#include <QProcess>
#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QFile>

namespace dw::test {

struct NodeResult {
    int exitCode = -1;
    QString out;
    QString err;
};

// Runs node on a script file; `args` go before the file (e.g. "--check").
inline NodeResult runNode(const QString &script, const QStringList &args = {})
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("script.js"));
    QFile f(path);
    if (f.open(QIODevice::WriteOnly))
        f.write(script.toUtf8());
    f.close();
    QProcess node;
    node.start(QStringLiteral("node"), QStringList(args) << path);
    node.waitForFinished(60000);
    return {node.exitStatus() == QProcess::NormalExit ? node.exitCode() : -1,
            QString::fromUtf8(node.readAllStandardOutput()), QString::fromUtf8(node.readAllStandardError())};
}

// The text of every script element of a page, in order.
inline QStringList scriptElements(const QString &page)
{
    static const QRegularExpression element(QStringLiteral("<script[^>]*>(.*?)</script"),
                                            QRegularExpression::CaseInsensitiveOption
                                                | QRegularExpression::DotMatchesEverythingOption);
    QStringList scripts;
    for (const QRegularExpressionMatch &m : element.globalMatch(page))
        scripts << m.captured(1);
    return scripts;
}

} // namespace dw::test
