#include "first_frame.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <cstring>

namespace griffwandler::bench {

namespace {

// One "Name:   1234 kB" field of /proc/self/status, or -1.
long statusField(const char *name)
{
    std::FILE *file = std::fopen("/proc/self/status", "r");
    if (!file)
        return -1;
    char line[256];
    long value = -1;
    const std::size_t length = std::strlen(name);
    while (std::fgets(line, sizeof line, file)) {
        if (std::strncmp(line, name, length) == 0 && line[length] == ':') {
            std::sscanf(line + length + 1, "%ld", &value);
            break;
        }
    }
    std::fclose(file);
    return value;
}

} // namespace

FirstFrameReporter::FirstFrameReporter(QWidget &window) : QObject(&window), m_window(window)
{
    m_window.installEventFilter(this);
}

bool FirstFrameReporter::eventFilter(QObject *watched, QEvent *event)
{
    if (!m_seen && watched == &m_window && event->type() == QEvent::Paint) {
        m_seen = true;
        QTimer::singleShot(0, this, [this] { report(); });
    }
    return QObject::eventFilter(watched, event);
}

void FirstFrameReporter::report()
{
    std::printf("first-frame rss_kib=%ld hwm_kib=%ld\n", statusField("VmRSS"),
                statusField("VmHWM"));
    std::fflush(stdout);
    QCoreApplication::exit(0);
}

} // namespace griffwandler::bench
