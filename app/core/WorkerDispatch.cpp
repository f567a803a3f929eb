#include "app/core/WorkerDispatch.h"

#include "app/core/CommandCodes.h"
#include "app/core/CommandList.h"

void QueueStartupCommands(CommandList& commands)
{
    commands.QueueCommand(CMD_CHECK_SOFTWARE_QUIET);
    commands.QueueCommand(CMD_RESCAN);
    commands.QueueCommand(CMD_CHECK_FIRMWARE_QUIET);
}

int DispatchWorkerCycle(CommandList& commands, WorkerCommandHandler& handler)
{
    int code = 0;
    if (!commands.TakeCommand(code)) {
        handler.RefreshDisplay();
        return 0;
    }
    switch (code) {
    case CMD_RESCAN:
        handler.RescanDevices();
        break;
    case CMD_CHECK_SOFTWARE:
        handler.CheckSoftware(false);
        break;
    case CMD_CHECK_FIRMWARE:
        handler.CheckFirmware(false);
        break;
    case CMD_CHECK_SOFTWARE_QUIET:
        handler.CheckSoftware(true);
        break;
    case CMD_CHECK_FIRMWARE_QUIET:
        handler.CheckFirmware(true);
        break;
    case CMD_UPDATE_SOFTWARE:
        handler.UpdateSoftware();
        break;
    case CMD_UPDATE_FIRMWARE:
        handler.UpdateFirmware();
        break;
    default:
        break;
    }
    return code;
}
