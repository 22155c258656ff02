// actors: the plain ordered lists of fangs, items and chips. A list does not own its
// sprites' memory; each sprite adds itself when built and takes itself off in Release.
// Passes over a list visit the members present when the pass starts, in list order; a
// member released during the pass (by the visitor's verdict or by anyone else) is skipped
// from then on, so releasing one never skips the next and nothing touches a released one.
#pragma once
#include <algorithm>
#include <vector>

template <class T>
class SpriteList {
 public:
  // What a visitor decides about the member it was shown.
  enum Verdict { Keep, Release };

  void Add(T* sprite) { members_.push_back(sprite); }
  // Takes the sprite off the list and out of every pass that has not reached it yet.
  void Remove(T* sprite) {
    members_.erase(std::remove(members_.begin(), members_.end(), sprite), members_.end());
    for (std::vector<T*>* pass : passes_) std::replace(pass->begin(), pass->end(), sprite, static_cast<T*>(nullptr));
  }
  int Count() const { return static_cast<int>(members_.size()); }
  T* At(int index) const { return index >= 0 && index < Count() ? members_[static_cast<size_t>(index)] : nullptr; }
  bool Contains(const T* sprite) const { return std::find(members_.begin(), members_.end(), sprite) != members_.end(); }

  // visit(T*) -> Verdict. The list releases a member the visitor gives up, after the visitor
  // has returned; the visitor itself never releases the member it holds.
  template <class Visit>
  void ForEach(Visit&& visit) {
    // The outermost pass works in a buffer kept from pass to pass (one runs every frame);
    // a nested one, which a visitor might start, takes one of its own.
    std::vector<T*> nested;
    std::vector<T*>& pass = passes_.empty() ? buffer_ : nested;
    pass.assign(members_.begin(), members_.end());
    passes_.push_back(&pass);
    for (size_t i = 0; i < pass.size(); ++i) {
      T* s = pass[i];
      if (!s) continue;
      if (visit(s) == Release) {
        pass[i] = nullptr;
        s->Release();
      }
    }
    passes_.erase(std::find(passes_.begin(), passes_.end(), &pass));
  }

  // Releases every member, first to last.
  void ReleaseAll() {
    ForEach([](T*) { return Release; });
  }

 private:
  std::vector<T*> members_;
  std::vector<std::vector<T*>*> passes_;  // passes running now (a visitor may start another)
  std::vector<T*> buffer_;
};
