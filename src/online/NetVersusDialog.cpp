// online: the online versus dialog's rules, layout and menu item.
#include "online/NetVersusDialog.h"

#include "screens/Vsmode.h"
#include "field/Fieldmap.h"
#include "field/MapState.h"
#include "online/OnlineVersus.h"
#include "online/RouterMapping.h"
#include "platform/ui/DialogWidgets.h"
#include "platform/Dialogs.h"
#include "platform/Translate.h"
#include "platform/ui/help/LineBreak.h"
#include "platform/net/NetLink.h"
#include "shell/Bramkoworld.h"
#include "shell/Game.h"

namespace {

using platform::dlg::Rect;
constexpr int kButtonW = 96, kButtonH = 26;
constexpr int kEnter = 0x0D, kEscape = 0x1B;

void Tell(const std::string& text) { platform::ShowMessage(Tr(TNetVersusForm::kCaption), text); }

// Made when drawn, so that they are in the language the game is in now.
std::vector<std::string> DelayItems() {
  std::vector<std::string> v = {Format(Tr("自動（0〜%d フレーム）"), kAutoDelayMost)};
  for (int d = 0; d <= kChosenDelayMost; ++d) v.push_back(Format(TrN("%d フレーム", "%d フレーム", d), d));
  return v;
}

bool ParsePort(const std::string& text, uint16_t* port) {
  std::string host;
  return platform::net::ParseHostPort("x:" + text, platform::net::kDefaultPort, &host, port);
}

}  // namespace

TNetVersusForm::TNetVersusForm()
    : Addresses(platform::net::LocalAddresses()), DelayIndex(ChosenInputDelay < 0 ? 0 : ChosenInputDelay + 1) {}

int TNetVersusForm::ShowModal() {
  ModalResult = mrNone;
  const bool before = InputDisabled;
  InputDisabled = true;  // the scene beneath hears none of the typing
  const int r = RunModalLoop();
  InputDisabled = before;
  return r;
}

void TNetVersusForm::Queue(std::function<void()> handler) {
  if (!pending_) pending_ = std::move(handler);
}

void TNetVersusForm::btnHostClick() {
  uint16_t port = 0;
  if (!ParsePort(HostPort, &port)) return Tell(Tr("ポートには 1 から 65535 までの数を入れてください。"));
  std::string error;
  pendingSession_ = OnlineSession::Host(port, &error);
  if (!pendingSession_) return Tell(error);
  waitingText_ = Format(Tr("ポート %d で相手を待っています…"), static_cast<int>(port));
}

void TNetVersusForm::btnJoinClick() { Connect(false); }

void TNetVersusForm::btnWatchClick() { Connect(true); }

void TNetVersusForm::Connect(bool watch) {
  uint16_t port = 0;
  if (!ParsePort(JoinPort, &port)) return Tell(Tr("ポートには 1 から 65535 までの数を入れてください。"));
  std::string host;
  if (!platform::net::ParseHostPort(JoinAddress, port, &host, &port))
    return Tell(Tr("相手のアドレスを入れてください。"));
  std::string error;
  pendingSession_ = watch ? OnlineSession::Watch(host, port, &error) : OnlineSession::Join(host, port, &error);
  if (!pendingSession_) return Tell(error);
  waitingText_ = Format(Tr("%s につないでいます…"), host.c_str());
}

void TNetVersusForm::btnCancelClick() {
  if (pendingSession_) {
    pendingSession_.reset();  // stops listening at once
    return;
  }
  ModalResult = mrCancel;
}

void TNetVersusForm::ServiceLink() {
  switch (pendingSession_->Poll(0)) {
    case SessionPhase::Ready: Queue([this] { Greeted(); }); break;
    case SessionPhase::Over: Queue([this] { LinkFailed(); }); break;
    default: break;
  }
}

void TNetVersusForm::Greeted() {
  Session = std::move(pendingSession_);
  ModalResult = mrOk;
}

void TNetVersusForm::LinkFailed() {
  const std::string why = pendingSession_->OverMessage();
  pendingSession_.reset();
  Tell(why.empty() ? Tr("つながりませんでした。") : why);
}

