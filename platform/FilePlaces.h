#pragma once

#include <QDir>
#include <QHash>
#include <QString>

namespace dw {

enum class FileKind;

// Where each file dialog starts: beside the list in use, or the last file of its kind, else in
// the user's home - never in whatever folder the program happened to be started from.
class FilePlaces {
public:
    explicit FilePlaces(QString home = QDir::homePath()) : home_(std::move(home)) {}

    // A list was opened, dropped, handed over on the command line or saved.
    void useList(const QString &path);
    // The user chose `path` in the dialog for `kind`.
    void chosen(FileKind kind, const QString &path);
    // A folder to start in, or (Save List, the first Create HTML) a file path to propose. The
    // first Create HTML makes its ~/Datewren folder so the dialog can open there.
    QString start(FileKind kind) const;

private:
    QString home_;
    QString list_;
    QHash<int, QString> last_; // by kind
};

} // namespace dw
