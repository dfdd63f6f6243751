#include "entities/entity_list.h"

#include <algorithm>

#include "entities/entidad.h"

void EntityLink::Remove() {
  if (list_) list_->Unlink(*this);
}

EntityList::EntityList() : head_(std::make_shared<EntityLink>()), tail_(head_.get()) {
  head_->list_ = this;  // the sentinel never leaves
}

EntityList::~EntityList() {
  Clear();
}

std::shared_ptr<EntityLink> EntityList::Append(std::shared_ptr<TEntidad> entity) {
  auto link = std::make_shared<EntityLink>();
  link->entity_ = std::move(entity);
  link->list_ = this;
  link->prev_ = tail_;
  tail_->next_ = link;
  tail_ = link.get();
  ++count_;
  return link;
}

EntityList::WalkPosition::WalkPosition(const EntityList& list) : list(list), at(list.head_.get()) {
  list.walks_.push_back(this);
}

EntityList::WalkPosition::~WalkPosition() {
  list.walks_.erase(std::find(list.walks_.begin(), list.walks_.end(), this));
}

void EntityList::Unlink(EntityLink& link) {
  std::shared_ptr<EntityLink> self = link.prev_->next_;  // keeps the entry alive until we return
  for (WalkPosition* walk : walks_) {
    if (walk->at == &link) walk->at = link.prev_;
  }
  link.prev_->next_ = link.next_;
  if (link.next_) {
    link.next_->prev_ = link.prev_;
  } else {
    tail_ = link.prev_;
  }
  link.list_ = nullptr;
  link.prev_ = nullptr;
  link.next_.reset();
  link.entity_.reset();
  --count_;
}

void EntityList::Clear() {
  // Taken apart one entry at a time: letting the chain of owners destroy itself would recurse
  // once per entity.
  std::shared_ptr<EntityLink> link = std::move(head_->next_);
  while (link) {
    link->list_ = nullptr;
    link->prev_ = nullptr;
    link->entity_.reset();
    link = std::move(link->next_);
  }
  tail_ = head_.get();
  count_ = 0;
  for (WalkPosition* walk : walks_) walk->at = head_.get();
}

void EntityList::SwapWithNext(EntityLink& first) {
  EntityLink* before = first.prev_;
  std::shared_ptr<EntityLink> firstOwner = before->next_;
  std::shared_ptr<EntityLink> second = first.next_;
  first.next_ = second->next_;
  if (first.next_) {
    first.next_->prev_ = &first;
  } else {
    tail_ = &first;
  }
  second->next_ = std::move(firstOwner);
  first.prev_ = second.get();
  second->prev_ = before;
  before->next_ = std::move(second);
}

void EntityList::SortByDepth() {
  bool swapped = true;
  while (swapped) {
    swapped = false;
    EntityLink* link = head_->next_.get();
    while (link && link->next_) {
      if (link->entity_->Compare(*link->next_->entity_) > 0) {
        SwapWithNext(*link);  // link moved one place on; its new successor is compared next
        swapped = true;
      } else {
        link = link->next_.get();
      }
    }
  }
}
