#include "platform/linux/DesktopNotification.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QProcess>
#include <QStandardPaths>
#include <QVariantMap>

namespace dw {

namespace {

const QString kService = QStringLiteral("org.freedesktop.Notifications");
const QString kPath = QStringLiteral("/org/freedesktop/Notifications");
const QString kInterface = QStringLiteral("org.freedesktop.Notifications");
constexpr int kCallTimeoutMs = 5000;
constexpr int kToolTimeoutMs = 10000;

// Urgency levels of the notification interface: 1 normal, 2 critical.
uchar urgency(const Notification &n)
{
    return n.critical ? 2 : 1;
}

bool serverReadsMarkup(const QDBusConnection &bus)
{
    const QDBusMessage reply = bus.call(
        QDBusMessage::createMethodCall(kService, kPath, kInterface, QStringLiteral("GetCapabilities")),
        QDBus::Block, kCallTimeoutMs);
    return reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty()
           && reply.arguments().first().toStringList().contains(QStringLiteral("body-markup"));
}

// True when shown; *error says why not.
bool viaBus(const Notification &n, QString *error)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        *error = QStringLiteral("no session bus");
        return false;
    }
    QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, kInterface, QStringLiteral("Notify"));
    QVariantMap hints;
    hints.insert(QStringLiteral("urgency"), QVariant::fromValue(urgency(n)));
    hints.insert(QStringLiteral("desktop-entry"), QStringLiteral("wrenpad"));
    const QString body = serverReadsMarkup(bus) ? notificationMarkupEscaped(n.body) : n.body;
    // Notify(s app_name, u replaces_id, s app_icon, s summary, s body, as actions,
    //        a{sv} hints, i expire_timeout) -> u id
    call << n.appName << uint(0) << QStringLiteral("x-office-calendar") << n.summary << body << QStringList()
         << hints << qint32(n.expireMs);
    const QDBusMessage reply = bus.call(call, QDBus::Block, kCallTimeoutMs);
    if (reply.type() != QDBusMessage::ReplyMessage) {
        *error = reply.errorMessage().isEmpty() ? reply.errorName() : reply.errorMessage();
        return false;
    }
    return true;
}

} // namespace

QString notificationMarkupEscaped(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (const QChar ch : text) {
        if (ch == QLatin1Char('&'))
            out += QLatin1String("&amp;");
        else if (ch == QLatin1Char('<'))
            out += QLatin1String("&lt;");
        else if (ch == QLatin1Char('>'))
            out += QLatin1String("&gt;");
        else
            out += ch;
    }
    return out;
}

NotifyResult sendDesktopNotification(const Notification &n)
{
    NotifyResult result;
    QString busError;
    if (viaBus(n, &busError)) {
        result.sent = true;
        result.via = QStringLiteral("D-Bus");
        return result;
    }

    const QString tool = QStandardPaths::findExecutable(QStringLiteral("notify-send"));
    if (tool.isEmpty()) {
        result.error = QStringLiteral("No notification server answers on the session bus (%1), and notify-send "
                                      "is not installed.")
                           .arg(busError);
        return result;
    }
    // notify-send hands the body to a server that may read markup; it cannot ask which.
    QProcess p;
    p.start(tool, {QStringLiteral("--app-name=") + n.appName,
                   QStringLiteral("--urgency=") + (n.critical ? QStringLiteral("critical") : QStringLiteral("normal")),
                   QStringLiteral("--icon=x-office-calendar"), QStringLiteral("--"), n.summary,
                   notificationMarkupEscaped(n.body)});
    if (!p.waitForFinished(kToolTimeoutMs)) {
        p.kill();
        p.waitForFinished(1000);
        result.error = QStringLiteral("notify-send did not finish (%1).").arg(p.errorString());
        return result;
    }
    if (p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        result.error = QStringLiteral("notify-send failed: %1")
                           .arg(QString::fromLocal8Bit(p.readAllStandardError()).trimmed());
        return result;
    }
    result.sent = true;
    result.via = tool;
    return result;
}

} // namespace dw
