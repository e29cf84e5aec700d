// How a control keeps its place and size as its parent changes: the edges it is anchored to,
// and the limits of its size.
#pragma once

#include "framework/classes/Persistent.h"
#include "framework/system/Events.h"

namespace Tovix {

// A control anchored to an edge keeps its distance to that edge of its parent's client area
// when the parent is resized; anchored to both opposite edges it stretches; to neither, it
// keeps its place relative to the middle.
enum TAnchorKind { akLeft, akTop, akRight, akBottom };
using TAnchors = TSet<TAnchorKind>;
inline const TAnchors kDefaultAnchors{akLeft, akTop};

// The smallest and largest size of a control; 0 means no limit.
class TSizeConstraints : public TPersistent {
  TOVIX_DECLARE_CLASS(TSizeConstraints)

 public:
  int GetMinWidth() const { return minWidth_; }
  int GetMinHeight() const { return minHeight_; }
  int GetMaxWidth() const { return maxWidth_; }
  int GetMaxHeight() const { return maxHeight_; }
  // A maximum below the minimum lowers the minimum to it, and the other way round.
  void SetMinWidth(int v);
  void SetMinHeight(int v);
  void SetMaxWidth(int v);
  void SetMaxHeight(int v);
  void Assign(TPersistent* source) override;
  // The size within the limits.
  void Apply(int& width, int& height) const;
  bool Empty() const { return !minWidth_ && !minHeight_ && !maxWidth_ && !maxHeight_; }
  // Scales every limit by multiply / divide (a form designed at another pixel density).
  void Scale(int multiply, int divide);

  // Told after every change.
  const TNotifyEvent& GetOnChange() const { return onChange_; }
  void SetOnChange(const TNotifyEvent& e) { onChange_ = e; }

 private:
  void Change(int& field, int value, int& other, bool otherIsMax);

  int minWidth_ = 0, minHeight_ = 0, maxWidth_ = 0, maxHeight_ = 0;
  TNotifyEvent onChange_;
};

template <> struct TEnumTraits<TAnchorKind> { static const TEnumInfo& Info(); };

}  // namespace Tovix
