#pragma once

#include <QMenu>
#include <functional>
#include <string>
#include <vector>

#include "sim/memory_chip.h"
#include "sim/sim_board.h"

class QMainWindow;

namespace burnlab {

// The "Simulator" menu of a window running on the simulated board: it shows what sits in the
// socket and lets the operator change it as one would change a real chip: put a part in (erased,
// or started with an image file), take it out, erase it under UV light, save its contents to an
// image file, or change one of its bytes to make a fault. It works on the board only; the
// program finds out about the new chip the way it would on a real board, by reading it. It also
// shows what the board saw during the last command that reached the port: its simulated time,
// port accesses, bus contentions and events.
class SimulatorMenu final : public QMenu {
  Q_OBJECT

 public:
  // `selectedDevice` names the device chosen in the window, so the part chooser can start on
  // the chip that device needs.
  SimulatorMenu(sim::SimBoard& board, std::function<std::string()> selectedDevice, QWidget* parent);

  // The chip in the socket; nullptr when it is empty or holds no memory chip.
  sim::MemoryChip* chip() const;

  // An operator action begins (false) or has ended (true). An action that reached the port is
  // the last command, and the menu shows what the board saw during it.
  void operatorAction(bool finished);

  // Called before the chip leaves the socket (emptied, or another chip put in): a chip kept in
  // a file goes back to it there. It gives why it could not, and the chip then stays in.
  void onChipLeaving(std::function<std::string()> hook) { chipLeaving_ = std::move(hook); }

 private:
  void buildEntries();
  void showSocket();
  void showLastCommand(const std::vector<std::string>& lines);

  void putChip(bool withImage);
  void emptySocket();
  void eraseChip();
  void saveChip();
  void changeByte();

  // The part the operator picks, starting on the selected device's part; empty on Cancel.
  QString choosePart(const QString& title);
  int startingPart(const QStringList& parts) const;
  void complain(const QString& title, const std::string& problem);
  // Lets the chip leave the socket; false when it must stay (the operator was told why).
  bool chipMayLeave(const QString& title);

  sim::SimBoard& board_;
  std::function<std::string()> selectedDevice_;
  QAction* socket_ = nullptr;
  QAction* lastCommandEnd_ = nullptr;  // the separator after the last command's lines
  std::vector<QAction*> lastCommand_;  // its lines, for showing only
  sim::BoardCounters actionStart_;
  std::vector<QAction*> chipEntries_;  // the entries that need a chip in the socket
  std::function<std::string()> chipLeaving_;
};

// Adds the Simulator menu to the window's menu bar, just before its Help menu.
SimulatorMenu* addSimulatorMenu(QMainWindow& window, sim::SimBoard& board,
                                std::function<std::string()> selectedDevice);

}  // namespace burnlab
