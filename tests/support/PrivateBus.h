#pragma once

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVirtualObject>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>

namespace dw::test {

// A session bus of the test's own (dbus-daemon --session). serveNotifications() puts a
// notification server on it that records each Notify call and answers as a server would.
class PrivateBus final : public QDBusVirtualObject {
public:
    QString address; // empty when dbus-daemon did not start
    QList<QDBusMessage> calls;
    QStringList capabilities{QStringLiteral("body")};

    PrivateBus()
    {
        daemon_.start(QStringLiteral("dbus-daemon"), {QStringLiteral("--session"), QStringLiteral("--nofork"),
                                                       QStringLiteral("--print-address=1")});
        if (daemon_.waitForStarted(5000) && daemon_.waitForReadyRead(5000))
            address = QString::fromUtf8(daemon_.readLine()).trimmed();
    }
    ~PrivateBus() override
    {
        QDBusConnection::disconnectFromBus(kConnection);
        daemon_.kill();
        daemon_.waitForFinished(5000);
    }
    bool serveNotifications()
    {
        QDBusConnection c = QDBusConnection::connectToBus(address, kConnection);
        return c.registerVirtualObject(QStringLiteral("/org/freedesktop/Notifications"), this)
               && c.registerService(QStringLiteral("org.freedesktop.Notifications"));
    }
    // This process's environment on the private bus, with the given PATH.
    QProcessEnvironment env(const QString &path) const
    {
        QProcessEnvironment e = QProcessEnvironment::systemEnvironment();
        e.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), address);
        e.insert(QStringLiteral("PATH"), path);
        return e;
    }
    bool handleMessage(const QDBusMessage &message, const QDBusConnection &connection) override
    {
        if (message.member() == QLatin1String("GetCapabilities"))
            return connection.send(message.createReply(QVariant(capabilities)));
        if (message.member() != QLatin1String("Notify"))
            return false;
        calls << message;
        return connection.send(message.createReply(QVariant::fromValue(uint(7))));
    }
    QString introspect(const QString &) const override { return {}; }

private:
    inline static const QString kConnection = QStringLiteral("test-private-bus");
    QProcess daemon_;
};

} // namespace dw::test
