// menuvia-cli render: pages of a project file, a JSON project or a player executable as PNG
// pictures, drawn offscreen as the player shows them at rest or as the designer's canvas shows them.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QJsonDocument>
#include <QJsonParseError>
#include <QSaveFile>
#include <QStringList>
#include <QTextStream>

#include "app/CliProject.h"
#include "model/Globals.h"
#include "model/JsonForm.h"
#include "model/PageStream.h"
#include "model/Paths.h"
#include "model/ProjectFile.h"
#include "objects/PageRender.h"
#include "render/StockFonts.h"

namespace {

struct TRenderArgs {
  QString FileName;
  int Page = 0;
  QString Output;     // --page: the PNG to write
  QString AllFolder;  // --all: the folder every page goes to
  bool Editing = false;
};

// Parses the arguments; false (usage) when they do not make one of the two forms.
bool ParseArgs(const QStringList& args, TRenderArgs& r) {
  bool pageGiven = false;
  for (int i = 0; i < args.size(); ++i) {
    const QString& a = args[i];
    const bool hasValue = i + 1 < args.size();
    if (a == QLatin1String("--editing")) {
      r.Editing = true;
    } else if (a == QLatin1String("--page") && hasValue) {
      bool ok = false;
      r.Page = args[++i].toInt(&ok);
      if (!ok) return false;
      pageGiven = true;
    } else if (a == QLatin1String("-o") && hasValue) {
      r.Output = args[++i];
    } else if (a == QLatin1String("--all") && hasValue) {
      r.AllFolder = args[++i];
    } else if (!a.startsWith(u'-') && r.FileName.isEmpty()) {
      r.FileName = a;
    } else {
      return false;
    }
  }
  if (r.FileName.isEmpty()) return false;
  // Exactly one form: a page to a file, or every page to a folder.
  return r.AllFolder.isEmpty() ? !r.Output.isEmpty() : r.Output.isEmpty() && !pageGiven;
}

// A page name as a file name: letters, digits, '-' and '_' kept, every other run of characters one '_'.
QString SafeFileStem(const QString& name) {
  QString stem;
  for (const QChar c : name) {
    const bool keep = (c.unicode() < 128 && c.isLetterOrNumber()) || c == u'-' || c == u'_';
    if (keep)
      stem += c;
    else if (!stem.endsWith(u'_'))
      stem += u'_';
    if (stem.size() >= 60) break;
  }
  return stem.isEmpty() ? QStringLiteral("page") : stem;
}

// Writes beside the name and renames into place, so a failed or killed run leaves no broken file.
bool SavePng(const QImage& image, const QString& fileName, QString& error) {
  QSaveFile file(fileName);
  if (!file.open(QIODevice::WriteOnly)) {
    error = file.errorString();
    return false;
  }
  if (!image.save(&file, "PNG")) {
    file.cancelWriting();
    error = QStringLiteral("the picture could not be encoded");
    return false;
  }
  if (!file.commit()) {
    error = file.errorString();
    return false;
  }
  return true;
}

// Renders page index to fileName and reports it; false after printing the reason.
bool RenderOne(int index, const QString& fileName, bool editing, QTextStream& out, QTextStream& err) {
  const TFormData& form = *Project.Forms[size_t(index)];
  const QString what = QStringLiteral("page %1 \"%2\"").arg(index).arg(form.FormName);
  TPageData page;
  TError readError;
  if (!LoadFormData(form, page, &readError)) {
    err << "menuvia-cli render: " << what << " cannot be read: " << readError.Message() << '\n';
    return false;
  }
  TRenderOptions options;
  options.Live = !editing;
  options.ProjectFolder = GetProjectFolder();
  QString error;
  const QImage image = RenderPage(page, options, &error);
  if (image.isNull()) {
    err << "menuvia-cli render: " << what << ": " << error << '\n';
    return false;
  }
  if (!SavePng(image, fileName, error)) {
    err << "menuvia-cli render: cannot write \"" << fileName << "\": " << error << '\n';
    return false;
  }
  out << "Page " << index << " \"" << form.FormName << "\": " << image.width() << " x " << image.height() << " (window "
      << page.Width << " x " << page.Height << ") -> " << fileName << '\n';
  return true;
}

}  // namespace

int RunRender(const QStringList& args, QTextStream& out, QTextStream& err) {
  TRenderArgs r;
  if (!ParseArgs(args, r)) {
    err << "usage: menuvia-cli render FILE --page N -o OUT.png [--editing]\n"
           "       menuvia-cli render FILE --all OUTDIR [--editing]\n";
    return 2;
  }
  if (!QFileInfo(r.FileName).isFile()) {
    err << "menuvia-cli render: \"" << r.FileName << "\" is not a file\n";
    return 1;
  }
  QString error;
  if (!LoadCliProject(r.FileName, !r.Editing, error)) {
    err << "menuvia-cli render: \"" << r.FileName << "\": " << error << '\n';
    return 1;
  }
  RegisterStockFonts();

  const int count = int(Project.Forms.size());
  int status = 0;
  if (r.AllFolder.isEmpty()) {
    if (r.Page < 0 || r.Page >= count) {
      err << "menuvia-cli render: page " << r.Page << " does not exist; the project has " << count
          << (count == 1 ? " page" : " pages") << " (numbered from 0, as info lists them)\n";
      status = 1;
    } else if (!RenderOne(r.Page, r.Output, r.Editing, out, err)) {
      status = 1;
    }
  } else if (!QDir().mkpath(r.AllFolder)) {
    err << "menuvia-cli render: cannot create the folder \"" << r.AllFolder << "\"\n";
    status = 1;
  } else {
    // Zero-padded indexes keep the files in page order when listed by name.
    const int digits = int(QString::number(std::max(0, count - 1)).size());
    for (int i = 0; i < count; ++i) {
      const QString name = QStringLiteral("%1-%2.png")
                               .arg(i, digits, 10, QLatin1Char('0'))
                               .arg(SafeFileStem(Project.Forms[size_t(i)]->FormName));
      if (!RenderOne(i, QDir(r.AllFolder).filePath(name), r.Editing, out, err)) status = 1;
    }
  }
  ResetProject(false);
  return status;
}
