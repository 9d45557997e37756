// burnlab-cli selftest on the simulated board: each board fault named in the board's words on
// models 4, 5 and 6, and the exit status that goes with it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/cli_run.h"

namespace burnlab::testing {
namespace {

struct FaultCase {
  int model;
  std::string fault;  // --sim-board; empty: a sound board
  std::string named;  // what the test's output must say
  int status;
};

std::string caseName(const ::testing::TestParamInfo<FaultCase>& info) {
  std::string name = "Model" + std::to_string(info.param.model) + "_";
  for (const char c : info.param.fault.empty() ? std::string("clean") : info.param.fault) {
    name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
  }
  return name;
}

std::vector<FaultCase> faultCases() {
  std::vector<FaultCase> cases;
  for (const int model : {4, 5, 6}) {
    cases.push_back({model, "", "Board test: all ", 0});
    cases.push_back({model, "stuck0=D3", "FAULT: data line D3 is stuck at 0", 1});
    cases.push_back({model, "stuck1=D6", "FAULT: data line D6 is stuck at 1", 1});
    cases.push_back({model, "short=D2:D3", "FAULT: data lines D2 and D3 are shorted together", 1});
    cases.push_back({model, "short=D0:D7", "FAULT: data lines D0 and D7 are shorted together", 1});
    cases.push_back({model, "open=S5",
                     "FAULT: status line S5 (PaperEnd) never changes: it reads 1 in both "
                     "nibbles (D2 and D6)",
                     1});
    cases.push_back({model, "noselect", "FAULT: the nibble-select line does not switch", 1});
  }
  // The status line that carries nibble bit 1: Select on models 5 and 6, Busy on model 4.
  cases.push_back({5, "open=S4", "status line S4 (Select) never changes: it reads 1", 1});
  cases.push_back({4, "open=S7", "status line S7 (Busy) never changes: it reads 1", 1});
  cases.push_back({6, "noid", "FAULT: the identification line does not pull D4 low", 1});
  return cases;
}

class SelfTestFaults : public ::testing::TestWithParam<FaultCase> {};

// The port and model are forced, as the operator does in the Setup menu: several of these
// faults also keep the board search from recognising the board.
TEST_P(SelfTestFaults, NamesTheFaultAndExitsWithItsStatus) {
  const auto& c = GetParam();
  const auto model = std::to_string(c.model);
  std::string arguments =
      "--simulate --sim-model " + model + " --port 378h --model " + model + " --sim-loop-ns 1 -q";
  if (!c.fault.empty()) arguments += " --sim-board " + c.fault;
  // The pulses are timed on this PC's clock: a loaded machine may warn, never fail.
  const auto run = expectCli(arguments + " selftest", c.status, {c.named, "\nProgram pulse: "});
  EXPECT_EQ(countOf(run.output(), "FAULT"), c.status == 0 ? 0u : 1u) << "one fault, one line:\n"
                                                                     << run.output();
}

INSTANTIATE_TEST_SUITE_P(BoardFaults, SelfTestFaults, ::testing::ValuesIn(faultCases()), caseName);

TEST(SelfTest, WithoutABoardExitsWithStatus3) {
  expectCli("--simulate=none -q selftest", 3, {"Board test: no board answered"});
}

TEST(SelfTest, AFlakyReadBackShowsAsAddressesThatReadDifferently) {
  expectCli("--simulate=27C256 --sim-board flaky=2000 --sim-loop-ns 1 -d 27C256 selftest --reads 2",
            1, {"Chip reads: FAULT: ", "addresses gave different bytes in 2 reads: "});
}

// A rehearsal that does not wait still times its pulses at their width, so it passes.
TEST(SelfTest, A27C256InTheSocketSeesNoBusContention) {
  expectCli("--simulate=27C256 --sim-loop-ns 1 --sim-no-wait -d 27C256 selftest", 0,
            {"Chip reads: OK: 3 reads of 32768 bytes agree", "no bus contention; no events"});
}

TEST(SelfTest, RefusesWhatItCannotDo) {
  for (const auto* arguments : {"--simulate --sim-board stuck0=D8 selftest",
                                "--sim-board noid selftest", "--simulate selftest --reads 2"}) {
    expectCli(arguments, 2);
  }
}

}  // namespace
}  // namespace burnlab::testing
