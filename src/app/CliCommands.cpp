#include "app/CliCommands.h"

const std::vector<TCliCommand>& CliCommands() {
  static const std::vector<TCliCommand> commands{};
  return commands;
}
