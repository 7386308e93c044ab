#include "model/PayloadsStandard.h"

std::unique_ptr<TObjectPayload> NewStandardPayload(TObjectType) { return nullptr; }
