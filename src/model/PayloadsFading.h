// Payloads of the fading, effect-text and media kinds.
#pragma once

#include "model/Project.h"

// The payload of a fading, effect-text or media kind with its defaults; null for any other kind.
std::unique_ptr<TObjectPayload> NewFadingPayload(TObjectType kind);
