#include "x11_frame.h"

#include <xcb/xcb.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string_view>
#include <thread>
#include <vector>

namespace griffwandler::services::x11 {

namespace {

struct FreeReply {
    void operator()(void *reply) const { std::free(reply); }
};
template <typename T> using Reply = std::unique_ptr<T, FreeReply>;

xcb_atom_t atom(xcb_connection_t *connection, std::string_view name)
{
    const Reply<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(
        connection,
        xcb_intern_atom(connection, 1, static_cast<std::uint16_t>(name.size()), name.data()),
        nullptr));
    return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

xcb_window_t rootOf(xcb_connection_t *connection, xcb_window_t window)
{
    const Reply<xcb_get_geometry_reply_t> reply(
        xcb_get_geometry_reply(connection, xcb_get_geometry(connection, window), nullptr));
    return reply ? reply->root : xcb_window_t(XCB_WINDOW_NONE);
}

bool supportedByWindowManager(xcb_connection_t *connection, xcb_window_t root, xcb_atom_t wanted)
{
    const xcb_atom_t supported = atom(connection, "_NET_SUPPORTED");
    const Reply<xcb_get_property_reply_t> reply(xcb_get_property_reply(
        connection, xcb_get_property(connection, 0, root, supported, XCB_ATOM_ATOM, 0, 4096),
        nullptr));
    if (!reply || reply->type != XCB_ATOM_ATOM || reply->format != 32)
        return false;
    const auto *atoms = static_cast<const xcb_atom_t *>(xcb_get_property_value(reply.get()));
    const int count = xcb_get_property_value_length(reply.get()) / 4;
    return std::find(atoms, atoms + count, wanted) != atoms + count;
}

std::optional<FrameExtents> frameExtents(xcb_connection_t *connection, xcb_window_t window,
                                         xcb_atom_t extents)
{
    const Reply<xcb_get_property_reply_t> reply(xcb_get_property_reply(
        connection, xcb_get_property(connection, 0, window, extents, XCB_ATOM_CARDINAL, 0, 4),
        nullptr));
    if (!reply || reply->type != XCB_ATOM_CARDINAL || reply->format != 32 ||
        xcb_get_property_value_length(reply.get()) != 16)
        return std::nullopt;
    FrameExtents frame{};
    std::memcpy(frame.data(), xcb_get_property_value(reply.get()), sizeof frame);
    return frame;
}

// A property of 32-bit words, or nothing when it is missing or of another type.
std::optional<std::vector<std::uint32_t>> words(xcb_connection_t *connection, xcb_window_t window,
                                                xcb_atom_t property, xcb_atom_t type,
                                                std::uint32_t count)
{
    const Reply<xcb_get_property_reply_t> reply(xcb_get_property_reply(
        connection, xcb_get_property(connection, 0, window, property, type, 0, count), nullptr));
    if (!reply || reply->type != type || reply->format != 32)
        return std::nullopt;
    const auto *values = static_cast<const std::uint32_t *>(xcb_get_property_value(reply.get()));
    return std::vector<std::uint32_t>(values,
                                      values + xcb_get_property_value_length(reply.get()) / 4);
}

// The window that a running EWMH manager names as its own; it names itself too.
xcb_window_t checkWindow(xcb_connection_t *connection, xcb_window_t root)
{
    const xcb_atom_t check = atom(connection, "_NET_SUPPORTING_WM_CHECK");
    const auto fromRoot = words(connection, root, check, XCB_ATOM_WINDOW, 1);
    if (!fromRoot || fromRoot->empty())
        return XCB_WINDOW_NONE;
    const auto fromItself = words(connection, fromRoot->front(), check, XCB_ATOM_WINDOW, 1);
    return fromItself && !fromItself->empty() && fromItself->front() == fromRoot->front()
               ? fromRoot->front()
               : xcb_window_t(XCB_WINDOW_NONE);
}

// Holds the server for this connection alone while it lives.
class ServerGrab {
public:
    explicit ServerGrab(xcb_connection_t *connection) : m_connection(connection)
    {
        xcb_grab_server(m_connection);
    }
    ~ServerGrab()
    {
        xcb_ungrab_server(m_connection);
        xcb_flush(m_connection);
    }
    ServerGrab(const ServerGrab &) = delete;
    ServerGrab &operator=(const ServerGrab &) = delete;

private:
    xcb_connection_t *m_connection;
};

} // namespace

std::optional<FrameExtents> expectedFrame(xcb_connection_t *connection, std::uint32_t window,
                                          int waitMilliseconds)
{
    if (!connection || xcb_connection_has_error(connection) || window == XCB_WINDOW_NONE)
        return std::nullopt;
    const xcb_window_t root = rootOf(connection, window);
    const xcb_atom_t extents = atom(connection, "_NET_FRAME_EXTENTS");
    const xcb_atom_t request = atom(connection, "_NET_REQUEST_FRAME_EXTENTS");
    if (root == XCB_WINDOW_NONE || extents == XCB_ATOM_NONE || request == XCB_ATOM_NONE)
        return std::nullopt;

    // A mapped window, or one the manager has already answered for.
    if (auto known = frameExtents(connection, window, extents))
        return known;
    if (!supportedByWindowManager(connection, root, request))
        return std::nullopt;

    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = window;
    message.type = request;
    xcb_send_event(connection, 0, root,
                   XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                   reinterpret_cast<const char *>(&message));
    xcb_flush(connection);

    // The manager sets the property in reply; each look is one round trip.
    using namespace std::chrono;
    const auto deadline = steady_clock::now() + milliseconds(waitMilliseconds);
    for (;;) {
        if (auto answered = frameExtents(connection, window, extents))
            return answered;
        if (steady_clock::now() >= deadline)
            return std::nullopt;
        std::this_thread::sleep_for(milliseconds(1));
    }
}

} // namespace griffwandler::services::x11

