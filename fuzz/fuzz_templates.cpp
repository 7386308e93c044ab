// Object and page template files, and their icons read alone, from arbitrary bytes.
#include "FuzzFile.h"
#include "model/PageStream.h"
#include "model/ProjectFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QString file = FuzzInputFile(data, size, "template");
  TError error;
  QByteArray icon;
  auto object = NewAuObject();
  LoadObjectTemplate(file, *object, error);
  LoadObjectTemplateIcon(file, icon, error);
  TPageData page;
  LoadPageTemplate(file, page, error);
  LoadPageTemplateIcon(file, icon, error);
  return 0;
}
