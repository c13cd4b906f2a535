#include "plattform.h"

#include "win32_dienste.h"

#include <QByteArray>
#include <QWidget>
#include <QWindow>

namespace griffwandler::services {

namespace {

// Windows: the native client edge and the shell's hand-over, through the
// bodies in the *_win32 units, which know nothing of Qt.
class Win32Plattform final : public Plattform {
public:
    void vorDemStart() const override
    {
        // GDI draws the embedded bold face in regular weight on some systems;
        // DirectWrite draws it as designed.
        if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "windows:fontengine=directwrite");
    }

    Platzierungsweg platzierungVorbereiten(QWidget &window, Regel) const override
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
        const auto rahmen = win32::rahmenMitKlientRand(reinterpret_cast<void *>(handle->winId()));
        return {false, QMarginsF(rahmen.left, rahmen.top, rahmen.right, rahmen.bottom) /
                           window.devicePixelRatioF()};
    }

    void erstmalsZeigen(QWidget &window, const std::function<void()> &zeigen) const override
    {
        // The toolkit names a window without a title after the program; an
        // empty caption is meant to stay empty.
        if (window.windowTitle().isEmpty())
            win32::titelLeeren(reinterpret_cast<void *>(window.winId()));
        zeigen();
    }

    void dickenRandSetzen(WId hWnd) const override
    {
        win32::dickenRandSetzen(reinterpret_cast<void *>(hWnd));
    }

    void browserAufrufen(WId hWnd, const QString &address) const override
    {
        // The shell reports its own failures, owned by the window.
        const QByteArray ansi = address.toLocal8Bit();
        win32::browserAufrufen(reinterpret_cast<void *>(hWnd), ansi.constData());
    }
};

} // namespace

const Plattform &plattform()
{
    static const Win32Plattform win32;
    return win32;
}

} // namespace griffwandler::services
