// battle: the replay items of the file menu: "リプレイを保存…" keeps the last match under a
// name the player types, "リプレイを再生…" lists the kept replays and plays the one chosen.
#pragma once
#include <string>
#include <vector>

#include "battle/ReplayFiles.h"
#include "settings/FormControls.h"

// The dialog that names the last match's replay.
class TReplaySaveForm : public TModalForm {
 public:
  explicit TReplaySaveForm(std::string suggestedName);
  int ShowModal();

  void btnSaveClick();  // keeps it under the name typed (asks before replacing one)
  void btnCancelClick();
  void btnHelpClick();
  void FormKeyDown(int key);  // Enter saves, Escape cancels, F1 opens the help

  static constexpr const char* kCaption = "リプレイを保存";
  static constexpr int kClientWidth = 360, kClientHeight = 96;

  TEdit Edit1;

 private:
  bool Draw() override;
  bool focusWanted_ = true;
};

// The dialog that lists the replays.
class TReplayListForm : public TModalForm {
 public:
  explicit TReplayListForm(std::vector<ReplayListing> replays);
  int ShowModal();

  void btnPlayClick();  // closes with OK when a replay is chosen
  void btnCancelClick();
  void btnHelpClick();
  void FormKeyDown(int key);  // Enter plays, Escape cancels, F1 opens the help

  static constexpr const char* kCaption = "リプレイを再生";
  static constexpr int kClientWidth = 460, kClientHeight = 244;

  std::vector<ReplayListing> Replays;
  TListBox ListBox1;

 private:
  bool Draw() override;
};

// The menu items.
void SaveReplayCommand();
void PlayReplayCommand();
