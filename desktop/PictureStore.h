#pragma once

#include <QDateTime>
#include <QImage>
#include <QSize>
#include <QString>
#include <QStringList>

namespace dw::desktop {

// $XDG_DATA_HOME/Datewren/wallpaper: every picture gets a new name, because desktops keep
// showing a cached picture when the name stays the same; only the newest two are kept.
class PictureStore {
public:
    explicit PictureStore(QString folder);
    static QString defaultFolder();

    const QString &folder() const { return folder_; }
    // Saves the picture under a name no earlier picture had; "" and error on failure.
    QString save(const QImage &image, const QDateTime &now, QString *error);
    // Deletes all but the newest `keep` pictures of ours.
    void cleanUp(int keep = 2);
    QStringList pictures() const; // newest first

private:
    QString folder_;
};

// The connected screens from the kernel's display connectors: names such as "eDP-1" and the
// largest preferred mode, in device pixels. Works without any display server connection.
struct ConnectedScreens {
    QStringList connectors;
    QSize largest;
};
ConnectedScreens connectedScreens(const QString &drmRoot = QStringLiteral("/sys/class/drm"));

} // namespace dw::desktop
