// Watches the top-level window of a process come onto the screen, for the
// window-manager tests: when it is first shown and whether it moves afterwards.
//
//   window_watch PID START_MS LIMIT_MS WATCH_MS
//
// START_MS is the process's start on the clock of CLOCK_REALTIME, in ms. Looks
// every millisecond for a viewable window with _NET_WM_PID = PID that stands in
// a frame (the outermost window around it below the root) at least as large
// as itself, read twice alike: a manager may map its frame before it gives it
// its place and size (KWin maps it at 1 x 1 pixel in the corner), and such a
// window is not to be seen yet. Prints
//   shown MS WINDOW X Y W H FX FY FW FH   (client and frame on the screen)
// and then, for WATCH_MS, a line "moved MS X Y FX FY" for each change of
// place. Exit status 0 once it has watched, 1 when no window was shown.

#include <xcb/xcb.h>

#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <thread>

namespace {

struct FreeReply {
    void operator()(void *reply) const { std::free(reply); }
};
template <typename T> using Reply = std::unique_ptr<T, FreeReply>;

xcb_connection_t *connection;
xcb_window_t root;
xcb_atom_t pidAtom;

long long nowMs()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
}

struct Place {
    int x, y, w, h, fx, fy, fw, fh;
    bool operator==(const Place &) const = default;
};

std::optional<std::array<int, 4>> onScreen(xcb_window_t window)
{
    const Reply<xcb_get_geometry_reply_t> geometry(
        xcb_get_geometry_reply(connection, xcb_get_geometry(connection, window), nullptr));
    const Reply<xcb_translate_coordinates_reply_t> corner(xcb_translate_coordinates_reply(
        connection, xcb_translate_coordinates(connection, window, root, 0, 0), nullptr));
    if (!geometry || !corner)
        return std::nullopt;
    return std::array<int, 4>{corner->dst_x, corner->dst_y, geometry->width, geometry->height};
}

xcb_window_t outermost(xcb_window_t window)
{
    for (;;) {
        const Reply<xcb_query_tree_reply_t> tree(
            xcb_query_tree_reply(connection, xcb_query_tree(connection, window), nullptr));
        if (!tree || tree->parent == root || tree->parent == XCB_WINDOW_NONE)
            return window;
        window = tree->parent;
    }
}

bool viewableOf(xcb_window_t window, unsigned pid)
{
    const Reply<xcb_get_window_attributes_reply_t> attributes(xcb_get_window_attributes_reply(
        connection, xcb_get_window_attributes(connection, window), nullptr));
    if (!attributes || attributes->map_state != XCB_MAP_STATE_VIEWABLE)
        return false;
    const Reply<xcb_get_property_reply_t> property(xcb_get_property_reply(
        connection, xcb_get_property(connection, 0, window, pidAtom, XCB_ATOM_CARDINAL, 0, 1),
        nullptr));
    return property && xcb_get_property_value_length(property.get()) == 4 &&
           *static_cast<const unsigned *>(xcb_get_property_value(property.get())) == pid;
}

// The process's viewable window, searched three levels below the root (the
// root's children, the frames' children, the wrappers' children).
xcb_window_t find(xcb_window_t parent, unsigned pid, int depth)
{
    const Reply<xcb_query_tree_reply_t> tree(
        xcb_query_tree_reply(connection, xcb_query_tree(connection, parent), nullptr));
    if (!tree)
        return XCB_WINDOW_NONE;
    const xcb_window_t *children = xcb_query_tree_children(tree.get());
    const int count = xcb_query_tree_children_length(tree.get());
    for (int i = count - 1; i >= 0; --i) {
        if (viewableOf(children[i], pid)) {
            const auto size = onScreen(children[i]);
            if (size && (*size)[2] > 1 && (*size)[3] > 1)
                return children[i];
        }
        if (depth > 0)
            if (const xcb_window_t found = find(children[i], pid, depth - 1))
                return found;
    }
    return XCB_WINDOW_NONE;
}

std::optional<Place> place(xcb_window_t window, xcb_window_t frame)
{
    const auto before = onScreen(frame);
    const auto client = onScreen(window);
    const auto after = onScreen(frame);
    if (!before || !client || before != after)
        return std::nullopt;
    const auto [x, y, w, h] = *client;
    const auto [fx, fy, fw, fh] = *before;
    return Place{x, y, w, h, fx, fy, fw, fh};
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 5) {
        std::fprintf(stderr, "usage: window_watch PID START_MS LIMIT_MS WATCH_MS\n");
        return 2;
    }
    const unsigned pid = unsigned(std::strtoul(argv[1], nullptr, 10));
    const long long start = std::atoll(argv[2]);
    const long long limit = std::atoll(argv[3]);
    const long long watch = std::atoll(argv[4]);
    connection = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(connection))
        return 2;
    root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    const Reply<xcb_intern_atom_reply_t> atom(xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 0, 11, "_NET_WM_PID"), nullptr));
    pidAtom = atom ? atom->atom : xcb_atom_t(XCB_ATOM_NONE);

    xcb_window_t window = XCB_WINDOW_NONE, frame = XCB_WINDOW_NONE;
    std::optional<Place> first;
    while (!first && nowMs() - start < limit) {
        window = find(root, pid, 3);
        if (window) {
            frame = outermost(window);
            first = place(window, frame);
            if (first && (first->fw < first->w || first->fh < first->h))
                first.reset();
        }
        if (!first)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    if (!first)
        return 1;
    const long long shown = nowMs();
    std::printf("shown %lld 0x%x %d %d %d %d %d %d %d %d\n", shown - start, window, first->x,
                first->y, first->w, first->h, first->fx, first->fy, first->fw, first->fh);
    std::fflush(stdout);
    Place last = *first;
    while (nowMs() - shown < watch) {
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
        const auto now = place(window, frame);
        if (now && !(*now == last)) {
            std::printf("moved %lld %d %d %d %d\n", nowMs() - start, now->x, now->y, now->fx,
                        now->fy);
            last = *now;
        }
    }
    return 0;
}
