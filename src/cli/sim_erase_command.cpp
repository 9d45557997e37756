#include "cli/sim_erase_command.h"

#include "cli/exit_status.h"
#include "launch/port_stack.h"
#include "sim/eprom_chip.h"

namespace burnlab {

int eraseKeptChip(CliContext& c) {
  const auto& options = *c.program;
  if (!options.simulate || options.simChipFile.empty()) {
    c.messages << "burnlab-cli: sim-erase erases a simulated chip kept in a file: it needs "
                  "--simulate=CHIP and --sim-chip FILE\n";
    return kExitBadInput;
  }
  std::string error;
  const auto stack = PortStack::build(options, error);
  if (!stack) {
    c.messages << "burnlab-cli: " << error << '\n';
    return kExitBadInput;
  }
  const auto& chip = stack->chipFile()->chip();
  chip->erase();
  if (const auto problem = stack->writeBackChip(); !problem.empty()) {
    c.messages << "burnlab-cli: " << problem << '\n';
    return kExitChipNotKept;
  }
  const bool uvLight = dynamic_cast<const sim::EpromChip*>(chip.get()) != nullptr;
  c.out << "Erased the " << chip->name() << " kept in " << options.simChipFile.string()
        << (uvLight ? " under UV light" : "") << ": every byte is FFh\n";
  return kExitSuccess;
}

}  // namespace burnlab
