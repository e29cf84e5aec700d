// Small value types of the Classes unit that controls share.
#pragma once

#include "framework/classes/TypInfo.h"

namespace Tovix {

// How text lies across its space; edits map it to ES_LEFT, ES_RIGHT and ES_CENTER.
enum TAlignment { taLeftJustify, taRightJustify, taCenter };

template <>
struct TEnumTraits<TAlignment> {
  static const TEnumInfo& Info() {
    static const TEnumInfo info{{"taLeftJustify", "taRightJustify", "taCenter"}};
    return info;
  }
};

}  // namespace Tovix
