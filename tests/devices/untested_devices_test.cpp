// The opt-in to the flash devices never tried on real hardware: which rows it offers, what it
// logs, that nothing changes without it, and that the window remembers it.
#include "devices/untested_devices.h"

#include <gtest/gtest.h>

#include "devices/device_catalogue.h"
#include "support/catalogue_rows.h"
#include "support/simulated_app.h"

namespace burnlab::testing {
namespace {

bool listedAsUnsupported(const App& app, int row) {
  return app.panel.Device.items[static_cast<std::size_t>(row)].starts_with("N/A - ");
}

TEST(UntestedDevices, OnlyTheFlashRowsThatWorkOnTheSimulatedBoardAreOffered) {
  SimulatedApp f({.start = true, .slider = {}});
  std::vector<std::string_view> offered;
  for (int row = 0; row <= DeviceCatalogue::lastUsedRow(); ++row) {
    EXPECT_EQ(selectableRow(row, false), DeviceCatalogue::row(row)->supported);
    if (selectableRow(row, true) && !selectableRow(row, false)) {
      offered.push_back(DeviceCatalogue::row(row)->partName());
    }
  }
  EXPECT_EQ(offered, (std::vector<std::string_view>{"AT29C256", "A29040", "AM29F010", "AM29F020",
                                                    "AM29F040", "EN29F040"}));
  f.app.allowUntestedDevices(true);
  EXPECT_EQ(f.app.panel.Device.items[rowOf("AM29F040")], "Flash AMD AM29F040            ");
  std::vector<std::string_view> refused;
  for (int row = 0; row <= DeviceCatalogue::lastUsedRow(); ++row) {
    if (listedAsUnsupported(f.app, row)) refused.push_back(DeviceCatalogue::row(row)->name);
  }
  EXPECT_EQ(refused,
            (std::vector<std::string_view>{
                "Eprom 2716", "Eprom 27C080 OTP", "Flash Atmel AT29F040",
                "Flash Catalyst CAT28F001", "Flash Catalyst CAT28F010", "Flash Catalyst CAT28F020",
                "Eeprom Catalyst CAT28C256", "Eeprom Catalyst CAT28C257",
                "Eeprom 24C256 Serial (8 pins)", "uC Atmel AT90S2313 Micro"}));
}

TEST(UntestedDevices, ChoosingOneLogsThatItIsUntestedAndOffersTheFlashCommands) {
  SimulatedApp f({.start = true, .slider = {}});
  f.app.click("menuAllowUntested");
  const auto log = f.logOf([&] { f.choose("AM29F040"); });
  EXPECT_EQ(f.app.device.DeviceCode, "FM");
  EXPECT_TRUE(
      log.ends_with("Device Flash AMD AM29F040 was Selected"
                    "\r\n12:34:56>  Device Size is: 524288 Bytes, Initial VPP suggested: 5V"
                    "\r\n12:34:56>  Device Flash AMD AM29F040 is untested on real hardware"));
  EXPECT_TRUE(f.app.panel.EraseFlash_button.enabled);
  EXPECT_TRUE(f.app.panel.menuFlashShowCodeID.enabled);
}

TEST(UntestedDevices, TheWindowRemembersTheOptInAndTurningItOffGivesUpTheChosenFlash) {
  SimulatedApp f({.start = true, .slider = {}});
  // Without the opt-in a flash row is listed as not supported (choosing one is refused in
  // DeviceSelection.AnUnsupportedRowAfterAValidDeviceKeepsThatDeviceAndLogsNothing).
  EXPECT_FALSE(f.app.panel.menuAllowUntested.checked);
  EXPECT_TRUE(listedAsUnsupported(f.app, rowOf("AT29C256")));
  f.app.click("menuAllowUntested");
  EXPECT_EQ(f.platform.setting("Settings", "AllowUntested"), "1");
  f.choose("AT29C256");
  ASSERT_EQ(f.app.device.DeviceCode, "FA");

  f.app.click("menuAllowUntested");
  EXPECT_EQ(f.platform.setting("Settings", "AllowUntested"), "0");
  EXPECT_FALSE(f.app.device.selected());
  EXPECT_FALSE(f.app.panel.EraseFlash_button.enabled);
  EXPECT_FALSE(f.app.panel.Read_button.enabled);
  EXPECT_EQ(f.app.panel.Device.text, "Please Select Device on this List");
  EXPECT_TRUE(listedAsUnsupported(f.app, rowOf("AT29C256")));

  f.platform.setSetting("Settings", "AllowUntested", "1");
  App next({f.port, f.platform, f.dialogs, f.view});
  next.portConfig.setFolder(f.files.path());
  next.Form_Load();
  EXPECT_TRUE(next.panel.menuAllowUntested.checked);
  EXPECT_FALSE(listedAsUnsupported(next, rowOf("AT29C256")));
}

}  // namespace
}  // namespace burnlab::testing
