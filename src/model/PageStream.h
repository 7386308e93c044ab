// The page stream: one page's window properties, menus, status bar and object tree.
#pragma once

#include "model/Project.h"
