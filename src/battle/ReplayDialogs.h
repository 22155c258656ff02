// battle: the replay items of the file menu: "リプレイを保存…" keeps the last match under a
// name the player types, "リプレイを再生…" lists the kept replays and plays the one chosen.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "battle/ReplayFiles.h"
#include "platform/ui/FormControls.h"

// What both replay dialogs share: Enter presses the default button, Escape and the close box
// cancel, F1 and the help button open the help on replays.
class TReplayForm : public TModalForm {
 public:
  int ShowModal();
  void btnCancelClick();
  void btnHelpClick();
  void FormKeyDown(int key);

 protected:
  virtual void DefaultClick() = 0;
  // A control's handler, run after the frame; the first one queued in a frame wins.
  void Queue(std::function<void()> handler);
  // After the controls of a frame: queues the form's keys and the close box; whether a
  // handler waits to run.
  bool EndFrame(bool closeBox);
};

// The dialog that names the last match's replay.
class TReplaySaveForm : public TReplayForm {
 public:
  explicit TReplaySaveForm(std::string suggestedName);
  void btnSaveClick();  // keeps it under the name typed (asks before replacing one)

  static constexpr const char* kCaption = "リプレイを保存";
  static constexpr int kClientWidth = 360, kClientHeight = 96;

  TEdit Edit1;

 private:
  void DefaultClick() override { btnSaveClick(); }
  bool Draw() override;
  bool focusWanted_ = true;
};

// The dialog that lists the replays.
class TReplayListForm : public TReplayForm {
 public:
  explicit TReplayListForm(std::vector<ReplayListing> replays);
  void btnPlayClick();  // closes with OK when a replay is chosen

  static constexpr const char* kCaption = "リプレイを再生";
  static constexpr int kClientWidth = 460, kClientHeight = 244;

  std::vector<ReplayListing> Replays;
  TListBox ListBox1;

 private:
  void DefaultClick() override { btnPlayClick(); }
  bool Draw() override;
};

// The menu items.
void SaveReplayCommand();
void PlayReplayCommand();
