// The Wayland suite's helper client, two commands:
//   test_client backdrop OUTPUT   a transparent bottom-layer surface over all of OUTPUT that prints "ready"
//   once
//                                 it is shown and "press X Y" (surface coordinates) for each button pressed
//                                 on it
//   test_client click X Y W H     a virtual pointer moved to (X, Y) of a W x H layout, clicked with the left
//   button

#include <linux/input-event-codes.h>
#include <sys/mman.h>
#include <unistd.h>
#include <wayland-client.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>

#include "wlr-layer-shell-unstable-v1-client-protocol.h"
#include "wlr-virtual-pointer-unstable-v1-client-protocol.h"

namespace {

struct Client {
    wl_compositor* compositor = nullptr;
    wl_shm* shm = nullptr;
    zwlr_layer_shell_v1* layers = nullptr;
    zwlr_virtual_pointer_manager_v1* pointers = nullptr;
    wl_seat* seat = nullptr;
    wl_pointer* pointer = nullptr;
    wl_output* output = nullptr;  // the one named on the command line
    std::string wanted;
    wl_surface* surface = nullptr;
    double x = 0, y = 0;
};

void named(void* data, wl_output* output, const char* name) {
    auto& client = *static_cast<Client*>(data);
    if (client.wanted == name) client.output = output;
}

const wl_output_listener OUTPUT = {
    [](void*, wl_output*, int, int, int, int, int, const char*, const char*, int) {},
    [](void*, wl_output*, unsigned, int, int, int) {},
    [](void*, wl_output*) {},
    [](void*, wl_output*, int) {},
    named,
    [](void*, wl_output*, const char*) {}};

const wl_pointer_listener POINTER = {
    [](void* data, wl_pointer*, unsigned, wl_surface*, wl_fixed_t x, wl_fixed_t y) {
        static_cast<Client*>(data)->x = wl_fixed_to_double(x),
        static_cast<Client*>(data)->y = wl_fixed_to_double(y);
    },
    [](void*, wl_pointer*, unsigned, wl_surface*) {},
    [](void* data, wl_pointer*, unsigned, wl_fixed_t x, wl_fixed_t y) {
        static_cast<Client*>(data)->x = wl_fixed_to_double(x),
        static_cast<Client*>(data)->y = wl_fixed_to_double(y);
    },
    [](void* data, wl_pointer*, unsigned, unsigned, unsigned, unsigned state) {
        const auto& client = *static_cast<Client*>(data);
        if (state == WL_POINTER_BUTTON_STATE_PRESSED) std::printf("press %.0f %.0f\n", client.x, client.y);
        std::fflush(stdout);
    },
    [](void*, wl_pointer*, unsigned, unsigned, wl_fixed_t) {},
    [](void*, wl_pointer*) {},
    [](void*, wl_pointer*, unsigned) {},
    [](void*, wl_pointer*, unsigned, unsigned) {},
    [](void*, wl_pointer*, unsigned, int) {},
    [](void*, wl_pointer*, unsigned, int) {}};

void capabilities(void* data, wl_seat* seat, unsigned capabilities) {
    auto& client = *static_cast<Client*>(data);
    const bool pointer = (capabilities & WL_SEAT_CAPABILITY_POINTER) != 0;
    if (pointer && client.pointer == nullptr) {
        client.pointer = wl_seat_get_pointer(seat);
        wl_pointer_add_listener(client.pointer, &POINTER, data);
    } else if (!pointer && client.pointer != nullptr) {
        wl_pointer_release(client.pointer);  // the clicker went; the next one brings a pointer again
        client.pointer = nullptr;
    }
}

const wl_seat_listener SEAT = {capabilities, [](void*, wl_seat*, const char*) {}};

void global(void* data, wl_registry* registry, unsigned name, const char* interface, unsigned version) {
    auto& client = *static_cast<Client*>(data);
    const std::string kind = interface;
    if (kind == "wl_compositor") {
        client.compositor =
            static_cast<wl_compositor*>(wl_registry_bind(registry, name, &wl_compositor_interface, 4));
    } else if (kind == "wl_shm") {
        client.shm = static_cast<wl_shm*>(wl_registry_bind(registry, name, &wl_shm_interface, 1));
    } else if (kind == "zwlr_layer_shell_v1") {
        client.layers = static_cast<zwlr_layer_shell_v1*>(
            wl_registry_bind(registry, name, &zwlr_layer_shell_v1_interface, 1));
    } else if (kind == "zwlr_virtual_pointer_manager_v1") {
        client.pointers = static_cast<zwlr_virtual_pointer_manager_v1*>(
            wl_registry_bind(registry, name, &zwlr_virtual_pointer_manager_v1_interface, 1));
    } else if (kind == "wl_seat") {
        client.seat = static_cast<wl_seat*>(wl_registry_bind(registry, name, &wl_seat_interface, 5));
        wl_seat_add_listener(client.seat, &SEAT, data);
    } else if (kind == "wl_output" && version >= 4) {
        auto* output = static_cast<wl_output*>(wl_registry_bind(registry, name, &wl_output_interface, 4));
        wl_output_add_listener(output, &OUTPUT, data);
    }
}

const wl_registry_listener REGISTRY = {global, [](void*, wl_registry*, unsigned) {}};

// A fully transparent buffer of the surface's size.
void configured(void* data, zwlr_layer_surface_v1* layer, unsigned serial, unsigned width, unsigned height) {
    auto& client = *static_cast<Client*>(data);
    zwlr_layer_surface_v1_ack_configure(layer, serial);
    const int size = static_cast<int>(width * height * 4);
    const int fd = memfd_create("backdrop", MFD_CLOEXEC);
    if (ftruncate(fd, size) != 0) std::exit(1);
    wl_shm_pool* pool = wl_shm_create_pool(client.shm, fd, size);
    wl_buffer* buffer = wl_shm_pool_create_buffer(pool, 0, static_cast<int>(width), static_cast<int>(height),
                                                  static_cast<int>(width * 4), WL_SHM_FORMAT_ARGB8888);
    wl_shm_pool_destroy(pool);
    close(fd);
    wl_surface_attach(client.surface, buffer, 0, 0);
    wl_surface_damage_buffer(client.surface, 0, 0, static_cast<int>(width), static_cast<int>(height));
    wl_surface_commit(client.surface);
}

const zwlr_layer_surface_v1_listener LAYER = {configured,
                                              [](void*, zwlr_layer_surface_v1*) { std::exit(0); }};

void pause_ms(int ms) {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

}  // namespace

int main(int argc, char** argv) {
    const std::string command = argc > 1 ? argv[1] : "";
    wl_display* display = wl_display_connect(nullptr);
    if (display == nullptr || !((command == "backdrop" && argc == 3) || (command == "click" && argc == 6))) {
        std::fprintf(stderr,
                     "usage: test_client backdrop OUTPUT | click X Y W H (with WAYLAND_DISPLAY set)\n");
        return 2;
    }
    Client client;
    client.wanted = argv[2];
    wl_registry_add_listener(wl_display_get_registry(display), &REGISTRY, &client);
    wl_display_roundtrip(display);
    wl_display_roundtrip(display);
    if (command == "click") {
        auto* pointer = zwlr_virtual_pointer_manager_v1_create_virtual_pointer(client.pointers, nullptr);
        wl_display_roundtrip(display);
        pause_ms(200);  // the seat gains a pointer: its clients take theirs
        const auto at = [&](int i) { return static_cast<unsigned>(std::atoi(argv[i])); };
        zwlr_virtual_pointer_v1_motion_absolute(pointer, 0, at(2), at(3), at(4), at(5));
        zwlr_virtual_pointer_v1_frame(pointer);
        wl_display_roundtrip(display);
        pause_ms(50);
        for (const auto state : {WL_POINTER_BUTTON_STATE_PRESSED, WL_POINTER_BUTTON_STATE_RELEASED}) {
            zwlr_virtual_pointer_v1_button(pointer, 0, BTN_LEFT, state);
            zwlr_virtual_pointer_v1_frame(pointer);
        }
        wl_display_roundtrip(display);
        return 0;
    }
    if (client.output == nullptr) return 1;
    client.surface = wl_compositor_create_surface(client.compositor);
    auto* layer = zwlr_layer_shell_v1_get_layer_surface(client.layers, client.surface, client.output,
                                                        ZWLR_LAYER_SHELL_V1_LAYER_BOTTOM, "backdrop");
    zwlr_layer_surface_v1_set_anchor(
        layer, ZWLR_LAYER_SURFACE_V1_ANCHOR_TOP | ZWLR_LAYER_SURFACE_V1_ANCHOR_BOTTOM |
                   ZWLR_LAYER_SURFACE_V1_ANCHOR_LEFT | ZWLR_LAYER_SURFACE_V1_ANCHOR_RIGHT);
    zwlr_layer_surface_v1_add_listener(layer, &LAYER, &client);
    wl_surface_commit(client.surface);
    wl_display_roundtrip(display);
    wl_display_roundtrip(display);
    std::printf("ready\n");
    std::fflush(stdout);
    while (wl_display_dispatch(display) >= 0) {
    }
    return 0;
}
