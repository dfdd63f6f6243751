#pragma once
// The list of live entities of one play field. Entities leave and join it while it is being
// walked (a splat removes itself, a player swaps its aiming arrow), so a walk must survive both.
#include <cstddef>
#include <memory>
#include <vector>

class TEntidad;
class EntityList;

// One entry. Taken out of the list it holds nothing more: walks keep track of their own place.
class EntityLink {
 public:
  // Takes the entry out of its list; nothing when it is already out.
  void Remove();
  bool InList() const { return list_ != nullptr; }
  const std::shared_ptr<TEntidad>& Entity() const { return entity_; }

 private:
  friend class EntityList;
  std::shared_ptr<TEntidad> entity_;
  std::shared_ptr<EntityLink> next_;
  EntityLink* prev_ = nullptr;
  EntityList* list_ = nullptr;
};

class EntityList {
 public:
  EntityList();
  ~EntityList();
  EntityList(const EntityList&) = delete;
  EntityList& operator=(const EntityList&) = delete;

  std::shared_ptr<EntityLink> Append(std::shared_ptr<TEntidad> entity);
  void Clear();
  size_t Count() const { return count_; }

  // Calls visit(entity) for each entity in list order. Entities removed before their turn are
  // skipped; entities appended during the walk are reached in the same walk.
  template <class Visit>
  void Walk(Visit&& visit) const {
    WalkPosition position(*this);
    while (EntityLink* link = position.at->next_.get()) {
      position.at = link;
      std::shared_ptr<TEntidad> entity = link->entity_;  // alive even if it removes itself
      visit(entity);
    }
  }

  // Stable bubble sort: greater depth first, equal depths keep their order. Entries are relinked,
  // never swapped in place, so every entity's stored link keeps naming its own entry.
  void SortByDepth();

 private:
  friend class EntityLink;
  // Where a walk stands: the last entry it reached that is still in the list. Taking that entry
  // out moves the walk back to the one before it, whose successor is then the next to visit, so
  // whatever an entity removes or appends the walk neither skips nor repeats anyone.
  struct WalkPosition {
    explicit WalkPosition(const EntityList& list);
    ~WalkPosition();
    WalkPosition(const WalkPosition&) = delete;
    WalkPosition& operator=(const WalkPosition&) = delete;
    const EntityList& list;
    EntityLink* at;
  };

  void Unlink(EntityLink& link);
  void SwapWithNext(EntityLink& link);

  std::shared_ptr<EntityLink> head_;  // sentinel; head_->next_ is the first entry
  EntityLink* tail_;
  size_t count_ = 0;
  mutable std::vector<WalkPosition*> walks_;  // walks under way, innermost last
};
