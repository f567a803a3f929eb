#pragma once

// Codes of the worker's command list. The window thread appends them; the
// worker takes one per cycle. Codes without a handler (2 and anything else)
// are taken from the list and dropped.
constexpr int CMD_RESCAN = 1;
constexpr int CMD_CHECK_SOFTWARE = 3;
constexpr int CMD_CHECK_FIRMWARE = 4;
constexpr int CMD_CHECK_SOFTWARE_QUIET = 5;
constexpr int CMD_CHECK_FIRMWARE_QUIET = 6;
constexpr int CMD_UPDATE_SOFTWARE = 7;
constexpr int CMD_UPDATE_FIRMWARE = 8;