namespace griffwandler::services::x11 {

WindowManager windowManager(xcb_connection_t *connection, std::uint32_t window)
{
    WindowManager manager;
    if (!connection || xcb_connection_has_error(connection) || window == XCB_WINDOW_NONE)
        return manager;
    const xcb_window_t root = rootOf(connection, window);
    if (root == XCB_WINDOW_NONE)
        return manager;
    // Only one client can select SubstructureRedirect on the root window, and
    // the one that does is the window manager, whether it speaks EWMH or not.
    const Reply<xcb_get_window_attributes_reply_t> attributes(xcb_get_window_attributes_reply(
        connection, xcb_get_window_attributes(connection, root), nullptr));
    manager.running =
        attributes && (attributes->all_event_masks & XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT) != 0;
    if (!manager.running)
        return manager;
    if (const xcb_window_t check = checkWindow(connection, root); check != XCB_WINDOW_NONE) {
        const xcb_atom_t name = atom(connection, "_NET_WM_NAME");
        const xcb_atom_t utf8 = atom(connection, "UTF8_STRING");
        const Reply<xcb_get_property_reply_t> reply(xcb_get_property_reply(
            connection, xcb_get_property(connection, 0, check, name, utf8, 0, 64), nullptr));
        if (reply && reply->type == utf8 && reply->format == 8)
            manager.name.assign(static_cast<const char *>(xcb_get_property_value(reply.get())),
                                std::size_t(xcb_get_property_value_length(reply.get())));
    }
    return manager;
}

void showWithGravity(xcb_connection_t *connection, std::uint32_t window, Gravity gravity,
                     const std::function<void()> &show)
{
    if (!connection || xcb_connection_has_error(connection)) {
        show();
        return;
    }
    // WM_SIZE_HINTS: flags, four obsolete words, then the sizes; the gravity
    // is the last of its eighteen words, in use with the flag PWinGravity.
    constexpr std::uint32_t HintWords = 18;
    constexpr std::uint32_t PWinGravity = 1u << 9;
    ServerGrab grab(connection);
    show();
    auto hints =
        words(connection, window, XCB_ATOM_WM_NORMAL_HINTS, XCB_ATOM_WM_SIZE_HINTS, HintWords)
            .value_or(std::vector<std::uint32_t>{});
    hints.resize(HintWords, 0);
    hints[0] |= PWinGravity;
    hints[HintWords - 1] = static_cast<std::uint32_t>(gravity);
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, window, XCB_ATOM_WM_NORMAL_HINTS,
                        XCB_ATOM_WM_SIZE_HINTS, 32, HintWords, hints.data());
}

void askForPlace(xcb_connection_t *connection, std::uint32_t window, Point place)
{
    if (!connection || xcb_connection_has_error(connection))
        return;
    // The values of a request are 32-bit words; coordinates are signed.
    const std::uint32_t values[] = {std::uint32_t(place.x), std::uint32_t(place.y)};
    xcb_configure_window(connection, window, XCB_CONFIG_WINDOW_X | XCB_CONFIG_WINDOW_Y, values);
    xcb_flush(connection);
}

void clearTitle(xcb_connection_t *connection, std::uint32_t window)
{
    if (!connection || xcb_connection_has_error(connection))
        return;
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, window, atom(connection, "_NET_WM_NAME"),
                        atom(connection, "UTF8_STRING"), 8, 0, nullptr);
}

} // namespace griffwandler::services::x11
