#include "desktop/WallpaperBackend.h"

#include <QDBusConnection>
#include <QDBusInterface>
#include <QDBusReply>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QUrl>

namespace dw::desktop {

namespace {

QStringList desktopNames(const QProcessEnvironment &env)
{
    QStringList names;
    for (const QString &n : env.value(QStringLiteral("XDG_CURRENT_DESKTOP")).split(QLatin1Char(':'), Qt::SkipEmptyParts))
        names << n.trimmed().toLower();
    return names;
}

QString fileUri(const QString &path)
{
    return QUrl::fromLocalFile(path).toString(QUrl::FullyEncoded);
}

// A backend known by names in XDG_CURRENT_DESKTOP and DESKTOP_SESSION.
class NamedBackend : public WallpaperBackend {
public:
    NamedBackend(QString name, QStringList desktops, QStringList sessions)
        : name_(std::move(name)), desktops_(std::move(desktops)), sessions_(std::move(sessions))
    {
    }
    QString name() const override { return name_; }
    bool detect(const QProcessEnvironment &env) const override
    {
        const QStringList names = desktopNames(env);
        if (!names.isEmpty())
            return desktops_.contains(names.first());
        return sessions_.contains(env.value(QStringLiteral("DESKTOP_SESSION")).toLower());
    }

private:
    QString name_;
    QStringList desktops_;
    QStringList sessions_;
};

// The GNOME-style settings schemas: GNOME and its relatives, Cinnamon, MATE.
class GSettingsBackend final : public NamedBackend {
public:
    struct Keys {
        QString schema;
        QString pictureKey;
        bool uri = true;       // MATE wants a path
        QString darkKey;       // set only where the schema has it
        QString lockSchema;    // lock screen picture, where the desktop has one
    };
    GSettingsBackend(QString name, QStringList desktops, QStringList sessions, Keys keys)
        : NamedBackend(std::move(name), std::move(desktops), std::move(sessions)), keys_(std::move(keys))
    {
    }
    ApplyResult apply(const Picture &picture, ToolRunner &tools) const override
    {
        const QString value = keys_.uri ? fileUri(picture.path) : picture.path;
        const QString g = QStringLiteral("gsettings");
        std::vector<Command> commands{{g, {QStringLiteral("set"), keys_.schema, keys_.pictureKey, value}}};
        if (!keys_.darkKey.isEmpty()) {
            const ToolResult keys = tools.run({g, {QStringLiteral("list-keys"), keys_.schema}});
            if (keys.ok() && keys.output.split(QLatin1Char('\n')).contains(keys_.darkKey))
                commands.push_back({g, {QStringLiteral("set"), keys_.schema, keys_.darkKey, value}});
        }
        commands.push_back({g, {QStringLiteral("set"), keys_.schema, QStringLiteral("picture-options"), QStringLiteral("zoom")}});
        if (picture.lockScreen && !keys_.lockSchema.isEmpty())
            commands.push_back({g, {QStringLiteral("set"), keys_.lockSchema, QStringLiteral("picture-uri"), value}});
        return runAll(commands, tools);
    }

private:
    Keys keys_;
};

// One fixed command line per picture.
class SimpleBackend final : public NamedBackend {
public:
    using Make = std::function<Command(const QString &path)>;
    SimpleBackend(QString name, QStringList desktops, QStringList sessions, Make make)
        : NamedBackend(std::move(name), std::move(desktops), std::move(sessions)), make_(std::move(make))
    {
    }
    ApplyResult apply(const Picture &picture, ToolRunner &tools) const override
    {
        return runAll({make_(picture.path)}, tools);
    }

private:
    Make make_;
};

class KdeBackend final : public NamedBackend {
public:
    KdeBackend() : NamedBackend(QStringLiteral("KDE Plasma"), {QStringLiteral("kde")}, {QStringLiteral("plasma"), QStringLiteral("plasmawayland"), QStringLiteral("plasmax11"), QStringLiteral("kde-plasma")}) {}

    static QString script(const QString &path)
    {
        // The URI goes in as a JSON string, so no file name can end the script's string early.
        const QString uri = QString::fromUtf8(QJsonDocument(QJsonArray{fileUri(path)}).toJson(QJsonDocument::Compact));
        return QStringLiteral("var uri = %1[0]; var all = desktops();"
                              "for (var i = 0; i < all.length; i++) { var d = all[i];"
                              " d.wallpaperPlugin = 'org.kde.image'; d.currentConfigGroup = ['Wallpaper', 'org.kde.image', 'General'];"
                              " d.writeConfig('Image', uri); }")
            .arg(uri);
    }

