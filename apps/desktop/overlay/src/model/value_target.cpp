#include "model/value_target.hpp"

#include "model/fault.hpp"

namespace tolmin {

std::string_view expected_of(Want want) {
    switch (want) {
        case Want::FrameRecord:
            return expected::FRAME;
        case Want::AlertElement:
            return expected::ALERT;
        case Want::ToastElement:
            return expected::TOAST;
        case Want::U32:
            return expected::U32;
        case Want::F64:
            return expected::F64;
        case Want::Text:
        case Want::OptionalText:
            return expected::STRING;
        case Want::OptionalHud:
            return expected::HUD;
        case Want::OptionalNight:
            return expected::NIGHT;
        case Want::AlertList:
        case Want::ToastList:
            return expected::SEQUENCE;
        default:
            return expected::UNIT;
    }
}

}  // namespace tolmin
