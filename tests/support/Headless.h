#pragma once

#include <QProcess>
#include <QStringList>

namespace dw::test {

// Runs a program the way a user without any display would start it (no X11, no Wayland, no
// platform chosen) and waits for it; false when it did not finish within 30 seconds.
inline bool runWithoutDisplay(QProcess &process, const QString &program, const QStringList &args)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        env.remove(name);
    process.setProcessEnvironment(env);
    process.start(program, args);
    return process.waitForFinished(30000) && process.exitStatus() == QProcess::NormalExit;
}

} // namespace dw::test
