#include "desktop/Tools.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>

namespace dw::desktop {

QString ToolResult::failure(const Command &command) const
{
    if (!started)
        return QStringLiteral("%1 is not installed.").arg(command.program);
    if (timedOut)
        return QStringLiteral("%1 did not finish in time and was stopped.").arg(command.program);
    QString words = errorText.trimmed();
    if (words.isEmpty())
        words = output.trimmed();
    if (words.size() > 600)
        words = words.left(600) + QStringLiteral("...");
    QString text = QStringLiteral("%1 failed (exit status %2)").arg(displayLine(command)).arg(exitCode);
    return words.isEmpty() ? text + QLatin1Char('.') : text + QStringLiteral(": ") + words;
}

ProcessToolRunner::ProcessToolRunner(QProcessEnvironment environment, int timeoutMs)
    : env_(std::move(environment)), timeoutMs_(timeoutMs)
{
}

QString ProcessToolRunner::find(const QString &program) const
{
    if (program.contains(QLatin1Char('/'))) {
        const QFileInfo f(program);
        return f.isFile() && f.isExecutable() ? f.absoluteFilePath() : QString();
    }
    for (const QString &dir : env_.value(QStringLiteral("PATH")).split(QLatin1Char(':'), Qt::SkipEmptyParts)) {
        // A relative PATH entry would make the tool depend on the folder we happen to run in.
        if (!QDir::isAbsolutePath(dir))
            continue;
        const QFileInfo f(QDir(dir).filePath(program));
        if (f.isFile() && f.isExecutable())
            return f.absoluteFilePath();
    }
    return {};
}

ToolResult ProcessToolRunner::run(const Command &command)
{
    ToolResult result;
    const QString path = find(command.program);
    if (path.isEmpty())
        return result;
    QProcess process;
    process.setProcessEnvironment(env_);
    process.setProgram(path);
    process.setArguments(command.args);
    process.setStandardInputFile(QProcess::nullDevice());
    process.start();
    if (!process.waitForStarted(timeoutMs_))
        return result;
    result.started = true;
    if (!process.waitForFinished(timeoutMs_)) {
        process.kill();
        process.waitForFinished(2000);
        result.timedOut = true;
    }
    result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.output = QString::fromLocal8Bit(process.readAllStandardOutput());
    result.errorText = QString::fromLocal8Bit(process.readAllStandardError());
    return result;
}

QString displayLine(const Command &command)
{
    QStringList parts{command.program};
    for (const QString &a : command.args)
        parts << (a.isEmpty() || a.contains(QLatin1Char(' ')) || a.contains(QLatin1Char('\''))
                      ? QLatin1Char('"') + a + QLatin1Char('"')
                      : a);
    return parts.join(QLatin1Char(' '));
}

} // namespace dw::desktop
