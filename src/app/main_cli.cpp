// menuvia-cli: headless tools over projects and player executables.
#include <QApplication>
#include <QTextStream>
#include <cstdio>
#include <cstring>

#include "app/CliCommands.h"
#include "render/PictureDecode.h"

namespace {
void PrintHelp(QTextStream& out) {
  out << "Usage: menuvia-cli COMMAND [ARGUMENTS] [--verbose]\n\nCommands:\n";
  for (const auto& c : CliCommands()) out << "  " << c.Name << ' ' << c.Usage << "\n      " << c.Summary << '\n';
  out << "  help\n      Show this text.\n";
  out << "\n--verbose, anywhere on the command line, lets Qt's own diagnostics through to standard error.\n";
  out.flush();
}

// The tool's output is its own: Qt's notices (a missing runtime folder, an offscreen platform that
// cannot do something) would mix into what scripts read. Only a fatal message is still shown.
void QuietQtMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
  if (type == QtFatalMsg) std::fprintf(stderr, "%s\n", qUtf8Printable(message));
}

// Removes every --verbose from argv (so commands never see it) and says whether there was one.
bool TakeVerbose(int& argc, char* argv[]) {
  if (argc < 1) return false;
  bool verbose = false;
  int kept = 1;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--verbose") == 0)
      verbose = true;
    else
      argv[kept++] = argv[i];
  }
  argc = kept;
  argv[argc] = nullptr;
  return verbose;
}
}  // namespace

int main(int argc, char* argv[]) {
  // Before the application exists: Qt reports while it starts.
  if (!TakeVerbose(argc, argv)) qInstallMessageHandler(QuietQtMessages);
  // Rendering needs fonts, images and widgets but never a display.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
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
