// platform/ui: where an ImGui frame differs from the one before it.
#include "platform/ui/DrawListDiff.h"

#include <algorithm>
#include <cfloat>
#include <cstring>

namespace platform::ui {

namespace {

bool SameCmds(const std::vector<ImDrawCmd>& a, const ImVector<ImDrawCmd>& b) {
  if (a.size() != static_cast<size_t>(b.Size)) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    const ImDrawCmd &x = a[i], &y = b[static_cast<int>(i)];
    if (std::memcmp(&x.ClipRect, &y.ClipRect, sizeof x.ClipRect) != 0 || x.TextureId != y.TextureId) return false;
  }
  return true;
}

bool SameVerts(const ImDrawVert& a, const ImDrawVert& b) {
  return a.pos.x == b.pos.x && a.pos.y == b.pos.y && a.uv.x == b.uv.x && a.uv.y == b.uv.y && a.col == b.col;
}

}  // namespace

bool DrawListDiff::Update(const ImDrawData& d, ImVec2& lo, ImVec2& hi) {
  lo = ImVec2(FLT_MAX, FLT_MAX);
  hi = ImVec2(-FLT_MAX, -FLT_MAX);
  auto add = [&](const ImDrawVert* v, size_t n) {
    for (size_t i = 0; i < n; ++i) {
      lo = ImVec2(std::min(lo.x, v[i].pos.x), std::min(lo.y, v[i].pos.y));
      hi = ImVec2(std::max(hi.x, v[i].pos.x), std::max(hi.y, v[i].pos.y));
    }
  };
  const size_t lists = static_cast<size_t>(d.CmdListsCount);
  bool changed = lists != last_.size();
  for (size_t i = 0; i < std::max(lists, last_.size()); ++i) {
    const ImDrawList* now = i < lists ? d.CmdLists[i] : nullptr;
    ListCopy* was = i < last_.size() ? &last_[i] : nullptr;
    const size_t nv = now ? static_cast<size_t>(now->VtxBuffer.Size) : 0;
    if (!now || !was || !SameCmds(was->cmds, now->CmdBuffer)) {
      changed = true;
      if (was) add(was->vtx.data(), was->vtx.size());
      if (now) add(now->VtxBuffer.Data, nv);
      continue;
    }
    const ImDrawVert* a = was->vtx.data();
    const ImDrawVert* b = now->VtxBuffer.Data;
    const size_t na = was->vtx.size(), shorter = std::min(na, nv);
    size_t head = 0, tail = 0;
    while (head < shorter && SameVerts(a[head], b[head])) ++head;
    if (head == na && head == nv) continue;
    while (tail < shorter - head && SameVerts(a[na - 1 - tail], b[nv - 1 - tail])) ++tail;
    changed = true;
    add(a + head, na - head - tail);
    add(b + head, nv - head - tail);
  }
  last_.resize(lists);
  for (size_t i = 0; i < lists; ++i) {
    const ImDrawList& l = *d.CmdLists[i];
    last_[i].vtx.assign(l.VtxBuffer.begin(), l.VtxBuffer.end());
    last_[i].cmds.assign(l.CmdBuffer.begin(), l.CmdBuffer.end());
  }
  return changed;
}

}  // namespace platform::ui
