// platform/ui: the modal loop both dialogs run.
#include "platform/ui/FormControls.h"

#include "platform/ui/DialogWidgets.h"

int TModalForm::RunModalLoop() {
  pending_ = nullptr;
  int result = platform::dlg::RunDialog([this] { return Draw(); },
                                        [this] {
                                          auto handler = std::move(pending_);
                                          pending_ = nullptr;
                                          if (handler) handler();
                                          return ModalResult;
                                        });
  pending_ = nullptr;
  ModalResult = result;
  return result;
}
