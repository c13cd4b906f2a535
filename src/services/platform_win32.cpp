#include "platform.h"

#include "win32_services.h"

#include <QByteArray>
#include <QWidget>
#include <QWindow>

namespace griffwandler::services {

namespace {

// Windows: the native client edge and the shell's hand-over, through the
// bodies in the *_win32 units, which know nothing of Qt.
class Win32Platform final : public Platform {
public:
    void beforeStart() const override
    {
        // GDI draws the embedded bold face in regular weight on some systems;
        // DirectWrite draws it as designed.
        if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "windows:fontengine=directwrite");
    }

    Placement preparePlacement(QWidget &window, PlacementRule) const override
    {
        window.winId();
        const QWindow *handle = window.windowHandle();
        if (!handle)
            return {};
        // Windows has drawn the frame of the window as soon as it exists.
        // Loading then adds the sunken client edge, and the toolkit keeps the
        // client area's size, so the frame the window is shown with is wider
        // by the edge. Windows counts in device pixels, the toolkit in pixels
        // scaled by the screen's ratio (1.5 at 150 %).
        const auto frame = win32::frameWithClientEdge(reinterpret_cast<void *>(handle->winId()));
        return {false, QMarginsF(frame.left, frame.top, frame.right, frame.bottom) /
                           window.devicePixelRatioF()};
    }

    void showFirstTime(QWidget &window, const std::function<void()> &show) const override
    {
        // The toolkit names a window without a title after the program; an
        // empty caption is meant to stay empty.
        if (window.windowTitle().isEmpty())
            win32::clearTitle(reinterpret_cast<void *>(window.winId()));
        show();
    }

    void dickenRandSetzen(QWidget &window) const override
    {
        win32::dickenRandSetzen(reinterpret_cast<void *>(window.winId()));
    }

    void browserAufrufen(QWidget *owner, const QString &address) const override
    {
        // The shell reports its own failures, owned by the window.
        const QByteArray ansi = address.toLocal8Bit();
        win32::browserAufrufen(owner ? reinterpret_cast<void *>(owner->winId()) : nullptr,
                               ansi.constData());
    }
};

} // namespace

const Platform &platform()
{
    static const Win32Platform win32;
    return win32;
}

} // namespace griffwandler::services
