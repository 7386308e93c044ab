// Where the programs under test and the fuzz seeds live. The paths are compiled into one generated
// source in the build folder, so every other test source stays independent of that folder.
#pragma once

#include <QString>

namespace TestPaths {
QString MenuviaBinary();
QString CliBinary();
QString SeedDir();
}  // namespace TestPaths
