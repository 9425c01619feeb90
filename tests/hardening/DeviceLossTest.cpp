// The simulated G-Major killed (kill -9) while it sends a bulk dump to
// lindel-cli through JACK: the reception fails with a clear message, what
// arrived is kept aside in FILE.part, and the good dump already under FILE
// is left as it was. Runs inside run-with-midi-services.sh, in a services
// session of its own, since the simulator does not come back.
#include <gtest/gtest.h>
#include <signal.h>

#include <filesystem>
#include <fstream>
#include <thread>

#include "CliTest.h"
#include "PresetBuilder.h"
#include "SimulatorLink.h"
#include "TempDir.h"

namespace fs = std::filesystem;

namespace {

// The services script keeps the simulator's process id beside its log.
pid_t SimulatorPid() {
  const char* log = std::getenv("LINDEL_SIM_LOG");
  std::ifstream in(fs::path(log ? log : "").parent_path() / "sim.pid");
  pid_t pid = -1;
  in >> pid;
  return pid;
}

std::uintmax_t SizeOf(const std::string& path) {
  std::error_code ec;
  const auto size = fs::file_size(path, ec);
  return ec ? 0 : size;
}

// Presses Bulk Dump on the device, lets a few presets arrive, then kills it.
void KillTheDeviceMidDump(pid_t device, const std::string& part) {
  std::this_thread::sleep_for(std::chrono::seconds(1));
  sim::Command("dump");
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
  while (SizeOf(part) < 3 * kPresetSize && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  ::kill(device, SIGKILL);
}

TEST(DeviceLoss, DeviceKilledMidDumpFailsTheReceptionAndKeepsTheOldDump) {
  const pid_t device = SimulatorPid();
  ASSERT_GT(device, 0) << "no simulator process id";
  TempDir dir;
  const std::string out = dir.File("bank.syx");
  const auto goodDump = DumpBytes(3);
  WriteBytes(out, goodDump);

  std::thread killer(KillTheDeviceMidDump, device, out + ".part");
  const auto r = Cli({"receive-dump", "--in", sim::Name(), "--out", sim::Name(), "-o", out, "--count", "100",
                      "--idle-timeout", "3"});
  killer.join();

  EXPECT_EQ(r.exitCode, 1) << r.err;
  EXPECT_NE(r.err.find("lindel-cli receive-dump: "), std::string::npos) << r.err;
  EXPECT_EQ(ReadBytes(out), goodDump) << "the earlier dump is not replaced by a partial one";
  const auto kept = SizeOf(out + ".part");
  EXPECT_GE(kept, 3 * kPresetSize);
  EXPECT_LT(kept, 100 * kPresetSize);
  EXPECT_EQ(kept % kPresetSize, 0u) << "only whole presets are kept";
  EXPECT_EQ(Cli({"info", out}).exitCode, 0) << "the tool goes on working";
}

}  // namespace
