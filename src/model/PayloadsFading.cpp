#include "model/PayloadsFading.h"

std::unique_ptr<TObjectPayload> NewFadingPayload(TObjectType) { return nullptr; }
