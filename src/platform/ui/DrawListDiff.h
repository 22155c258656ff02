// platform/ui: where an ImGui frame differs from the one before it, so only that part of the
// window is drawn and sent again. Frames are compared by their draw lists: ImGui emits a
// window's shapes in the order drawn, so a caret that blinks or a button lit adds, drops or
// changes a few vertices between runs both frames share at the start and the end of that
// window's list. A window that came, went or changed its clipping or textures counts whole.
#pragma once
#include <imgui.h>

#include <vector>

namespace platform::ui {

class DrawListDiff {
 public:
  // Compares the frame with the last one given and keeps it. True when they differ; lo and
  // hi then bound the vertices that differ, old and new, in the UI's coordinates.
  bool Update(const ImDrawData& frame, ImVec2& lo, ImVec2& hi);

 private:
  struct ListCopy {
    std::vector<ImDrawVert> vtx;
    std::vector<ImDrawCmd> cmds;
  };
  std::vector<ListCopy> last_;
};

}  // namespace platform::ui
