// Types keys into KWin or moves its pointer the way remote-input tools do,
// through its fake input protocol: `FakeInput CODE...` presses the Linux key
// codes in order and lets them go in reverse (29 56 24 is Control+Alt+O);
// `FakeInput --pointer X Y` puts the pointer at (X, Y) of the workspace;
// `FakeInput --follow` does so for every "X Y" line it reads, and keeps its
// device (and so the seat's pointer) until its input ends. KWin
// serves the protocol only to programs whose desktop entry lists
// org_kde_kwin_fake_input.

#include "fake-input-client-protocol.h"

#include <wayland-client.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

org_kde_kwin_fake_input *fakeInput = nullptr;

void announce(void *, wl_registry *registry, uint32_t name, const char *interface, uint32_t)
{
    if (std::strcmp(interface, org_kde_kwin_fake_input_interface.name) == 0)
        fakeInput = static_cast<org_kde_kwin_fake_input *>(
            wl_registry_bind(registry, name, &org_kde_kwin_fake_input_interface, 4));
}

void withdraw(void *, wl_registry *, uint32_t) { }

void typeKeys(int argc, char **argv)
{
    std::vector<uint32_t> keys;
    for (int i = 1; i < argc; ++i)
        keys.push_back(uint32_t(std::strtoul(argv[i], nullptr, 10)));
    for (uint32_t key : keys)
        org_kde_kwin_fake_input_keyboard_key(fakeInput, key, WL_KEYBOARD_KEY_STATE_PRESSED);
    for (auto it = keys.rbegin(); it != keys.rend(); ++it)
        org_kde_kwin_fake_input_keyboard_key(fakeInput, *it, WL_KEYBOARD_KEY_STATE_RELEASED);
}

const wl_registry_listener registryListener {announce, withdraw};

} // namespace

int main(int argc, char **argv)
{
    wl_display *display = wl_display_connect(nullptr);
    if (!display)
        return 2;
    wl_registry *registry = wl_display_get_registry(display);
    wl_registry_add_listener(registry, &registryListener, nullptr);
    wl_display_roundtrip(display);
    if (!fakeInput)
        return 3;
    org_kde_kwin_fake_input_authenticate(fakeInput, "Solitask tests", "test input");
    if (argc == 2 && std::strcmp(argv[1], "--follow") == 0) {
        int x = 0, y = 0;
        while (std::scanf("%d %d", &x, &y) == 2) {
            org_kde_kwin_fake_input_pointer_motion_absolute(
                fakeInput, wl_fixed_from_int(x), wl_fixed_from_int(y));
            if (wl_display_roundtrip(display) < 0)
                return 4;
            std::printf("moved\n");
            std::fflush(stdout);
        }
    } else if (argc == 4 && std::strcmp(argv[1], "--pointer") == 0)
        org_kde_kwin_fake_input_pointer_motion_absolute(fakeInput,
            wl_fixed_from_int(std::atoi(argv[2])), wl_fixed_from_int(std::atoi(argv[3])));
    else
        typeKeys(argc, argv);
    const int status = wl_display_roundtrip(display) < 0 ? 4 : 0;
    wl_display_disconnect(display);
    return status;
}
