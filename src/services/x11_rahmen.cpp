#include "x11_rahmen.h"

#include <xcb/xcb.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string_view>
#include <thread>

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

std::optional<Rahmen> frameExtents(xcb_connection_t *connection, xcb_window_t window,
                                   xcb_atom_t extents)
{
    const Reply<xcb_get_property_reply_t> reply(xcb_get_property_reply(
        connection, xcb_get_property(connection, 0, window, extents, XCB_ATOM_CARDINAL, 0, 4),
        nullptr));
    if (!reply || reply->type != XCB_ATOM_CARDINAL || reply->format != 32 ||
        xcb_get_property_value_length(reply.get()) != 16)
        return std::nullopt;
    Rahmen rahmen{};
    std::memcpy(rahmen.data(), xcb_get_property_value(reply.get()), sizeof rahmen);
    return rahmen;
}

} // namespace

std::optional<Rahmen> erwarteterRahmen(xcb_connection_t *connection, std::uint32_t window,
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
