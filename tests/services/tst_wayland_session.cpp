#include "services/wayland_session.h"

#include <QTest>

using namespace griffwandler::services;

// The window system chosen before the toolkit starts, from the session's
// variables: GNOME on Wayland gets the program as a client of its X11 server,
// nothing else is touched, and the choice leaves the environment again.
class TestWaylandSession : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void windowSystem_data()
    {
        QTest::addColumn<QByteArray>("session");
        QTest::addColumn<QByteArray>("waylandDisplay");
        QTest::addColumn<QByteArray>("desktop");
        QTest::addColumn<QByteArray>("display");
        QTest::addColumn<QByteArray>("users");  // QT_QPA_PLATFORM before; null: unset
        QTest::addColumn<QByteArray>("chosen"); // while the toolkit starts; null: unset
        const QByteArray none;
        const QByteArray x11 = "xcb;wayland";
        const auto row = [](const char *name, const QByteArray &session,
                            const QByteArray &waylandDisplay, const QByteArray &desktop,
                            const QByteArray &display, const QByteArray &users,
                            const QByteArray &chosen) {
            QTest::newRow(name) << session << waylandDisplay << desktop << display << users
                                << chosen;
        };
        row("GNOME on Wayland", "wayland", none, "GNOME", ":1", none, x11);
        row("Ubuntu's GNOME", "wayland", none, "ubuntu:GNOME", ":1", none, x11);
        row("a compositor without a session type", none, "wayland-0", "GNOME", ":1", none, x11);
        row("KDE Plasma on Wayland", "wayland", none, "KDE", ":1", none, none);
        row("GNOME without XWayland", "wayland", none, "GNOME", none, none, none);
        row("GNOME on X11", "x11", none, "GNOME", ":0", none, none);
        row("the user's platform stands", "wayland", none, "GNOME", ":1", "wayland", "wayland");
    }

    void windowSystem()
    {
        QFETCH(QByteArray, session);
        QFETCH(QByteArray, waylandDisplay);
        QFETCH(QByteArray, desktop);
        QFETCH(QByteArray, display);
        QFETCH(QByteArray, users);
        QFETCH(QByteArray, chosen);
        const auto set = [](const char *name, const QByteArray &value) {
            if (value.isNull())
                qunsetenv(name);
            else
                qputenv(name, value);
        };
        set("XDG_SESSION_TYPE", session);
        set("WAYLAND_DISPLAY", waylandDisplay);
        set("XDG_CURRENT_DESKTOP", desktop);
        set("DISPLAY", display);
        set("QT_QPA_PLATFORM", users);

        wayland::chooseWindowSystem();
        QCOMPARE(qgetenv("QT_QPA_PLATFORM"), chosen);
        QCOMPARE(qEnvironmentVariableIsSet("QT_QPA_PLATFORM"), !chosen.isNull());
        // Programs started later (the browser) see the environment as it was.
        wayland::undoChoice();
        QCOMPARE(qgetenv("QT_QPA_PLATFORM"), users);
        QCOMPARE(qEnvironmentVariableIsSet("QT_QPA_PLATFORM"), !users.isNull());
    }
};

QTEST_APPLESS_MAIN(TestWaylandSession)
#include "tst_wayland_session.moc"
