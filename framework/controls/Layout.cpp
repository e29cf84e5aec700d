#include "framework/controls/Layout.h"

#include <algorithm>

#include "framework/classes/TypInfoBuilder.h"
#include "framework/system/WinApi.h"

namespace Tovix {

TOVIX_IMPLEMENT_CLASS(TSizeConstraints, TPersistent) {
  c.Property("MaxHeight", &TSizeConstraints::GetMaxHeight, &TSizeConstraints::SetMaxHeight).Default(0);
  c.Property("MaxWidth", &TSizeConstraints::GetMaxWidth, &TSizeConstraints::SetMaxWidth).Default(0);
  c.Property("MinHeight", &TSizeConstraints::GetMinHeight, &TSizeConstraints::SetMinHeight).Default(0);
  c.Property("MinWidth", &TSizeConstraints::GetMinWidth, &TSizeConstraints::SetMinWidth).Default(0);
}

const TEnumInfo& TEnumTraits<TAnchorKind>::Info() {
  static const TEnumInfo info{{"akLeft", "akTop", "akRight", "akBottom"}};
  return info;
}

void TSizeConstraints::Change(int& field, int value, int& other, bool otherIsMax) {
  value = std::max(value, 0);
  if (value == field) return;
  field = value;
  if (value && other && (otherIsMax ? other < value : other > value)) other = value;
  onChange_(this);
}

void TSizeConstraints::SetMinWidth(int v) { Change(minWidth_, v, maxWidth_, true); }
void TSizeConstraints::SetMinHeight(int v) { Change(minHeight_, v, maxHeight_, true); }
void TSizeConstraints::SetMaxWidth(int v) { Change(maxWidth_, v, minWidth_, false); }
void TSizeConstraints::SetMaxHeight(int v) { Change(maxHeight_, v, minHeight_, false); }

void TSizeConstraints::Assign(TPersistent* source) {
  auto* other = dynamic_cast<TSizeConstraints*>(source);
  if (!other) return TPersistent::Assign(source);
  minWidth_ = other->minWidth_;
  minHeight_ = other->minHeight_;
  maxWidth_ = other->maxWidth_;
  maxHeight_ = other->maxHeight_;
  onChange_(this);
}

void TSizeConstraints::Apply(int& width, int& height) const {
  if (maxWidth_ && width > maxWidth_) width = maxWidth_;
  if (minWidth_ && width < minWidth_) width = minWidth_;
  if (maxHeight_ && height > maxHeight_) height = maxHeight_;
  if (minHeight_ && height < minHeight_) height = minHeight_;
}

void TSizeConstraints::Scale(int multiply, int divide) {
  for (int* field : {&minWidth_, &minHeight_, &maxWidth_, &maxHeight_}) *field = MulDiv(*field, multiply, divide);
  onChange_(this);
}

}  // namespace Tovix
