#pragma once

// The two update channels of the update host. The values are the wParam of
// the update result message.
enum class UpdateChannel { Software = 1, Firmware = 2 };

// A loud check (asked for by the user) always answers; a quiet one (at start)
// speaks only when something newer exists.
enum class CheckMode { Loud, Quiet };
