// online: "ファイル → ネット対戦…": host a game (a port, with this machine's addresses to tell
// the other player), join one or watch one (an address and a port). While the link is being set up the
// dialog waits with a cancel button, the window stays alive; once both games greeted each
// other the versus screen comes up for online play.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "online/OnlineSession.h"
#include "platform/ui/FormControls.h"
#include "platform/Translate.h"

class TNetVersusForm : public TModalForm {
 public:
  TNetVersusForm();
  int ShowModal();

  static constexpr const char* kCaption = kOnlineCaption;
  static constexpr int kClientWidth = 420, kClientHeight = 236;

  std::string HostPort = "7777", JoinAddress, JoinPort = "7777";
  std::vector<std::string> Addresses;  // this machine's, for the host to tell
  // The local input delay: 0 from the round trip, else 1 + the frames chosen.
  int DelayIndex = 0;
  // Set up and greeted: the session online play goes on with (after ShowModal returned OK).
  std::unique_ptr<OnlineSession> Session;

  void btnHostClick();
  void btnJoinClick();
  void btnWatchClick();
  void btnCancelClick();

 private:
  bool Draw() override;
  // While the link is set up: services it, and once greeted (or failed) queues the handler
  // that ends the wait, as a click would, so the modal loop sees what it decides.
  void ServiceLink();
  void Greeted();     // OK: the dialog closes with the session
  void LinkFailed();  // back to the choice, with why
  void Queue(std::function<void()> handler);
  void Connect(bool watch);

  std::unique_ptr<OnlineSession> pendingSession_;
  std::string waitingText_;
  bool focusWanted_ = true;
};

// The menu item: only from the main menu or the versus screen, whose scene it replaces.
void NetVersusCommand();
