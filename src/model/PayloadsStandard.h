// Payloads of the container and standard-control kinds.
#pragma once

#include "model/Project.h"

// The payload of a container or standard kind with its defaults; null for any other kind.
std::unique_ptr<TObjectPayload> NewStandardPayload(TObjectType kind);
