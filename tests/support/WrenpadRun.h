#pragma once

#include <QEventLoop>
#include <QProcess>
#include <QTimer>
#include <QString>
#include <QStringList>

namespace dw::test {

struct WrenpadRun {
    int code = -1; // -1 when it crashed or hung
    QString out;
    QString err;
};

// Runs a built program in `env` while this thread's event loop goes on, so that a server living
// here (a session bus object, a socket) can answer it. A run over a minute is killed.
inline WrenpadRun runBuilt(const QString &program, const QStringList &args, const QProcessEnvironment &env)
{
    QProcess p;
    p.setProcessEnvironment(env);
    QEventLoop loop;
    QObject::connect(&p, &QProcess::finished, &loop, &QEventLoop::quit);
    QObject::connect(&p, &QProcess::errorOccurred, &loop, &QEventLoop::quit);
    QTimer::singleShot(60000, &loop, &QEventLoop::quit);
    p.start(QStringLiteral(DW_BINARY_DIR "/") + program, args);
    loop.exec();
    if (p.state() != QProcess::NotRunning) {
        p.kill();
        p.waitForFinished();
    }
    return {p.exitStatus() == QProcess::NormalExit && p.error() != QProcess::FailedToStart ? p.exitCode() : -1,
            QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
}

// The same in this process's environment; a config home keeps the run off the user's own store.
inline WrenpadRun runBuilt(const QString &program, const QStringList &args, const QString &configHome = {})
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    if (!configHome.isEmpty())
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), configHome);
    return runBuilt(program, args, env);
}

inline WrenpadRun runWrenpad(const QStringList &args, const QString &configHome = {})
{
    return runBuilt(QStringLiteral("wrenpad"), args, configHome);
}

inline WrenpadRun runWrenpadServing(const QStringList &args, const QProcessEnvironment &env)
{
    return runBuilt(QStringLiteral("wrenpad"), args, env);
}

} // namespace dw::test
