// Where one UI frame differs from the last: only what changed between the runs both share
// (a caret that came), and the whole of a window that went.
#include <gtest/gtest.h>

#include <imgui.h>

#include "platform/ui/DrawListDiff.h"

namespace {

// A window's list: a face, a caret (when shown) and a label after it, as a dialog draws them.
void DrawWindow(ImDrawList& l, float x, bool caret) {
  l._ResetForNewFrame();
  l.PushClipRectFullScreen();
  l.PushTextureID(ImGui::GetIO().Fonts->TexID);
  l.AddRectFilled(ImVec2(x, 100), ImVec2(x + 400, 300), IM_COL32(212, 208, 200, 255));
  if (caret) l.AddRectFilled(ImVec2(x + 50, 120), ImVec2(x + 51, 136), IM_COL32(0, 0, 0, 255));
  l.AddRectFilled(ImVec2(x + 200, 250), ImVec2(x + 260, 270), IM_COL32(255, 255, 255, 255));
}

ImDrawData Frame(std::vector<ImDrawList*> lists) {
  ImDrawData d;
  d.Valid = true;
  d.CmdLists = lists.empty() ? nullptr : new ImDrawList*[lists.size()];
  for (size_t i = 0; i < lists.size(); ++i) d.CmdLists[i] = lists[i];
  d.CmdListsCount = static_cast<int>(lists.size());
  return d;
}

TEST(DrawListDiff, BoundsWhatChangedAndAWindowThatWentWhole) {
  ImGui::CreateContext();
  ImGui::GetIO().Fonts->AddFontDefault();
  ImGui::GetIO().Fonts->Build();
  ImDrawList strip(ImGui::GetDrawListSharedData()), dialog(ImGui::GetDrawListSharedData());
  DrawWindow(strip, 0, false);
  platform::ui::DrawListDiff diff;
  ImVec2 lo, hi;

  DrawWindow(dialog, 100, false);
  ImDrawData f = Frame({&strip, &dialog});
  EXPECT_TRUE(diff.Update(f, lo, hi)) << "the first frame is new";
  EXPECT_FALSE(diff.Update(f, lo, hi)) << "the same frame again differs";

  DrawWindow(dialog, 100, true);  // the caret comes
  EXPECT_TRUE(diff.Update(f, lo, hi));
  EXPECT_EQ(lo.x, 150);
  EXPECT_EQ(lo.y, 120);
  EXPECT_EQ(hi.x, 151);
  EXPECT_EQ(hi.y, 136);

  DrawWindow(dialog, 100, false);  // and goes
  EXPECT_TRUE(diff.Update(f, lo, hi));
  EXPECT_EQ(lo.x, 150);
  EXPECT_EQ(hi.y, 136);

  ImDrawData without = Frame({&strip});  // the dialog closes: all of it
  EXPECT_TRUE(diff.Update(without, lo, hi));
  EXPECT_EQ(lo.x, 100);
  EXPECT_EQ(lo.y, 100);
  EXPECT_EQ(hi.x, 500);
  EXPECT_EQ(hi.y, 300);
  delete[] f.CmdLists;
  delete[] without.CmdLists;
  ImGui::DestroyContext();
}

}  // namespace
