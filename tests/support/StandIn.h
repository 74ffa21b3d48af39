#pragma once

#include "tests/support/TempDir.h"

#include <QDir>
#include <QFile>
#include <QList>
#include <QProcessEnvironment>
#include <QStringList>

namespace dw::test {

// A stand-in for the program `name` in the folder bin/ of `dir`: each call appends its
// arguments to bin/NAME.log, each ended by a line "--", and a line "==" after the call, so that
// arguments holding spaces or line breaks come back whole from calls(); then it runs `body`.
// Returns the log's path.
inline QString standIn(const TempDir &dir, const QString &name, const QByteArray &body = "exit 0")
{
    QDir().mkpath(dir.path(QStringLiteral("bin")));
    const QString path = dir.path("bin/" + name), log = path + QStringLiteral(".log");
    dir.write("bin/" + name, "#!/bin/sh\n{ for a in \"$@\"; do printf '%s\\n--\\n' \"$a\"; done; echo ==; } >> '"
                                 + QFile::encodeName(log) + "'\n" + body + "\n");
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return log;
}

// The calls a stand-in recorded in `log`, each as its arguments.
inline QList<QStringList> calls(const QString &log)
{
    const QString text = QString::fromUtf8(TempDir::read(log));
    QList<QStringList> out;
    QStringList args;
    for (qsizetype i = 0; i < text.size();) {
        if (text.mid(i, 3) == QLatin1String("==\n")) {
            out << args;
            args.clear();
            i += 3;
            continue;
        }
        const qsizetype end = text.indexOf(QLatin1String("\n--\n"), i);
        if (end < 0)
            break;
        args << text.mid(i, end - i);
        i = end + 4;
    }
    return out;
}

// An environment whose PATH is the stand-ins' folder alone.
inline QProcessEnvironment standInPath(const TempDir &dir)
{
    QProcessEnvironment env;
    env.insert(QStringLiteral("PATH"), dir.path(QStringLiteral("bin")));
    return env;
}

// Sets an environment variable of this process for a scope.
struct ScopedEnv {
    ScopedEnv(const char *name, const QByteArray &value) : name(name), wasSet(qEnvironmentVariableIsSet(name)), old(qgetenv(name))
    {
        qputenv(name, value);
    }
    ~ScopedEnv() { wasSet ? qputenv(name, old) : qunsetenv(name); }
    const char *name;
    bool wasSet;
    QByteArray old;
};

} // namespace dw::test
