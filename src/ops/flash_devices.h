#pragma once

#include "ops/at29c256_flash.h"
#include "ops/flash_command.h"
#include "ops/flash_erase.h"
#include "ops/flash_identification.h"
#include "ops/flash_programming.h"

namespace burnlab {

// The flash chips' routines, wired to one another: the AT29C256's own, and the command cycles,
// identification, programming and erase of the 32-pin flash chips.
struct FlashDevices {
  explicit FlashDevices(OperationContext& context)
      : at29c256(context),
        commands(context, at29c256),
        identification(context, commands),
        programming(context, commands, identification),
        erase(context, commands) {}

  At29c256Flash at29c256;
  FlashCommandCycles commands;
  FlashIdentification identification;
  FlashProgramming programming;
  FlashErase erase;
};

}  // namespace burnlab
