// online: the online versus dialog's rules, layout and menu item.
#include "online/NetVersusDialog.h"

#include "actors/Vsmode.h"
#include "field/Fieldmap.h"
#include "field/MapState.h"
#include "online/OnlineVersus.h"
#include "platform/DialogWidgets.h"
#include "platform/Dialogs.h"
#include "platform/net/NetLink.h"
#include "shell/Bramkoworld.h"
#include "shell/Game.h"

namespace {

using platform::dlg::Rect;
constexpr int kButtonW = 96, kButtonH = 26;
constexpr int kEnter = 0x0D, kEscape = 0x1B;

void Tell(const std::string& text) { platform::ShowMessage(TNetVersusForm::kCaption, text); }

const std::vector<std::string>& DelayItems() {
  static const std::vector<std::string> items = [] {
    std::vector<std::string> v = {"自動（0〜" + std::to_string(kAutoDelayMost) + " フレーム）"};
    for (int d = 0; d <= kChosenDelayMost; ++d) v.push_back(std::to_string(d) + " フレーム");
    return v;
  }();
  return items;
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
  if (!ParsePort(HostPort, &port)) return Tell("ポートには 1 から 65535 までの数を入れてください。");
  std::string error;
  pendingSession_ = OnlineSession::Host(port, &error);
  if (!pendingSession_) return Tell(error);
  waitingText_ = "ポート " + std::to_string(port) + " で相手を待っています…";
}

void TNetVersusForm::btnJoinClick() {
  uint16_t port = 0;
  if (!ParsePort(JoinPort, &port)) return Tell("ポートには 1 から 65535 までの数を入れてください。");
  std::string host;
  if (!platform::net::ParseHostPort(JoinAddress, port, &host, &port)) return Tell("相手のアドレスを入れてください。");
  std::string error;
  pendingSession_ = OnlineSession::Join(host, port, &error);
  if (!pendingSession_) return Tell(error);
  waitingText_ = host + " につないでいます…";
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
  Tell(why.empty() ? "つながりませんでした。" : why);
}

bool TNetVersusForm::Draw() {
  namespace dlg = platform::dlg;
  bool closeBox = false;
  if (dlg::BeginDialog(kCaption, kClientWidth, kClientHeight, &closeBox)) {
    if (pendingSession_) {
      dlg::Label(waitingText_, 16, 60);
      dlg::Label("（相手がつなぐまで、このままお待ちください）", 16, 88);
      if (dlg::Button("キャンセル", {162, 196, kButtonW, kButtonH}, true)) Queue([this] { btnCancelClick(); });
    } else {
      dlg::GroupBox("ホストになる（あなたがプレイヤー1）", {8, 8, 404, 84});
      dlg::Label("ポート", 20, 34);
      dlg::TextBox("hostport", &HostPort, {80, 30, 70, 22}, 5, &focusWanted_);
      if (dlg::Button("待ち受ける", {308, 30, kButtonW, kButtonH}, true)) Queue([this] { btnHostClick(); });
      std::string addresses = "このパソコンのアドレス：";
      for (size_t i = 0; i < Addresses.size(); ++i) addresses += (i ? "、" : "") + Addresses[i];
      if (Addresses.empty()) addresses += "（見つかりません）";
      dlg::Label(addresses, {20, 62, 384, 22});
      dlg::GroupBox("参加する（あなたがプレイヤー2）", {8, 100, 404, 84});
      dlg::Label("アドレス", 20, 126);
      bool noFocus = false;
      dlg::TextBox("address", &JoinAddress, {80, 122, 150, 22}, 64, &noFocus);
      dlg::Label("ポート", 20, 154);
      dlg::TextBox("joinport", &JoinPort, {80, 150, 70, 22}, 5, &noFocus);
      if (dlg::Button("接続する", {308, 122, kButtonW, kButtonH})) Queue([this] { btnJoinClick(); });
      dlg::Label("入力遅延", 16, 202);
      if (dlg::ComboBox("delay", DelayItems(), {80, 198, 150, 22}, &DelayIndex))
        ChosenInputDelay = DelayIndex <= 0 ? -1 : DelayIndex - 1;
      if (dlg::Button("キャンセル", {316, 196, kButtonW, kButtonH})) Queue([this] { btnCancelClick(); });
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
    Tell("もうネット対戦をしています。やめるときは対戦画面で Esc を押してください。");
    return;
  }
  const bool onMenu = CurrentMapScene && SceneName == "MainMenu";
  if (!onMenu && !CurrentVersus) {
    Tell("ネット対戦はメインメニューか対戦画面から始めてください。");
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
