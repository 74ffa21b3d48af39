#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

namespace dw::test {

// A temporary folder with helpers to put and read whole files.
class TempDir {
public:
    QString path(const QString &name) const { return dir_.filePath(name); }
    QString root() const { return dir_.path(); }

    QString write(const QString &name, const QByteArray &bytes) const
    {
        const QString p = path(name);
        QFile f(p);
        if (f.open(QIODevice::WriteOnly))
            f.write(bytes);
        return p;
    }
    static QByteArray read(const QString &p)
    {
        QFile f(p);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

private:
    QTemporaryDir dir_;
};

} // namespace dw::test
