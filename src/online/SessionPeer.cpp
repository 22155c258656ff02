// online: the online peers' session.
#include "online/SessionPeer.h"

#include "online/OnlineVersus.h"
#include "platform/Dialogs.h"
#include "platform/Translate.h"
#include "platform/Window.h"

void SessionPeer::Open(std::unique_ptr<OnlineSession> session) {
  session_ = std::move(session);
  watcherBefore_ = SetWaitWatcher(this);
  LastOnlineEnd.clear();
}

void SessionPeer::End() {
  if (!session_) return;
  session_.reset();
  SetWaitWatcher(watcherBefore_);
  OnlineVersusPeer = nullptr;
}

void SessionPeer::Part(bool tell) {
  if (tell) {
    LastOnlineEnd = session_->OverMessage();
    if (!LastOnlineEnd.empty()) platform::ShowMessage(Tr(kOnlineCaption), LastOnlineEnd);
  }
  session_.reset();  // says goodbye; a host's port is no longer listened on
  SetWaitWatcher(watcherBefore_);
  if (OnlineMatchLimit > 0) platform::CloseWindow();
}
