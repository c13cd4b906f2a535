#pragma once

#include "services/opener_on_path.h"

#include <QDesktopServices>
#include <QList>
#include <QObject>
#include <QUrl>

namespace griffwandler::test {

// Takes every web address the program hands to the desktop, for as long as it
// lives, and keeps it instead of opening a browser. It hides any xdg-open on
// the machine, so that every address goes through the desktop services.
class UrlRecorder : public QObject {
    Q_OBJECT
public:
    UrlRecorder()
    {
        QDesktopServices::setUrlHandler(QStringLiteral("https"), this, "open");
        QDesktopServices::setUrlHandler(QStringLiteral("http"), this, "open");
    }
    ~UrlRecorder() override
    {
        QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
        QDesktopServices::unsetUrlHandler(QStringLiteral("http"));
    }

    QList<QUrl> urls;

public Q_SLOTS:
    void open(const QUrl &url) { urls << url; }

private:
    OpenerOnPath m_noOpener;
};

} // namespace griffwandler::test
