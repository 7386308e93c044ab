#include "model/PayloadsFading.h"
#include "model/PayloadsStandard.h"
#include "model/Project.h"

std::unique_ptr<TObjectPayload> NewPayload(TObjectType kind) {
  if (auto p = NewStandardPayload(kind)) return p;
  return NewFadingPayload(kind);
}
