// ScopeExit: runs an action when a scope ends, however it ends (returning or raising). The action
// must not raise.
#pragma once

#include <utility>

namespace Tovix {

template <typename F>
class ScopeExit {
 public:
  explicit ScopeExit(F action) : action_(std::move(action)) {}
  ~ScopeExit() { action_(); }
  ScopeExit(const ScopeExit&) = delete;
  ScopeExit& operator=(const ScopeExit&) = delete;

 private:
  F action_;
};

}  // namespace Tovix
