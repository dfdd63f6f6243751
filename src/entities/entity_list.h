#pragma once
// The list of live entities of one play field. Entities leave and join it while it is being
// walked (a splat removes itself, a player swaps its aiming arrow), so a walk must survive both.
#include <cstddef>
#include <memory>

class TEntidad;
class EntityList;

// One entry. Taking it out of the list keeps its pointer to the entry that followed it, so a walk
// standing on it carries on from there.
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
    std::shared_ptr<EntityLink> visited = head_;  // the last entry left while still in the list
    std::shared_ptr<EntityLink> link = head_->next_;
    while (link) {
      if (link->InList()) {
        std::shared_ptr<TEntidad> entity = link->entity_;  // alive even if it removes itself
        visit(entity);
      }
      if (link->InList()) {
        visited = link;
        link = link->next_;
      } else if (link->next_) {
        link = link->next_;  // what followed it when it was taken out
      } else {
        // It was the last one: anything appended since follows the last entry still in the list.
        link = visited->InList() ? visited->next_ : nullptr;
      }
    }
  }

  // Stable bubble sort: greater depth first, equal depths keep their order. Entries are relinked,
  // never swapped in place, so every entity's stored link keeps naming its own entry.
  void SortByDepth();

 private:
  friend class EntityLink;
  void Unlink(EntityLink& link);
  void SwapWithNext(EntityLink& link);

  std::shared_ptr<EntityLink> head_;  // sentinel; head_->next_ is the first entry
  EntityLink* tail_;
  size_t count_ = 0;
};
