#pragma once
// A System V shared memory segment that the X server maps too (MIT-SHM): a picture put through it crosses
// no socket. Both sides' mappings go with the owner; the segment itself is marked for removal as soon as the
// server has it, so it never outlives the two processes.

#include <xcb/shm.h>

#include <cstddef>
#include <cstdint>
#include <memory>

#include "x11/connection.hpp"

namespace tolmin::x11 {

class SharedSegment {
public:
    // None when the server has no MIT-SHM or cannot map the segment (a display on another machine).
    static std::unique_ptr<SharedSegment> make(const Connection& connection, std::size_t bytes);
    ~SharedSegment();
    SharedSegment(const SharedSegment&) = delete;
    SharedSegment& operator=(const SharedSegment&) = delete;

    std::uint8_t* data() const { return data_; }
    std::size_t size() const { return size_; }
    xcb_shm_seg_t id() const { return id_; }

private:
    SharedSegment(const Connection& connection, std::uint8_t* data, std::size_t size, xcb_shm_seg_t id)
        : connection_(connection), data_(data), size_(size), id_(id) {}

    const Connection& connection_;
    std::uint8_t* data_;
    std::size_t size_;
    xcb_shm_seg_t id_;
};

}  // namespace tolmin::x11
