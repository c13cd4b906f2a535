#pragma once

#include <QObject>

class QWidget;

namespace griffwandler::bench {

// Watches a top-level window. Once its first paint event has been delivered, a
// zero timer (which runs after the rest of that frame is painted and flushed)
// prints one line to stdout, "first-frame rss_kib=... hwm_kib=...", with the
// resident memory from /proc/self/status, and ends the program. The window
// owns it.
class FirstFrameReporter : public QObject {
public:
    explicit FirstFrameReporter(QWidget &window);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void report();

    QWidget &m_window;
    bool m_seen = false;
};

} // namespace griffwandler::bench
