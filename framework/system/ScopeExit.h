// TScopeExit: runs an action when the scope it lives in ends, on every path out of it; the
// framework's try/finally.
//
//   list->BeginUpdate();
//   TScopeExit endUpdate([&] { list->EndUpdate(); });
//   ... may raise ...
//
// When the scope is left by an exception and the action raises too, the action's exception is
// dropped so that the one already on its way out reaches the caller; otherwise the action's
// exception propagates as any other.
#pragma once

#include <exception>
#include <utility>

namespace Tovix {

template <typename F>
class TScopeExit {
 public:
  explicit TScopeExit(F action) : action_(std::move(action)), exceptions_(std::uncaught_exceptions()) {}
  ~TScopeExit() noexcept(false) {
    if (std::uncaught_exceptions() <= exceptions_) {
      action_();
      return;
    }
    try {
      action_();
    } catch (...) {
      // Leaving by an exception already: that one is what the caller must see.
    }
  }
  TScopeExit(const TScopeExit&) = delete;
  TScopeExit& operator=(const TScopeExit&) = delete;

 private:
  F action_;
  int exceptions_;
};

}  // namespace Tovix
