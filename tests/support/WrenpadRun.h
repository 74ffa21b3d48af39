#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

namespace dw::test {

struct WrenpadRun {
    int code = -1; // -1 when it crashed or hung
    QString out;
    QString err;
};

// Runs the built wrenpad. A config home keeps the run off the user's own store.
inline WrenpadRun runWrenpad(const QStringList &args, const QString &configHome = {})
{
    QProcess p;
    if (!configHome.isEmpty()) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), configHome);
        p.setProcessEnvironment(env);
    }
    p.start(QStringLiteral(DW_BINARY_DIR "/wrenpad"), args);
    const bool finished = p.waitForFinished(60000);
    return {finished && p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
            QString::fromLocal8Bit(p.readAllStandardOutput()), QString::fromLocal8Bit(p.readAllStandardError())};
}

} // namespace dw::test
