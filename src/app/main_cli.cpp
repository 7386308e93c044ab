// menuvia-cli: headless tools over projects and player executables.
#include <QGuiApplication>
#include <QTextStream>
#include <cstdio>

#include "app/CliCommands.h"
#include "render/PictureDecode.h"

namespace {
void PrintHelp(QTextStream& out) {
  out << "Usage: menuvia-cli COMMAND [ARGUMENTS]\n\nCommands:\n";
  for (const auto& c : CliCommands()) out << "  " << c.Name << ' ' << c.Usage << "\n      " << c.Summary << '\n';
  out << "  help\n      Show this text.\n";
}
}  // namespace

int main(int argc, char* argv[]) {
  // Rendering needs fonts and images but never a display.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  InitPictureDecoding();
  QTextStream out(stdout);
  QTextStream err(stderr);
  QStringList args = QCoreApplication::arguments().mid(1);
  if (args.isEmpty() || args[0] == QLatin1String("--help") || args[0] == QLatin1String("-h") ||
      args[0] == QLatin1String("help")) {
    PrintHelp(out);
    return args.isEmpty() ? 2 : 0;
  }
  const QString name = args.takeFirst();
  for (const auto& c : CliCommands())
    if (c.Name == name) return c.Run(args, out, err);
  err << "menuvia-cli: unknown command \"" << name << "\"; see menuvia-cli --help\n";
  return 2;
}
