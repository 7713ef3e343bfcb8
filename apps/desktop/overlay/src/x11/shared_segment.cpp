#include "x11/shared_segment.hpp"

#include <sys/ipc.h>
#include <sys/shm.h>

#include <cstdint>

namespace tolmin::x11 {

std::unique_ptr<SharedSegment> SharedSegment::make(const Connection& connection, std::size_t bytes) {
    if (!connection.has(&xcb_shm_id)) return nullptr;
    const int shmid = shmget(IPC_PRIVATE, bytes, IPC_CREAT | 0600);
    if (shmid < 0) return nullptr;
    void* mapped = shmat(shmid, nullptr, 0);
    const bool attached = reinterpret_cast<std::intptr_t>(mapped) != -1;  // shmat fails with (void*)-1
    xcb_connection_t* c = connection.get();
    const xcb_shm_seg_t id = xcb_generate_id(c);
    Reply<xcb_generic_error_t> refused;
    if (attached) {
        refused.reset(
            xcb_request_check(c, xcb_shm_attach_checked(c, id, static_cast<std::uint32_t>(shmid), 1)));
    }
    // Both sides have it mapped now (or never will): removal waits until both let go.
    (void)shmctl(shmid, IPC_RMID, nullptr);
    if (!attached) return nullptr;
    if (refused || connection.lost()) {
        (void)shmdt(mapped);
        return nullptr;
    }
    return std::unique_ptr<SharedSegment>(
        new SharedSegment(connection, static_cast<std::uint8_t*>(mapped), bytes, id));
}

SharedSegment::~SharedSegment() {
    if (!connection_.lost()) (void)xcb_shm_detach(connection_.get(), id_);
    (void)shmdt(data_);
}

}  // namespace tolmin::x11
