#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>

namespace dw {

// The list file type as the program registers it. On the desktop the class name, description,
// content type and extension become a shared-mime-info package and a desktop entry.
struct FileTypeRecord {
    QString program; // absolute path of wrenpad; the desktop entry starts it with the file
    QString extension = QStringLiteral(".dwe");
    QString className = QStringLiteral("DatewrenList");
    QString description = QStringLiteral("Datewren List");
    QString contentType = QStringLiteral("application/x-datewren-list");
};

// The exact bytes of the two files, so a second start rewrites nothing.
QByteArray mimePackageXml(const FileTypeRecord &record);
QByteArray desktopEntry(const FileTypeRecord &record);

// Registers list files under $XDG_DATA_HOME: mime/packages/<class name>.xml and
// applications/<install::kDesktopEntryName>, then asks update-mime-database and update-desktop-database to
// rebuild their caches without waiting for them. Everything fails silently: a desktop without
// these tools, or a data folder the user cannot write, just leaves list files unregistered.
class FileTypeRegistrar {
public:
    // Starts a program in the background; false when it could not be started.
    using Launcher = std::function<bool(const QString &program, const QStringList &arguments)>;

    struct Outcome {
        bool mimeWritten = false;    // the package file was created or changed
        bool desktopWritten = false; // the desktop entry was created, changed or renamed
        QStringList launched;        // "program arg" for every cache tool started
    };

    explicit FileTypeRegistrar(QString dataHome, Launcher launcher = detachedLauncher());

    Outcome registerFileType(const FileTypeRecord &record) const;

    QString mimePackagePath(const FileTypeRecord &record) const;
    QString desktopEntryPath() const;

    // QProcess::startDetached with the output thrown away, for installed tools only.
    static Launcher detachedLauncher();

private:
    QString dataHome_;
    Launcher launcher_;
};

} // namespace dw
