#include "gui/simulator_menu.h"

#include <QFileDialog>
#include <QInputDialog>
#include <QMainWindow>
#include <QMessageBox>
#include <charconv>
#include <optional>

#include "gui/main_window.h"
#include "gui/menu_placement.h"
#include "sim/chip_catalogue.h"
#include "sim/sim_summary.h"

namespace burnlab {
namespace {

// Raw images, Intel HEX and S-records: the socket takes each of them.
const QString kImageFilter = QStringLiteral(
    "Image Files (*.bin *.rom *.hex *.ihx *.s19 *.s28 *.s37 *.srec *.mot);;All Files (*)");

QString hex(std::uint32_t value, int digits) {
  return QString::number(value, 16).toUpper().rightJustified(digits, QLatin1Char('0'));
}

// A hexadecimal number as the operator types it: "7FF0", "7ff0h" or "0x7FF0".
std::optional<std::uint32_t> hexNumber(QString text) {
  text = text.trimmed();
  if (text.startsWith("0x", Qt::CaseInsensitive)) text.remove(0, 2);
  if (text.endsWith('h', Qt::CaseInsensitive)) text.chop(1);
  const QByteArray digits = text.toLatin1();
  std::uint32_t value = 0;
  const char* end = digits.constData() + digits.size();
  const auto [stop, problem] = std::from_chars(digits.constData(), end, value, 16);
  if (digits.isEmpty() || problem != std::errc() || stop != end) return std::nullopt;
  return value;
}

// Asks for one line of text; nothing on Cancel.
std::optional<QString> askText(QWidget* parent, const QString& title, const QString& prompt,
                               const QString& start) {
  bool accepted = false;
  const QString text =
      QInputDialog::getText(parent, title, prompt, QLineEdit::Normal, start, &accepted);
  if (!accepted) return std::nullopt;
  return text;
}

}  // namespace

SimulatorMenu::SimulatorMenu(sim::SimBoard& board, std::function<std::string()> selectedDevice,
                             QWidget* parent)
    : QMenu(tr("S&imulator"), parent), board_(board), selectedDevice_(std::move(selectedDevice)) {
  setObjectName("mnuSimulator");
  buildEntries();
  showSocket();
  connect(this, &QMenu::aboutToShow, this, &SimulatorMenu::showSocket);
}

sim::MemoryChip* SimulatorMenu::chip() const {
  return dynamic_cast<sim::MemoryChip*>(board_.chip().get());
}

void SimulatorMenu::buildEntries() {
  socket_ = addAction(QString());
  socket_->setObjectName("mnuSimulatorSocket");
  socket_->setEnabled(false);  // it only tells
  addSeparator();
  lastCommandEnd_ = addSeparator();
  showLastCommand({tr("Last command: none yet").toStdString()});
  auto entry = [this](const char* name, const QString& caption, auto handler) {
    QAction* action = addAction(caption);
    action->setObjectName(name);
    connect(action, &QAction::triggered, this, handler);
    return action;
  };
  entry("mnuSimulatorPutChip", tr("&Put a Chip in the Socket..."), [this] { putChip(false); });
  entry("mnuSimulatorPutChipWithImage", tr("Put a Chip with an &Image in the Socket..."),
        [this] { putChip(true); });
  chipEntries_.push_back(
      entry("mnuSimulatorEmpty", tr("&Empty the Socket"), &SimulatorMenu::emptySocket));
  addSeparator();
  chipEntries_.push_back(
      entry("mnuSimulatorErase", tr("E&rase the Chip (UV Light)"), &SimulatorMenu::eraseChip));
  chipEntries_.push_back(entry("mnuSimulatorSave", tr("&Save the Chip to an Image File..."),
                               &SimulatorMenu::saveChip));
  chipEntries_.push_back(entry("mnuSimulatorChangeByte", tr("&Change a Byte of the Chip..."),
                               &SimulatorMenu::changeByte));
}

void SimulatorMenu::showSocket() {
  const auto* inSocket = chip();
  QString text = tr("Socket: empty");
  if (inSocket) {
    text = tr("Socket: %1 (%2 bytes)")
               .arg(QString::fromStdString(inSocket->name()))
               .arg(inSocket->size());
  } else if (board_.chip()) {
    text = tr("Socket: a chip");
  }
  socket_->setText(text);
  for (QAction* action : chipEntries_) action->setEnabled(inSocket != nullptr);
}

void SimulatorMenu::operatorAction(bool finished) {
  if (!finished) {
    actionStart_ = board_.markCommand();
    return;
  }
  if (board_.counters().accesses == actionStart_.accesses) return;  // no command: a menu, a choice
  const sim::Summary summary = sim::summarise(actionStart_, board_);
  std::vector<std::string> lines{"Last command: " + summary.time, summary.accesses,
                                 summary.contentions};
  if (summary.events.empty()) lines.emplace_back("no events");
  for (const auto& event : summary.events) lines.push_back(event);
  showLastCommand(lines);
}

void SimulatorMenu::showLastCommand(const std::vector<std::string>& lines) {
  for (QAction* old : lastCommand_) {
    removeAction(old);
    old->deleteLater();
  }
  lastCommand_.clear();
  for (const auto& line : lines) {
    auto* shown = new QAction(QString::fromStdString(line), this);
    shown->setEnabled(false);  // it only tells
    shown->setObjectName("mnuSimulatorLastCommand");
    insertAction(lastCommandEnd_, shown);
    lastCommand_.push_back(shown);
  }
}

int SimulatorMenu::startingPart(const QStringList& parts) const {
  // The device list names a part after its family word: "Eprom 27C256" is the 27C256.
  const QString device =
      selectedDevice_ ? QString::fromStdString(selectedDevice_()).trimmed() : QString();
  for (int i = 0; i < parts.size(); ++i) {
    if (device.endsWith(' ' + parts[i], Qt::CaseInsensitive)) return i;
  }
  if (const auto* inSocket = chip()) {
    const int index = parts.indexOf(QString::fromStdString(inSocket->name()));
    if (index >= 0) return index;
  }
  return 0;
}

QString SimulatorMenu::choosePart(const QString& title) {
  QStringList parts;
  for (const auto& name : sim::ChipCatalogue::names()) parts << QString::fromStdString(name);
  bool accepted = false;
  const QString part = QInputDialog::getItem(parentWidget(), title, tr("Part:"), parts,
                                             startingPart(parts), false, &accepted);
  return accepted ? part : QString();
}

void SimulatorMenu::putChip(bool withImage) {
  const QString title =
      withImage ? tr("Put a Chip with an Image in the Socket") : tr("Put a Chip in the Socket");
  const QString part = choosePart(title);
  if (part.isEmpty()) return;
  std::string problem;
  auto fresh = sim::ChipCatalogue::make(part.toStdString(), {}, problem);
  if (!fresh) return complain(title, problem);
  if (withImage) {
    const QString file = QFileDialog::getOpenFileName(
        parentWidget(), tr("Image for the %1").arg(part), QString(), kImageFilter);
    if (file.isEmpty()) return;
    problem = fresh->loadImage(file.toStdString());
    // A chip that cannot start with its image stays out: the socket keeps what it held.
    if (!problem.empty()) return complain(title, problem);
  }
  if (!chipMayLeave(title)) return;
  board_.insert(std::move(fresh));
  showSocket();
}

void SimulatorMenu::emptySocket() {
  if (!chipMayLeave(tr("Empty the Socket"))) return;
  board_.insert(nullptr);
  showSocket();
}

bool SimulatorMenu::chipMayLeave(const QString& title) {
  if (!chipLeaving_) return true;
  const auto problem = chipLeaving_();
  if (problem.empty()) return true;
  complain(title, problem + "\n\nThe chip stays in the socket.");
  return false;
}

void SimulatorMenu::eraseChip() {
  if (auto* inSocket = chip()) inSocket->erase();
}

void SimulatorMenu::saveChip() {
  const auto* inSocket = chip();
  if (!inSocket) return;
  const QString name = QString::fromStdString(inSocket->name());
  const QString file = QFileDialog::getSaveFileName(
      parentWidget(), tr("Save the %1 to an Image File").arg(name), name + ".bin", kImageFilter);
  if (file.isEmpty()) return;
  const auto problem = inSocket->saveImage(file.toStdString());
  if (!problem.empty()) complain(tr("Save the Chip"), problem);
}

void SimulatorMenu::changeByte() {
  auto* inSocket = chip();
  if (!inSocket) return;
  const QString title = tr("Change a Byte of the %1").arg(QString::fromStdString(inSocket->name()));
  const auto last = static_cast<std::uint32_t>(inSocket->size() - 1);
  const int digits = static_cast<int>(hex(last, 1).size());
  const auto addressText =
      askText(parentWidget(), title, tr("Address (hex, 0 to %1):").arg(hex(last, 1)), "0");
  if (!addressText) return;
  const auto address = hexNumber(*addressText);
  if (!address || *address > last) {
    return complain(title, tr("\"%1\" is no address of the chip: give a hexadecimal number "
                              "from 0 to %2.")
                               .arg(addressText->trimmed(), hex(last, 1))
                               .toStdString());
  }
  const auto valueText = askText(parentWidget(), title,
                                 tr("The byte at %1h holds %2h. Its new value (hex):")
                                     .arg(hex(*address, digits), hex(inSocket->cell(*address), 2)),
                                 hex(inSocket->cell(*address), 2));
  if (!valueText) return;
  const auto value = hexNumber(*valueText);
  if (!value || *value > 0xFF) {
    return complain(title, tr("\"%1\" is no byte: give a hexadecimal number from 0 to FF.")
                               .arg(valueText->trimmed())
                               .toStdString());
  }
  inSocket->setCell(*address, static_cast<std::uint8_t>(*value));
}

void SimulatorMenu::complain(const QString& title, const std::string& problem) {
  QMessageBox::warning(parentWidget(), title, QString::fromStdString(problem));
}

SimulatorMenu* addSimulatorMenu(QMainWindow& window, sim::SimBoard& board,
                                std::function<std::string()> selectedDevice) {
  auto* menu = new SimulatorMenu(board, std::move(selectedDevice), &window);
  insertBeforeHelpMenu(window, menu);
  if (auto* main = qobject_cast<MainWindow*>(&window)) {
    main->onOperatorAction([menu](bool finished) { menu->operatorAction(finished); });
  }
  return menu;
}

}  // namespace burnlab
