#include "platform.h"

#include "browser_error.h"

#include <QByteArray>
#include <QResource>
#include <QScreen>
#include <QWidget>

#include <emscripten.h>
#include <emscripten/val.h>

#include <cstdint>
#include <vector>

namespace griffwandler::services {

namespace {

// Opens `address` in a new tab that cannot reach back into this page: the tab
// is opened empty, loses its opener, and only then goes to the address.
// False when the browser blocked the tab.
EM_JS(int, openTab, (const char *address), {
    const tab = window.open("about:blank", "_blank");
    if (!tab)
        return 0;
    tab.opener = null;
    tab.location.href = UTF8ToString(address);
    return 1;
});

// The program's message about an address it could not hand over, shown by the
// page over the window, with the address as a link: a click on it is the
// visitor's own, which no browser blocks.
EM_JS(void, showMessage, (const char *text, const char *address), {
    if (Module.griffwandlerMessage)
        Module.griffwandlerMessage(UTF8ToString(text), UTF8ToString(address));
});

// Tells the page, which shows the program, what it needs to know.
EM_JS(void, notifyPage, (const char *what), {
    const hook = Module[UTF8ToString(what)];
    if (hook)
        hook();
});

// The page is the program's frame: the browser tab carries its title, and the
// browser's pointer shapes are all a page can show.
class WebPlatform final : public Platform {
public:
    void beforeStart() const override
    {
        // The pictures at twice the resolution come as a file of their own,
        // which the page fetches for a fine screen alone and hands over
        // before the start; without it the pictures are drawn at 1:1.
        const emscripten::val twins = emscripten::val::module_property("griffwandlerBilder2x");
        if (twins.isUndefined() || twins.isNull())
            return;
        static const std::vector<std::uint8_t> data =
            emscripten::convertJSArrayToNumberVector<std::uint8_t>(twins);
        QResource::registerResource(data.data());
    }

    Qt::WindowFlags dialogFlags() const override
    {
        // The tab is the frame; a title bar drawn inside the page would be a
        // second one. As a dialog, the window keeps its size: the toolkit
        // shows any other window filling the page.
        return Qt::Dialog | Qt::FramelessWindowHint;
    }

    void browserAufrufen(QWidget *owner, const QString &address) const override
    {
        Q_UNUSED(owner);
        const QByteArray utf8 = address.toUtf8();
        if (!openTab(utf8.constData()))
            showMessage(browserErrorText(address).toUtf8().constData(), utf8.constData());
    }

    bool pictureCursors() const override { return false; }

    // The tab shows the page's icon; a window has no title bar to show its own.
    bool windowIcons() const override { return false; }

    void windowShown(QWidget &window, const std::function<void()> &placeAgain) const override
    {
        // The toolkit's web platform puts a window shown for the first time
        // back where it was created, before the place it was given while
        // hidden: it is placed again, before its first frame. The viewport is
        // the screen; when it changes (a phone turned, the browser resized)
        // the window is centred in it again.
        if (QScreen *screen = window.screen())
            QObject::connect(screen, &QScreen::geometryChanged, &window, placeAgain);
        notifyPage("griffwandlerShown");
    }

    void programEnded() const override
    {
        // The page takes the window away and says so; the runtime then ends,
        // so that nothing of the program reacts any more.
        notifyPage("griffwandlerEnded");
        // From a call of its own: ending unwinds the stack, which must not
        // run through the toolkit's event handling.
        emscripten_async_call([](void *) { emscripten_force_exit(0); }, nullptr, 0);
    }
};

} // namespace

const Platform &platform()
{
    static const WebPlatform web;
    return web;
}

} // namespace griffwandler::services
