#pragma once

#include "placement_rule.h"

#include <QMarginsF>
#include <QString>

#include <functional>

class QWidget;

namespace griffwandler::services {

// What the program needs of the platform it runs on. The members' own bodies
// use the toolkit alone and serve any platform that needs nothing more; a
// platform that can do better overrides them in its own file, and the build
// picks exactly one such file, which defines platform().
class Platform {
public:
    virtual ~Platform() = default;

    // Settings the toolkit must find before it starts: called before the
    // application object exists.
    virtual void beforeStart() const {}

    // Whether `message`, said by the toolkit while it opened the window
    // system, means that no display could be reached at all.
    virtual bool isNoDisplayMessage(const QString &message) const
    {
        Q_UNUSED(message);
        return false;
    }

    // The window flags of a top-level window with a fixed dialog frame, a
    // title bar and a close box, without minimize and maximize boxes.
    virtual Qt::WindowFlags dialogFlags() const;

    // Whether a top-level window can place itself on the screen at all. Where
    // the window system places every window itself, it cannot, and nothing is
    // computed or asked for it.
    virtual bool canPlaceWindows() const { return true; }

    // How the top-level `window`, not shown yet, is to ask for the place that
    // `rule` gives it.
    struct Placement {
        // The window system itself puts a window that asks for no place where
        // the rule would put it; the window then asks for none.
        bool leftToSystem = false;
        // The frame (title bar included) to allow for, in the toolkit's
        // pixels: the outer rectangle is the client area grown by it. None
        // where the window system keeps the frame's point that the rule names
        // (per axis its low edge, middle or high edge) where the window asks
        // for that point of its client area: the frame's size is no matter
        // then, known or not.
        QMarginsF frame;
    };
    virtual Placement preparePlacement(QWidget &window, PlacementRule rule) const;

    // Shows the top-level `window` for the first time; `show` is the
    // toolkit's own show. A platform that must tell the window system more of
    // the window than the toolkit does, exactly as it appears, does so around
    // that call.
    virtual void showFirstTime(QWidget &window, const std::function<void()> &show) const;

    // Gives the top-level `window` a sunken edge around its client area,
    // present from its first show, brings it to the top and makes it the
    // active window with the keyboard focus; a window not shown yet becomes
    // active as it is shown.
    virtual void dickenRandSetzen(QWidget &window) const;

    // Hands `address` to the user's default handler for web addresses, with
    // `owner` (may be null) as the owner of any message about it; returns
    // once it is handed on. A failure the platform would keep silent is told
    // to the user (showBrowserError).
    virtual void browserAufrufen(QWidget *owner, const QString &address) const;

    // Whether a mouse pointer can show a picture of its own; where it cannot,
    // a standard shape stands in.
    virtual bool pictureCursors() const { return true; }

    // Whether the window system shows a window's icon (title bar, task bar,
    // task switcher); where none does, the program need not carry one.
    virtual bool windowIcons() const { return true; }

    // The top-level `window` has just been shown for the first time;
    // `placeAgain` places it anew, for a platform whose screen can change
    // under a shown window.
    virtual void windowShown(QWidget &window, const std::function<void()> &placeAgain) const
    {
        Q_UNUSED(window);
        Q_UNUSED(placeAgain);
    }

    // The program's last window has closed: the program ends. Where the
    // process does not end by itself (a web page), the platform ends it here.
    virtual void programEnded() const {}
};

// The platform this program was built for.
const Platform &platform();

} // namespace griffwandler::services
