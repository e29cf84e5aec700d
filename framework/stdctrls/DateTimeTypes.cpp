#include "framework/stdctrls/DateTimeTypes.h"

namespace Tovix {

const TEnumInfo& TEnumTraits<TDTCalAlignment>::Info() {
  static const TEnumInfo info{{"dtaLeft", "dtaRight"}};
  return info;
}

const TEnumInfo& TEnumTraits<TDTDateMode>::Info() {
  static const TEnumInfo info{{"dmComboBox", "dmUpDown"}};
  return info;
}

const TEnumInfo& TEnumTraits<TDTDateFormat>::Info() {
  static const TEnumInfo info{{"dfShort", "dfLong"}};
  return info;
}

const TEnumInfo& TEnumTraits<TDateTimeKind>::Info() {
  static const TEnumInfo info{{"dtkDate", "dtkTime"}};
  return info;
}

}  // namespace Tovix
