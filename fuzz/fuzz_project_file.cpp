// Project files and player containers from arbitrary bytes: the settings block, the page table, the
// outlines, then every page read from its range. What is accepted must save again.
#include "FuzzFile.h"
#include "model/Globals.h"
#include "model/PageStream.h"
#include "model/ProjectFile.h"

namespace {
void ReadEveryPage() {
  for (const auto& form : Project.Forms) {
    TPageData page;
    TError e;
    LoadFormData(*form, page, &e);
  }
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const bool once = [] {
    SourceOpenAttempts = 1;
    ExeReadRetry = {1, 0};
    ExeWriteRetry = {1, 0};
    return true;
  }();
  (void)once;
  const QString file = FuzzInputFile(data, size, "project");
  TError error;
  IsDesigner = true;
  if (LoadProjectFromFile(file, error)) {
    SourceFileName = file;
    ReadEveryPage();
    const QString copy = file + QStringLiteral(".saved");
    if (!SaveProjectToFile(copy, file, error)) __builtin_trap();
    QFile::remove(copy);
  }
  IsDesigner = false;
  if (LoadProjectFromExe(file, error)) {
    SourceFileName = file;
    ReadEveryPage();
  }
  ResetProject(false);
  SourceFileName.clear();
  return 0;
}
