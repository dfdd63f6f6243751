#pragma once
// A boxed integer: the manager shuffles the players' slot numbers with these.
#include <cstdint>
#include <memory>

class TInteger {
 public:
  static std::shared_ptr<TInteger> Create(int32_t value) {
    auto boxed = std::make_shared<TInteger>();
    boxed->value = value;
    return boxed;
  }
  int32_t value = 0;
};
