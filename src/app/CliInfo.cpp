// menuvia-cli info: what a project file or player executable holds, read the way the designer
// reads it (settings, page table and outlines; pages themselves are not parsed).
#include <QFileInfo>
#include <QStringList>
#include <QTextStream>

#include "model/ProjectFile.h"
#include "model/ProjectStream.h"

int RunInfo(const QStringList& args, QTextStream& out, QTextStream& err) {
  if (args.size() != 1) {
    err << "Usage: menuvia-cli info FILE\n";
    return 2;
  }
  const QString fileName = args[0];
  if (!QFileInfo(fileName).isFile()) {
    err << "menuvia-cli info: \"" << fileName << "\" is not a file\n";
    return 1;
  }
  TProjectFileSummary summary;
  TError error;
  if (!InspectProjectFile(fileName, summary, error)) {
    err << "menuvia-cli info: \"" << fileName << "\": " << error.Message() << '\n';
    return 1;
  }
  const TMenuProject& p = summary.Project;
  out << "File: " << fileName << '\n';
  out << "Kind: " << (summary.Kind == TProjectFileKind::ProjectFile ? "project file" : "player executable with project")
      << '\n';
  out << "Version: " << summary.Version << '\n';
  out << "Size: " << summary.FileSize << " bytes, settings at " << summary.BlockOffset << '\n';
  out << "Title: " << p.AppTitle << '\n';
  out << "Output name: " << p.AppOutputFileName << '\n';
  out << "Security: " << EnumToName(p.SecurityType) << '\n';
  out << "Start actions: " << p.OnStartActions.Actions.size() << ", exit actions: " << p.OnExitActions.Actions.size()
      << '\n';
  out << "Pages: " << p.Forms.size() << '\n';
  for (size_t i = 0; i < p.Forms.size(); ++i) {
    const TFormData& form = *p.Forms[i];
    const int objects = form.ObjectInfo ? CountOutlineObjects(*form.ObjectInfo) : 0;
    out << "  " << i << " \"" << form.FormName << "\" bytes " << form.Position << ".."
        << qint64(form.Position) + form.Length << " (" << form.Length << " bytes), objects " << objects << '\n';
  }
  out.flush();
  return 0;
}
