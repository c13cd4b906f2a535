// Presses keys in a KWin Wayland session as a keyboard would, through KWin's
// fake-input protocol, for the Wayland tests: all keys go down in the order
// given and come up in the reverse order.
//
//   wayland_keys CODE...
//
// CODE is a Linux input key code (42 left Shift, 56 left Alt, 4 the key 3,
// 18 E). The compositor is the one WAYLAND_DISPLAY names. Exit status 0 once
// the compositor has taken the keys, 1 when it offers no fake input with keys.

#include "fake-input-client-protocol.h"

#include <wayland-client.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

// The protocol's version that brought keys.
constexpr std::uint32_t KeysSince = 4;

struct Gefunden {
    org_kde_kwin_fake_input *input = nullptr;
};

void global(void *data, wl_registry *registry, std::uint32_t name, const char *interface,
            std::uint32_t version)
{
    auto *gefunden = static_cast<Gefunden *>(data);
    if (std::strcmp(interface, org_kde_kwin_fake_input_interface.name) == 0 && version >= KeysSince)
        gefunden->input = static_cast<org_kde_kwin_fake_input *>(
            wl_registry_bind(registry, name, &org_kde_kwin_fake_input_interface, KeysSince));
}

void globalRemove(void *, wl_registry *, std::uint32_t) {}

} // namespace

int main(int argc, char *argv[])
{
    std::vector<std::uint32_t> codes;
    for (int i = 1; i < argc; ++i)
        codes.push_back(static_cast<std::uint32_t>(std::strtoul(argv[i], nullptr, 10)));
    wl_display *display = wl_display_connect(nullptr);
    if (!display) {
        std::fputs("wayland_keys: no Wayland compositor to connect to\n", stderr);
        return 1;
    }
    Gefunden gefunden;
    const wl_registry_listener listener{global, globalRemove};
    wl_registry *registry = wl_display_get_registry(display);
    wl_registry_add_listener(registry, &listener, &gefunden);
    wl_display_roundtrip(display);
    if (!gefunden.input) {
        std::fputs("wayland_keys: the compositor offers no fake input with keys\n", stderr);
        wl_display_disconnect(display);
        return 1;
    }
    org_kde_kwin_fake_input_authenticate(gefunden.input, "griffwandler tests",
                                         "keys for the end-to-end test");
    for (const std::uint32_t code : codes)
        org_kde_kwin_fake_input_keyboard_key(gefunden.input, code, WL_KEYBOARD_KEY_STATE_PRESSED);
    for (auto code = codes.rbegin(); code != codes.rend(); ++code)
        org_kde_kwin_fake_input_keyboard_key(gefunden.input, *code, WL_KEYBOARD_KEY_STATE_RELEASED);
    wl_display_roundtrip(display);
    org_kde_kwin_fake_input_destroy(gefunden.input);
    wl_registry_destroy(registry);
    wl_display_disconnect(display);
    return 0;
}
