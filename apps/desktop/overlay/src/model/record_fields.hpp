#pragma once
// The fields of each record of the render model, in declaration order: its JSON key and its member. A record
// in array form takes its values in this order. This is the one list the decoder reads a record's keys from;
// what a field accepts follows from its member's type (value_slot.hpp). A new field of a record is added to
// its struct (frame.hpp) and to its list here.

#include <cstddef>
#include <string_view>
#include <tuple>

#include "model/frame.hpp"

namespace tolmin {

template <class R, class T>
struct Field {
    std::string_view key;
    T R::*member;
};

template <class R, class T>
constexpr Field<R, T> field(std::string_view key, T R::*member) {
    return {key, member};
}

// Record<R>::NAME names the record in a fault ("expected struct Hud"); Record<R>::FIELDS lists its fields.
template <class R>
struct Record;

// One field a line.
// clang-format off
template <>
struct Record<Frame> {
    static constexpr std::string_view NAME = "struct Frame";
    static constexpr std::tuple FIELDS{
        field("v", &Frame::v),
        field("anchor", &Frame::anchor),
        field("offset", &Frame::offset),
        field("scale", &Frame::scale),
        field("monitor", &Frame::monitor),
        field("hud", &Frame::hud),
        field("night", &Frame::night),
        field("alerts", &Frame::alerts),
        field("toasts", &Frame::toasts),
    };
};

template <>
struct Record<Hud> {
    static constexpr std::string_view NAME = "struct Hud";
    static constexpr std::tuple FIELDS{
        field("dot", &Hud::dot),
        field("state", &Hud::state),
        field("state_color", &Hud::state_color),
        field("elapsed", &Hud::elapsed),
        field("presence", &Hud::presence),
    };
};

template <>
struct Record<Night> {
    static constexpr std::string_view NAME = "struct Night";
    static constexpr std::tuple FIELDS{
        field("tag", &Night::tag),
        field("title", &Night::title),
    };
};

template <>
struct Record<Alert> {
    static constexpr std::string_view NAME = "struct Alert";
    static constexpr std::tuple FIELDS{
        field("id", &Alert::id),
        field("bar", &Alert::bar),
        field("title", &Alert::title),
        field("title_color", &Alert::title_color),
        field("detail", &Alert::detail),
        field("detail_color", &Alert::detail_color),
    };
};

template <>
struct Record<Toast> {
    static constexpr std::string_view NAME = "struct Toast";
    static constexpr std::tuple FIELDS{
        field("id", &Toast::id),
        field("kind", &Toast::kind),
        field("born", &Toast::born),
        field("dies", &Toast::dies),
        field("tick", &Toast::tick),
        field("title", &Toast::title),
        field("title_color", &Toast::title_color),
        field("count", &Toast::count),
        field("time", &Toast::time),
        field("time_color", &Toast::time_color),
        field("detail", &Toast::detail),
        field("detail_color", &Toast::detail_color),
        field("index", &Toast::index),
    };
};
// clang-format on

template <class R>
concept IsRecord = requires {
    Record<R>::FIELDS;
};

template <class R>
inline constexpr std::size_t FIELD_COUNT = std::tuple_size_v<decltype(Record<R>::FIELDS)>;

}  // namespace tolmin
