#pragma once

// Small value types and codes shared by the toolkit's classes.
namespace Lumo {

// How a window's background image covers the client area.
enum enumBackMode {
    BACKMODE_STRETCH = 0, // stretched over the whole client area
    BACKMODE_FRAME = 1, // nine-part frame; the parameter is the corner size
};

// Level of a transient message overlay; stored with the message, every level
// is drawn alike.
enum MsgLevel {
    MSGLEVEL_INFO = 0,
    MSGLEVEL_WARNING = 1,
    MSGLEVEL_ERROR = 2,
};

// A bubble's type is a caller's tag: hiding with a non-zero type only hides a
// bubble shown with the same type.
using AIRBLADDER_TYPE = int;

// Where a bubble sits relative to its anchor point.
using AIRBLADDER_MODE = int;
constexpr AIRBLADDER_MODE AIRBLADDER_RIGHT = 1; // right of the point, centred vertically
constexpr AIRBLADDER_MODE AIRBLADDER_LEFT = 2; // left of the point
constexpr AIRBLADDER_MODE AIRBLADDER_BELOW = 3; // below the point
constexpr AIRBLADDER_MODE AIRBLADDER_ABOVE = 4; // above the point; never hidden by its timer
constexpr AIRBLADDER_MODE AIRBLADDER_RIGHT_STAY = 5; // right of the point; not hidden on focus loss

// A position along a range: mode 0 from the start (or the end), mode 1 from
// the middle, mode 2 a percentage of the range (see MControl::PositionItem2Value).
struct FS_POSITION_ITEM {
    int mode = 0;
    int fromEnd = 0;
    float value = 0.0f;
};

} // namespace Lumo