    ApplyResult apply(const Picture &picture, ToolRunner &tools) const override
    {
        if (!tools.find(QStringLiteral("plasma-apply-wallpaperimage")).isEmpty())
            return runAll({{QStringLiteral("plasma-apply-wallpaperimage"), {picture.path}}}, tools);
        // Older Plasma: ask the shell itself. qdbus has a different name on every distribution.
        ApplyResult result;
        QDBusInterface shell(QStringLiteral("org.kde.plasmashell"), QStringLiteral("/PlasmaShell"),
                             QStringLiteral("org.kde.PlasmaShell"), QDBusConnection::sessionBus());
        shell.setTimeout(15000);
        const QDBusMessage reply = shell.call(QStringLiteral("evaluateScript"), script(picture.path));
        result.done << QStringLiteral("org.kde.PlasmaShell.evaluateScript (D-Bus)");
        if (reply.type() == QDBusMessage::ErrorMessage) {
            result.error = QStringLiteral("plasma-apply-wallpaperimage is not installed, and Plasma's shell did not take "
                                          "the picture over D-Bus: ") + reply.errorMessage();
            return result;
        }
        result.ok = true;
        return result;
    }
};

class XfceBackend final : public NamedBackend {
public:
    XfceBackend() : NamedBackend(QStringLiteral("XFCE"), {QStringLiteral("xfce")}, {QStringLiteral("xfce"), QStringLiteral("xfce4")}) {}
    ApplyResult apply(const Picture &picture, ToolRunner &tools) const override
    {
        const QString x = QStringLiteral("xfconf-query");
        const QString channel = QStringLiteral("xfce4-desktop");
        const Command list{x, {QStringLiteral("-c"), channel, QStringLiteral("-p"), QStringLiteral("/backdrop"), QStringLiteral("-l")}};
        const ToolResult listed = tools.run(list);
        if (!listed.ok() && (!listed.started || listed.timedOut)) {
            ApplyResult r;
            r.error = listed.failure(list);
            return r;
        }
        std::vector<Command> commands;
        for (const QString &line : listed.output.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
            const QString property = line.trimmed();
            if (property.startsWith(QLatin1Char('/')) && property.endsWith(QLatin1String("last-image")))
                commands.push_back({x, {QStringLiteral("-c"), channel, QStringLiteral("-p"), property, QStringLiteral("-s"), picture.path}});
        }
        // A fresh install or a new monitor has no property yet: create one per connected screen.
        if (commands.empty()) {
            QStringList connectors = picture.connectors;
            if (connectors.isEmpty())
                connectors << QStringLiteral("0");
            for (const QString &c : connectors)
                commands.push_back({x, {QStringLiteral("-c"), channel, QStringLiteral("-p"),
                                        QStringLiteral("/backdrop/screen0/monitor%1/workspace0/last-image").arg(c),
                                        QStringLiteral("-n"), QStringLiteral("-t"), QStringLiteral("string"),
                                        QStringLiteral("-s"), picture.path}});
        }
        return runAll(commands, tools);
    }
};

class HyprlandBackend final : public NamedBackend {
public:
    HyprlandBackend() : NamedBackend(QStringLiteral("Hyprland"), {QStringLiteral("hyprland")}, {QStringLiteral("hyprland")}) {}
    ApplyResult apply(const Picture &picture, ToolRunner &tools) const override
    {
        if (!tools.find(QStringLiteral("swww")).isEmpty() && tools.run({QStringLiteral("swww"), {QStringLiteral("query")}}).ok())
            return runAll({{QStringLiteral("swww"), {QStringLiteral("img"), picture.path}}}, tools);
        const Command monitors{QStringLiteral("hyprctl"), {QStringLiteral("monitors"), QStringLiteral("-j")}};
        const ToolResult listed = tools.run(monitors);
        ApplyResult r;
        if (!listed.ok()) {
            r.error = listed.failure(monitors);
            return r;
        }
        std::vector<Command> commands;
        for (const QJsonValue &m : QJsonDocument::fromJson(listed.output.toUtf8()).array()) {
            const QString name = m.toObject().value(QStringLiteral("name")).toString();
            if (!name.isEmpty())
                commands.push_back({QStringLiteral("hyprctl"), {QStringLiteral("hyprpaper"), QStringLiteral("wallpaper"), name + QLatin1Char(',') + picture.path}});
        }
        if (commands.empty()) {
            r.error = QStringLiteral("hyprctl listed no monitors.");
            return r;
        }
        return runAll(commands, tools);
    }
};

// Any other X11 session: the first root-window setter that is installed.
class X11Backend final : public WallpaperBackend {
public:
    QString name() const override { return QStringLiteral("X11"); }
    bool detect(const QProcessEnvironment &env) const override
    {
        const QString type = env.value(QStringLiteral("XDG_SESSION_TYPE"));
        if (!type.isEmpty())
            return type == QLatin1String("x11");
        return !env.value(QStringLiteral("DISPLAY")).isEmpty() && env.value(QStringLiteral("WAYLAND_DISPLAY")).isEmpty();
    }
    static std::vector<Command> candidates(const QString &p)
    {
        return {{QStringLiteral("feh"), {QStringLiteral("--bg-fill"), p}},
                {QStringLiteral("xwallpaper"), {QStringLiteral("--zoom"), p}},
                {QStringLiteral("hsetroot"), {QStringLiteral("-fill"), p}},
                {QStringLiteral("nitrogen"), {QStringLiteral("--set-zoom-fill"), QStringLiteral("--save"), p}}};
    }
    ApplyResult apply(const Picture &picture, ToolRunner &tools) const override
    {
        for (const Command &c : candidates(picture.path))
            if (!tools.find(c.program).isEmpty())
                return runAll({c}, tools);
        ApplyResult r;
        r.error = QStringLiteral("None of feh, xwallpaper, hsetroot or nitrogen is installed.");
        return r;
    }
};

std::vector<std::unique_ptr<WallpaperBackend>> makeBackends()
{
    const auto list = [](std::initializer_list<const char *> names) {
        QStringList l;
        for (const char *n : names)
            l << QString::fromLatin1(n);
        return l;
    };
    std::vector<std::unique_ptr<WallpaperBackend>> b;
    b.push_back(std::make_unique<GSettingsBackend>(
        QStringLiteral("GNOME"), list({"gnome", "ubuntu", "unity", "budgie", "pantheon", "gnome-classic", "gnome-flashback"}),
        list({"gnome", "ubuntu", "unity", "budgie-desktop", "pantheon", "gnome-xorg", "gnome-wayland", "gnome-classic", "ubuntu-wayland"}),
        GSettingsBackend::Keys{QStringLiteral("org.gnome.desktop.background"), QStringLiteral("picture-uri"), true,
                               QStringLiteral("picture-uri-dark"), QStringLiteral("org.gnome.desktop.screensaver")}));
    b.push_back(std::make_unique<KdeBackend>());
    b.push_back(std::make_unique<XfceBackend>());
    b.push_back(std::make_unique<GSettingsBackend>(
        QStringLiteral("Cinnamon"), list({"x-cinnamon", "cinnamon"}), list({"cinnamon", "cinnamon2d"}),
        GSettingsBackend::Keys{QStringLiteral("org.cinnamon.desktop.background"), QStringLiteral("picture-uri"), true, {}, {}}));
    b.push_back(std::make_unique<GSettingsBackend>(
        QStringLiteral("MATE"), list({"mate"}), list({"mate"}),
        GSettingsBackend::Keys{QStringLiteral("org.mate.background"), QStringLiteral("picture-filename"), false, {}, {}}));
    b.push_back(std::make_unique<SimpleBackend>(QStringLiteral("LXQt"), list({"lxqt"}), list({"lxqt"}), [](const QString &p) {
        return Command{QStringLiteral("pcmanfm-qt"), {QStringLiteral("--set-wallpaper=") + p, QStringLiteral("--wallpaper-mode=zoom")}};
    }));
    b.push_back(std::make_unique<SimpleBackend>(QStringLiteral("LXDE"), list({"lxde"}), list({"lxde"}), [](const QString &p) {
        return Command{QStringLiteral("pcmanfm"), {QStringLiteral("--set-wallpaper=") + p, QStringLiteral("--wallpaper-mode=crop")}};
    }));
    b.push_back(std::make_unique<SimpleBackend>(QStringLiteral("sway"), list({"sway"}), list({"sway"}), [](const QString &p) {
        return Command{QStringLiteral("swaymsg"), {QStringLiteral("output"), QStringLiteral("*"), QStringLiteral("bg"), p, QStringLiteral("fill")}};
    }));
    b.push_back(std::make_unique<HyprlandBackend>());
    b.push_back(std::make_unique<X11Backend>());
    return b;
}

} // namespace

const std::vector<std::unique_ptr<WallpaperBackend>> &wallpaperBackends()
{
    static const auto backends = makeBackends();
    return backends;
}

const WallpaperBackend *detectDesktop(const QProcessEnvironment &env, const QString &recorded)
{
    // "Foo:GNOME" is a GNOME session: every entry of the list counts, in order.
    for (const QString &name : desktopNames(env)) {
        QProcessEnvironment one = env;
        one.insert(QStringLiteral("XDG_CURRENT_DESKTOP"), name);
        for (const auto &b : wallpaperBackends())
            if (b->name() != QLatin1String("X11") && b->detect(one))
                return b.get();
    }
    for (const auto &b : wallpaperBackends())
        if (b->detect(env))
            return b.get();
    if (!recorded.isEmpty() && env.value(QStringLiteral("XDG_CURRENT_DESKTOP")).isEmpty())
        for (const auto &b : wallpaperBackends())
            if (b->name() == recorded)
                return b.get();
    return nullptr;
}

QString seenDesktop(const QProcessEnvironment &env)
{
    for (const char *name : {"XDG_CURRENT_DESKTOP", "DESKTOP_SESSION", "XDG_SESSION_TYPE"}) {
        const QString v = env.value(QString::fromLatin1(name));
        if (!v.isEmpty())
            return QStringLiteral("%1=%2").arg(QString::fromLatin1(name), v);
    }
    return QStringLiteral("no desktop (XDG_CURRENT_DESKTOP, DESKTOP_SESSION and XDG_SESSION_TYPE are unset)");
}

ApplyResult runAll(const std::vector<Command> &commands, ToolRunner &tools)
{
    ApplyResult result;
    for (const Command &c : commands) {
        const ToolResult r = tools.run(c);
        if (!r.ok()) {
            result.error = r.failure(c);
            return result;
        }
        result.done << displayLine(c);
    }
    result.ok = true;
    return result;
}

} // namespace dw::desktop
