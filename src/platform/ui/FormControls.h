// platform/ui: the state of the dialogs' controls, kept apart from their drawing so that the
// dialogs' rules run (and are tested) without a window.
#pragma once
#include <functional>
#include <string>
#include <vector>

// Modal results of the dialogs.
enum : int { mrNone = 0, mrOk = 1, mrCancel = 2, mrYes = 6 };

struct TRadioGroup {
  std::string Caption;
  std::vector<std::string> Items;
  int Columns = 1;
  int ItemIndex = -1;  // -1: no item selected
  bool Visible = true;
  int Count() const { return static_cast<int>(Items.size()); }
};

// A drop-down list (or the key dialog's list box): ItemIndex -1 selects nothing.
struct TComboBox {
  std::vector<std::string> Items;
  int ItemIndex = -1;
  int Count() const { return static_cast<int>(Items.size()); }
};
using TListBox = TComboBox;

struct TCheckBox {
  std::string Caption;
  bool Checked = false;
};

struct TEdit {
  std::string Text;
  int Tag = 0;
};

// What both modal dialogs share: the modal result, and the handler a control queued while
// the dialog was drawn, which runs after the frame (it may show a message box or open the
// other dialog).
class TModalForm {
 public:
  virtual ~TModalForm() = default;
  int ModalResult = mrNone;

 protected:
  // Draws frames until a handler sets ModalResult (or the window closes); returns it.
  int RunModalLoop();
  virtual bool Draw() = 0;  // one frame of the dialog; true when a control queued its handler
  std::function<void()> pending_;
};
