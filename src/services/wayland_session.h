#pragma once

// What a Wayland session of the Linux desktop needs beyond the toolkit: the
// choice between the compositor itself and its X11 server (XWayland), and the
// window's title as the compositor shows it. Used by the freedesktop platform.

class QWindow;

namespace griffwandler::services::wayland {

// Before the toolkit starts: under GNOME on Wayland the program runs as a
// client of GNOME's X11 server. GNOME draws no frames for Wayland windows, so
// the toolkit would draw its own, with minimize and maximize boxes that a
// fixed window must not have, and a Wayland window cannot ask for a place, so
// GNOME puts it where it likes (the screen's corner while the overview is
// open). As an X11 client the window gets GNOME's own frame with a close box
// only, places itself and completes the desktop's startup notification. A
// platform that the user or the session named stands.
void chooseWindowSystem();

// Once the toolkit has started: the choice is taken out of the environment
// again, so that programs started from this one (the browser) choose for
// themselves.
void undoChoice();

// The toolkit hands the compositor the program's name as the title of a
// window without one; this sends the empty title that the window has. For a
// window that has just been shown natively on Wayland; elsewhere nothing.
void clearTitle(QWindow &window);

} // namespace griffwandler::services::wayland
