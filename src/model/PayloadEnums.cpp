#include "model/PayloadEnums.h"

template <>
const QStringList& EnumValueNames<TBorderStyle>() {
  static const QStringList names{QStringLiteral("bsNone"), QStringLiteral("bsSingle")};
  return names;
}
