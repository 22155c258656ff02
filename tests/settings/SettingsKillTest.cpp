// Settings OK killed at random moments: the settings file is always wholly the old or
// wholly the new one, never the new speed with the old keys; temporaries a kill left
// behind go at the next write.
#include <unistd.h>

#include <filesystem>

#include "settings/Custom.h"
#include "SettingsKit.h"
#include "support/KillLoop.h"

using SettingsKill = SettingsDialogFixture;

TEST_F(SettingsKill, OkKilledAnywhereLeavesTheOldFileOrTheNewOneWhole) {
  WriteTextFile(ini_, "; mine\n[その他]\nおまけ=1\n");
  TForm2 form;
  // Two sets of settings that differ in every group of values the dialog writes.
  auto write = [&](int n) {
    const bool b = n % 2;
    form.rgSpeed.ItemIndex = b ? 3 : 0;
    form.ComboBox1.ItemIndex = b ? 1 : 0;
    KeyTable::ClearKeys();
    KeyTable::AddKey(0, kfUp, b ? 38 : 84);
    KeyTable::AddKey(1, kfCancel, b ? 191 : 188);
    form.ModalResult = mrNone;
    form.btnOKClick();
    if (form.ModalResult != mrOk) _exit(3);
  };
  write(0);
  const std::string oldFile = ReadTextFile(ini_);
  write(1);
  const std::string newFile = ReadTextFile(ini_);
  ASSERT_NE(oldFile, newFile);

  auto report = testing_support::KillDuringWrites(200, write, [&]() -> std::string {
    const std::string now = ReadTextFile(ini_);
    return now == oldFile || now == newFile ? "" : "a torn settings file:\n" + now;
  });
  EXPECT_EQ(report.kills, 200);
  EXPECT_EQ(report.childFailures, 0);
  EXPECT_EQ(report.problems, 0) << report.firstProblem;

  write(0);
  EXPECT_EQ(ReadTextFile(ini_), oldFile);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_), {}), 1);
}