bool TNetVersusForm::Draw() {
  namespace dlg = platform::dlg;
  bool closeBox = false;
  if (dlg::BeginDialog(Tr(kCaption), kClientWidth, kClientHeight, &closeBox)) {
    if (pendingSession_) {
      dlg::Label(waitingText_, 16, 60);
      dlg::Label(Tr("（相手がつなぐまで、このままお待ちください）"), 16, 88);
      if (const platform::net::PortMapping* router = pendingSession_->Router()) {
        platform::net::MappingOutcome o = router->Outcome();
        // No router told us our address towards it: name the one this machine has, if only one.
        if (o.localAddress.empty() && Addresses.size() == 1) o.localAddress = Addresses[0];
        const auto lines = platform::BreakLines(RouterDialogText(o), 388, dlg::TextWidth);
        // Up to four lines above the button.
        for (size_t i = 0; i < lines.size() && i < 4; ++i)
          dlg::Label(lines[i], 16, 116 + static_cast<int>(i) * dlg::LineHeight());
      }
      if (dlg::Button(Tr("キャンセル"), {162, 196, kButtonW, kButtonH}, true)) Queue([this] { btnCancelClick(); });
    } else {
      dlg::GroupBox(Tr("ホストになる（あなたがプレイヤー1）"), {8, 8, 404, 84});
      dlg::Label(Tr("ポート"), 20, 34);
      dlg::TextBox("hostport", &HostPort, {80, 30, 70, 22}, 5, &focusWanted_);
      if (dlg::Button(Tr("待ち受ける"), {308, 30, kButtonW, kButtonH}, true)) Queue([this] { btnHostClick(); });
      std::string addresses = Tr("このパソコンのアドレス：");
      for (size_t i = 0; i < Addresses.size(); ++i) addresses += (i ? Tr("、") : "") + Addresses[i];
      if (Addresses.empty()) addresses += Tr("（見つかりません）");
      dlg::Label(addresses, {20, 62, 384, 22});
      dlg::GroupBox(Tr("参加する（あなたがプレイヤー2）"), {8, 100, 404, 84});
      dlg::Label(Tr("アドレス"), 20, 126);
      bool noFocus = false;
      dlg::TextBox("address", &JoinAddress, {80, 122, 150, 22}, 64, &noFocus);
      dlg::Label(Tr("ポート"), 20, 154);
      dlg::TextBox("joinport", &JoinPort, {80, 150, 70, 22}, 5, &noFocus);
      if (dlg::Button(Tr("接続する"), {308, 122, kButtonW, kButtonH})) Queue([this] { btnJoinClick(); });
      // The same address, to watch the host's matches instead of playing.
      if (dlg::Button(Tr("観戦する"), {308, 152, kButtonW, kButtonH})) Queue([this] { btnWatchClick(); });
      dlg::Label(Tr("入力遅延"), 16, 202);
      if (dlg::ComboBox("delay", DelayItems(), {80, 198, 150, 22}, &DelayIndex))
        ChosenInputDelay = DelayIndex <= 0 ? -1 : DelayIndex - 1;
      if (dlg::Button(Tr("キャンセル"), {316, 196, kButtonW, kButtonH})) Queue([this] { btnCancelClick(); });
    }
  }
  dlg::EndDialog();
  for (int key : dlg::KeyPresses()) {
    if (key == kEscape) Queue([this] { btnCancelClick(); });
    if (key == kEnter) Queue([this] { pendingSession_ ? btnCancelClick() : btnHostClick(); });
  }
  if (closeBox)
    Queue([this] {
      pendingSession_.reset();
      ModalResult = mrCancel;
    });
  // The link is serviced every frame, so the window never freezes while it waits.
  if (!pending_ && pendingSession_) {
    ServiceLink();
    platform::dlg::DrawAgainWithin(15);
  }
  return static_cast<bool>(pending_);
}

void NetVersusCommand() {
  if (OnlineVersusPeer) {
    Tell(Tr("もうネット対戦をしています。やめるときは対戦画面で Esc を押してください。"));
    return;
  }
  const bool onMenu = CurrentMapScene && SceneName == "MainMenu";
  if (!onMenu && !CurrentVersus) {
    Tell(Tr("ネット対戦はメインメニューか対戦画面から始めてください。"));
    return;
  }
  TNetVersusForm form;
  if (form.ShowModal() != mrOk || !form.Session) return;
  // The dialog ran inside a scene step; the scene may have changed meanwhile.
  if (CurrentVersus) {
    platform::Canvas& canvas = CurrentVersus->GetTargetCanvas();
    SetSceneStep(nullptr);
    delete CurrentVersus;
    StartOnlineVersus(std::move(form.Session), canvas);
  } else if (CurrentMapScene && SceneName == "MainMenu") {
    platform::Canvas& canvas = CurrentMapScene->GetTargetCanvas();
    SetSceneStep(nullptr);
    delete CurrentMapScene;
    StartOnlineVersus(std::move(form.Session), canvas);
  }
}
