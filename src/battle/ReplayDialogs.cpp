// battle: the replay dialogs' rules and the two menu items.
#include "battle/ReplayDialogs.h"

#include <filesystem>

#include "platform/Dialogs.h"
#include "platform/Translate.h"
#include "shell/Bramkoworld.h"
#include "shell/Game.h"

namespace {

constexpr const char* kMessageCaption = "Bramko2 for Windows";
constexpr const char* kHelpKeyword = "リプレイ";
constexpr int kEnter = 0x0D, kEscape = 0x1B, kF1 = 0x70;

void Tell(const std::string& text) { platform::ShowMessage(kMessageCaption, text); }

// While a replay dialog or its message is up, the scene beneath hears no key: the name typed
// is not for the fighters on the versus screen.
class Silence {
 public:
  Silence() { InputDisabled = true; }
  ~Silence() { InputDisabled = before_; }
  Silence(const Silence&) = delete;
  Silence& operator=(const Silence&) = delete;

 private:
  bool before_ = InputDisabled;
};

}  // namespace

int TReplayForm::ShowModal() {
  ModalResult = mrNone;
  return RunModalLoop();
}

void TReplayForm::btnCancelClick() { ModalResult = mrCancel; }
void TReplayForm::btnHelpClick() { platform::ShowHelp(HelpFile, kHelpKeyword); }

void TReplayForm::FormKeyDown(int key) {
  if (key == kEnter) DefaultClick();
  if (key == kEscape) btnCancelClick();
  if (key == kF1) btnHelpClick();
}

TReplaySaveForm::TReplaySaveForm(std::string suggestedName) { Edit1.Text = std::move(suggestedName); }

void TReplaySaveForm::btnSaveClick() {
  const std::string name = ReplayFileName(Edit1.Text);
  if (name.empty()) {
    Tell(Tr("名前を入力してください。"));
    return;
  }
  if (name == kLastReplayName) {
    Tell(Format(Tr("「%s」は前回の対戦が使う名前です。別の名前にしてください。"), name.c_str()));
    return;
  }
  std::error_code ec;
  if (std::filesystem::exists(ReplayPath(name), ec) &&
      platform::ShowMessage(kMessageCaption, Format(Tr("「%s」はすでにあります。置き換えますか？"), name.c_str()),
                            platform::MsgButtons::YesNo) != platform::kMsgYes)
    return;
  if (SaveLastReplayAs(name)) ModalResult = mrOk;
}

TReplayListForm::TReplayListForm(std::vector<ReplayListing> replays) : Replays(std::move(replays)) {
  for (const ReplayListing& r : Replays) ListBox1.Items.push_back(r.line);
  ListBox1.ItemIndex = Replays.empty() ? -1 : 0;
}

void TReplayListForm::btnPlayClick() {
  if (ListBox1.ItemIndex < 0 || ListBox1.ItemIndex >= static_cast<int>(Replays.size())) {
    Tell(Tr("再生するリプレイを選んでください。"));
    return;
  }
  ModalResult = mrOk;
}

void SaveReplayCommand() {
  {
    const Silence silence;
    const ReplayReading last = ReadReplay(LastReplayToKeep());
    if (last.replay) {
      TReplaySaveForm form(SuggestedReplayName(*last.replay));
      form.ShowModal();
    } else {
      Tell(Tr("保存できるリプレイがありません。先に対戦してください。"));
    }
  }
  WaitRelease();  // the key that closed the dialog is not for the game
}

void PlayReplayCommand() {
  std::string chosen;
  {
    const Silence silence;
    std::vector<ReplayListing> replays = ListReplays();
    if (replays.empty()) {
      Tell(Tr("保存されたリプレイがありません。"));
    } else {
      TReplayListForm form(std::move(replays));
      if (form.ShowModal() == mrOk) chosen = form.Replays[static_cast<size_t>(form.ListBox1.ItemIndex)].path;
    }
  }
  // The key that closed the dialog would otherwise run the replay fast from its first frame.
  WaitRelease();
  if (chosen.empty()) return;
  WatchReplayFile(chosen);
  WaitRelease();  // nor is a key still held to run it fast, or that closed its message
}
