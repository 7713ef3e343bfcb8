// The Wayland suite's helper client, two commands:
//   test_client backdrop OUTPUT   a transparent bottom-layer surface over all of OUTPUT that prints "ready"
//   once
//                                 it is shown and "press X Y" (surface coordinates) for each button pressed
//                                 on it
//   test_client click X Y W H     a virtual pointer moved to (X, Y) of a W x H layout, clicked with the left
//   button
// Every event goes to one dispatcher, by interface and opcode.

#include <linux/input-event-codes.h>
#include <sys/mman.h>
#include <unistd.h>
#include <wayland-client.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <thread>

#include "wlr-layer-shell-unstable-v1-client-protocol.h"
#include "wlr-virtual-pointer-unstable-v1-client-protocol.h"

namespace {

// Event opcodes, in the order of the protocols' event lists.
constexpr std::uint32_t OUTPUT_NAME = 4, POINTER_ENTER = 0, POINTER_MOTION = 2, POINTER_BUTTON = 3;

struct Client {
    wl_registry* registry = nullptr;
    std::map<std::string, std::uint32_t> globals;  // by interface: the name
    std::string wanted;                            // the output to cover
    wl_output* output = nullptr;
    wl_shm* shm = nullptr;
    wl_surface* surface = nullptr;
    wl_pointer* pointer = nullptr;
    double x = 0, y = 0;
};

template <class T>
T* bind(Client& client, const wl_interface& interface, std::uint32_t version, std::uint32_t name = 0);

int dispatch(const void* data, void* target, std::uint32_t opcode, const wl_message*, wl_argument* args);

template <class T>
T* listened(Client& client, T* object) {
    wl_proxy_add_dispatcher(reinterpret_cast<wl_proxy*>(object), dispatch, &client, nullptr);
    return object;
}

template <class T>
T* bind(Client& client, const wl_interface& interface, std::uint32_t version, std::uint32_t name) {
    if (name == 0) name = client.globals.at(interface.name);
    return listened(client, static_cast<T*>(wl_registry_bind(client.registry, name, &interface, version)));
}

// A fully transparent buffer of the surface's size.
void configured(Client& client, zwlr_layer_surface_v1* layer, std::uint32_t serial, int width, int height) {
    zwlr_layer_surface_v1_ack_configure(layer, serial);
    const int fd = memfd_create("backdrop", MFD_CLOEXEC);
    if (ftruncate(fd, width * height * 4) != 0) std::exit(1);
    wl_shm_pool* pool = wl_shm_create_pool(client.shm, fd, width * height * 4);
    wl_buffer* buffer = wl_shm_pool_create_buffer(pool, 0, width, height, width * 4, WL_SHM_FORMAT_ARGB8888);
    wl_shm_pool_destroy(pool);
    close(fd);
    wl_surface_attach(client.surface, buffer, 0, 0);
    wl_surface_damage_buffer(client.surface, 0, 0, width, height);
    wl_surface_commit(client.surface);
}

int dispatch(const void* data, void* target, std::uint32_t opcode, const wl_message*, wl_argument* args) {
    auto& client = *static_cast<Client*>(const_cast<void*>(data));
    const std::string kind = wl_proxy_get_class(static_cast<wl_proxy*>(target));
    if (kind == "wl_registry" && opcode == 0) {
        client.globals[args[1].s] = args[0].u;
        if (std::string(args[1].s) == "wl_output" && args[2].u >= 4)
            bind<wl_output>(client, wl_output_interface, 4, args[0].u);
    } else if (kind == "wl_output" && opcode == OUTPUT_NAME && client.wanted == args[0].s) {
        client.output = static_cast<wl_output*>(target);
    } else if (kind == "wl_seat" && opcode == 0) {
        const bool pointer = (args[0].u & WL_SEAT_CAPABILITY_POINTER) != 0;
        if (pointer && client.pointer == nullptr) {
            client.pointer = listened(client, wl_seat_get_pointer(static_cast<wl_seat*>(target)));
        } else if (!pointer && client.pointer != nullptr) {
            wl_pointer_release(client.pointer);  // the clicker went; the next one brings a pointer again
            client.pointer = nullptr;
        }
    } else if (kind == "wl_pointer" && (opcode == POINTER_ENTER || opcode == POINTER_MOTION)) {
        const int at = opcode == POINTER_ENTER ? 2 : 1;
        client.x = wl_fixed_to_double(args[at].f), client.y = wl_fixed_to_double(args[at + 1].f);
    } else if (kind == "wl_pointer" && opcode == POINTER_BUTTON &&
               args[3].u == WL_POINTER_BUTTON_STATE_PRESSED) {
        std::printf("press %.0f %.0f\n", client.x, client.y);
        std::fflush(stdout);
    } else if (kind == "zwlr_layer_surface_v1") {
        if (opcode != 0) std::exit(0);  // closed
        configured(client, static_cast<zwlr_layer_surface_v1*>(target), args[0].u,
                   static_cast<int>(args[1].u), static_cast<int>(args[2].u));
    }
    return 0;
}

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
    client.registry = listened(client, wl_display_get_registry(display));
    wl_display_roundtrip(display);
    if (command == "click") {
        auto* pointer = zwlr_virtual_pointer_manager_v1_create_virtual_pointer(
            bind<zwlr_virtual_pointer_manager_v1>(client, zwlr_virtual_pointer_manager_v1_interface, 1),
            nullptr);
        wl_display_roundtrip(display);
        pause_ms(200);  // the seat gains a pointer: its clients take theirs
        const auto at = [&](int i) { return static_cast<std::uint32_t>(std::atoi(argv[i])); };
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
    auto* compositor = bind<wl_compositor>(client, wl_compositor_interface, 4);
    client.shm = bind<wl_shm>(client, wl_shm_interface, 1);
    bind<wl_seat>(client, wl_seat_interface, 5);
    wl_display_roundtrip(display);
    if (client.output == nullptr) return 1;
    client.surface = wl_compositor_create_surface(compositor);
    auto* layer =
        listened(client, zwlr_layer_shell_v1_get_layer_surface(
                             bind<zwlr_layer_shell_v1>(client, zwlr_layer_shell_v1_interface, 1),
                             client.surface, client.output, ZWLR_LAYER_SHELL_V1_LAYER_BOTTOM, "backdrop"));
    zwlr_layer_surface_v1_set_anchor(
        layer, ZWLR_LAYER_SURFACE_V1_ANCHOR_TOP | ZWLR_LAYER_SURFACE_V1_ANCHOR_BOTTOM |
                   ZWLR_LAYER_SURFACE_V1_ANCHOR_LEFT | ZWLR_LAYER_SURFACE_V1_ANCHOR_RIGHT);
    wl_surface_commit(client.surface);
    wl_display_roundtrip(display);
    wl_display_roundtrip(display);
    std::printf("ready\n");
    std::fflush(stdout);
    while (wl_display_dispatch(display) >= 0) {
    }
    return 0;
}
