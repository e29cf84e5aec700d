// Events: a handler slot holding a method of an object or any callable.
//
// TEvent<Args...> is the framework's method pointer. It is empty until assigned, can be tested
// and cleared, and calling an empty event does nothing. A handler bound from a form file also
// remembers the name of the published method, so that the form can be written back.
#pragma once

#include <functional>
#include <type_traits>
#include <utility>

#include "framework/system/SysUtils.h"

namespace Tovix {

template <typename... Args>
class TEvent {
 public:
  TEvent() = default;
  TEvent(std::nullptr_t) {}

  // A method of an object: TEvent<TObject*>(this, &TForm1::Button1Click).
  template <typename T, typename M>
    requires std::is_base_of_v<M, T>
  TEvent(T* object, void (M::*method)(Args...), String methodName = String())
      : handler_([object, method](Args... args) { (object->*method)(std::forward<Args>(args)...); }),
        data_(AsObject(object)),
        methodName_(std::move(methodName)) {}

  // Any callable taking the event's arguments, such as a lambda.
  template <typename F>
    requires(!std::is_same_v<std::decay_t<F>, TEvent> && std::is_invocable_v<F&, Args...>)
  TEvent(F f) : handler_(std::move(f)) {}

  explicit operator bool() const { return static_cast<bool>(handler_); }
  bool Assigned() const { return static_cast<bool>(handler_); }
  void operator()(Args... args) const {
    if (handler_) handler_(std::forward<Args>(args)...);
  }
  void Clear() { *this = TEvent(); }

  // The object whose method handles the event (null for other callables).
  TObject* GetData() const { return data_; }
  // The published method's name when bound by name, else empty.
  const String& GetMethodName() const { return methodName_; }

 private:
  template <typename T>
  static TObject* AsObject(T* object) {
    if constexpr (std::is_base_of_v<TObject, T>) return object;
    else return nullptr;
  }

  std::function<void(Args...)> handler_;
  TObject* data_ = nullptr;
  String methodName_;
};

using TNotifyEvent = TEvent<TObject* /*Sender*/>;

}  // namespace Tovix
