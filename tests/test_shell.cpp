// Shell calls: results for files, folders, programs and addresses, their fixed texts, and programs
// run with argument lists that no shell ever parses.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include "TestSupport.h"
#include "player/Shell.h"

namespace {
// Records what would have gone to the desktop and answers as told.
class TRecordingOpener : public TDesktopOpener {
 public:
  bool OpenUrl(const QUrl& url) override {
    Urls << url;
    return Answer;
  }
  bool Print(const QString& fileName) override {
    Printed << fileName;
    return Answer;
  }
  QList<QUrl> Urls;
  QStringList Printed;
  bool Answer = true;
};

class ShellTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(Dir.isValid());
    auto opener = std::make_unique<TRecordingOpener>();
    Opener = opener.get();
    Previous = SetDesktopOpener(std::move(opener));
    Recorded().Shown.clear();
  }
  void TearDown() override { SetDesktopOpener(std::move(Previous)); }

  QString Path(const QString& name) const { return Dir.path() + u'/' + name; }
  QString Write(const QString& name, const QByteArray& bytes, QFile::Permissions permissions) const {
    const QString path = Path(name);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly)) << name.toStdString();
    file.write(bytes);
    file.close();
    file.setPermissions(permissions);
    return path;
  }

  static constexpr QFile::Permissions ReadWrite = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser;
  static constexpr QFile::Permissions Executable = ReadWrite | QFile::ExeOwner | QFile::ExeUser;

  QTemporaryDir Dir;
  TRecordingOpener* Opener = nullptr;
  std::unique_ptr<TDesktopOpener> Previous;
};
}  // namespace

TEST_F(ShellTest, ErrorTexts) {
  const std::pair<int, const char*> cases[] = {
      {0, "The operating system is out of memory or resources."},
      {2, "The specified file was not found."},
      {3, "The specified path was not found."},
      {5, "The operating system denied access to the specified file."},
      {8, "There was not enough memory to complete the operation."},
      {11, "The .EXE file is invalid (non-Win32 .EXE or error in .EXE image)."},
      {26, "A sharing violation occurred."},
      {27, "The filename association is incomplete or invalid."},
      {28, "The DDE transaction could not be completed because the request timed out."},
      {29, "The DDE transaction failed."},
      {30, "The DDE transaction could not be completed because other DDE transactions were being processed."},
      {31, "There is no application associated with the given filename extension."},
      {32, "The specified dynamic-link library was not found."},
      {1, "Operation Error"},
      {4, "Operation Error"},
      {-1, "Operation Error"},
  };
  for (const auto& [result, text] : cases) EXPECT_EQ(ShellErrorText(result), QString::fromUtf8(text)) << result;
}

TEST_F(ShellTest, ResultsAndWhatReachesTheDesktop) {
  const QString doc = Write(QStringLiteral("docs/read me.pdf"), "%PDF-1.4\n", ReadWrite);
  // FAT media mark every file executable; a document stays a document.
  const QString fatDoc = Write(QStringLiteral("docs/notes.txt"), "plain text\n", Executable);
  const QString noInterpreter = Write(QStringLiteral("bin/run.sh"), "#!/nonexistent/shell\necho\n", Executable);
  ASSERT_TRUE(QFile::copy(QStringLiteral("/bin/true"), Path(QStringLiteral("bin/tool"))));
  QFile(Path(QStringLiteral("bin/tool"))).setPermissions(ReadWrite);  // a program without the executable bit
  const QString script = Write(QStringLiteral("bin/ok.sh"), "#!/bin/sh\nexit 0\n", Executable);
  const QString folder = Dir.path() + QStringLiteral("/docs");

  enum Reaches { Nothing, Url, Printer };
  struct Case {
    const char* name;
    QString verb, file, parameters, folder;
    bool desktopAnswers;
    int result;
    Reaches reaches;
    QString reached;
  };
  const QString fileUrl = QUrl::fromLocalFile(doc).toString();
  const Case cases[] = {
      {"missing file", "open", Path("docs/gone.pdf"), "", "", true, 2, Nothing, ""},
      {"missing folder", "open", Path("nowhere/gone.pdf"), "", "", true, 3, Nothing, ""},
      {"empty file", "open", "", "", "", true, 2, Nothing, ""},
      {"print missing", "print", Path("docs/gone.pdf"), "", "", true, 2, Nothing, ""},
      {"explore missing folder", "explore", Path("gone"), "", "", true, 2, Nothing, ""},
      {"document", "open", doc, "ignored", "", true, seSuccess, Url, fileUrl},
      {"verb in capitals", "OPEN", doc, "", "", true, seSuccess, Url, fileUrl},
      {"default verb", "", doc, "", "", true, seSuccess, Url, fileUrl},
      {"document as file address", "open", fileUrl, "", "", true, seSuccess, Url, fileUrl},
      {"document nobody takes", "open", doc, "", "", false, 31, Url, fileUrl},
      {"executable-bit document", "open", fatDoc, "", "", true, seSuccess, Url, QUrl::fromLocalFile(fatDoc).toString()},
      {"print", "print", doc, "", "", true, seSuccess, Printer, doc},
      {"print without spooler", "print", doc, "", "", false, 31, Printer, doc},
      {"explore folder", "explore", folder, "", "", true, seSuccess, Url, QUrl::fromLocalFile(folder).toString()},
      {"open folder", "open", folder, "", "", true, seSuccess, Url, QUrl::fromLocalFile(folder).toString()},
      {"explore a file", "explore", doc, "", "", true, 31, Nothing, ""},
      {"unknown verb", "edit", doc, "", "", true, 31, Nothing, ""},
      {"web address", "open", "https://example.org/a b?x=1", "", "", true, seSuccess, Url,
       "https://example.org/a b?x=1"},
      {"bare www address", "open", "www.example.org", "", "", true, seSuccess, Url, "http://www.example.org"},
      {"web address nobody takes", "open", "https://example.org", "", "", false, 31, Url, "https://example.org"},
      {"print a web address", "print", "https://example.org", "", "", true, 31, Nothing, ""},
      {"mail", "open", "mailto:info@example.org?subject=Hello", "", "", true, seSuccess, Url,
       "mailto:info@example.org?subject=Hello"},
      {"program without executable bit", "open", Path("bin/tool"), "", "", true, 5, Nothing, ""},
      {"script with missing interpreter", "open", noInterpreter, "", "", true, 31, Nothing, ""},
      {"program in missing folder", "open", script, "", Path("nowhere"), true, 3, Nothing, ""},
      {"program in a file as folder", "open", script, "", doc, true, 3, Nothing, ""},
      {"program", "open", script, "", folder, true, seSuccess, Nothing, ""},
  };
  for (const Case& c : cases) {
    Opener->Urls.clear();
    Opener->Printed.clear();
    Opener->Answer = c.desktopAnswers;
    EXPECT_EQ(ShellExecuteVerb(c.verb, c.file, c.parameters, c.folder), c.result) << c.name;
    EXPECT_EQ(Opener->Urls.size(), c.reaches == Url ? 1 : 0) << c.name;
    EXPECT_EQ(Opener->Printed.size(), c.reaches == Printer ? 1 : 0) << c.name;
    if (c.reaches == Url && !Opener->Urls.isEmpty()) {
      EXPECT_EQ(Opener->Urls[0].toString(), c.reached) << c.name;
    }
    if (c.reaches == Printer && !Opener->Printed.isEmpty()) {
      EXPECT_EQ(Opener->Printed[0], c.reached) << c.name;
    }
  }
  EXPECT_TRUE(Recorded().Shown.empty()) << "only ShellRun speaks";
}

TEST_F(ShellTest, UnreadableFileIsDenied) {
  if (geteuid() == 0) GTEST_SKIP() << "root reads every file";
  const QString doc = Write(QStringLiteral("secret.pdf"), "%PDF-1.4\n", QFile::WriteOwner);
  EXPECT_EQ(ShellExecuteVerb(QStringLiteral("open"), doc, {}, {}), 5);
  EXPECT_EQ(ShellExecuteVerb(QStringLiteral("print"), doc, {}, {}), 5);
  EXPECT_TRUE(Opener->Urls.isEmpty());
}

TEST_F(ShellTest, RunReportsFailuresOnce) {
  EXPECT_EQ(ShellRun(QStringLiteral("open"), Path(QStringLiteral("gone.exe")), {}, {}), 2);
  ASSERT_EQ(Recorded().Shown.size(), 1u);
  EXPECT_EQ(Recorded().Shown[0].Caption, QStringLiteral("Error"));
  EXPECT_EQ(Recorded().Shown[0].Text, QStringLiteral("The specified file was not found."));
  EXPECT_EQ(Recorded().Shown[0].Icon, TMsgIcon::Error);

  Recorded().Shown.clear();
  Opener->Answer = false;
  EXPECT_EQ(ShellRun(QStringLiteral("open"), QStringLiteral("mailto:a@example.org"), {}, {}), 31);
  ASSERT_EQ(Recorded().Shown.size(), 1u);
  EXPECT_EQ(Recorded().Shown[0].Text,
            QStringLiteral("There is no application associated with the given filename extension."));

  Recorded().Shown.clear();
  Opener->Answer = true;
  EXPECT_TRUE(ShellSucceeded(ShellRun(QStringLiteral("explore"), Dir.path(), {}, {})));
  EXPECT_TRUE(Recorded().Shown.empty());
}

TEST_F(ShellTest, ProgramsGetArgumentListsAndTheirFolder) {
  // The script writes its working folder and each argument on a line, then renames the file so
  // the test never reads half of it.
  const QByteArray body =
      "#!/bin/sh -eu\n"
      "{ pwd; for a in \"$@\"; do printf '%s\\n' \"$a\"; done; } > argv.tmp\n"
      "mv argv.tmp argv.txt\n";
  const QString hostile = QStringLiteral("a b; touch pwned 'x\".sh");
  const QString work = Path(QStringLiteral("work dir"));
  ASSERT_TRUE(QDir().mkpath(work));
  const QString parameters = QStringLiteral("one \"two words\" three;touch pwned2 $(touch pwned3) 'four'");
  const QStringList expected{work,
                             QStringLiteral("one"),
                             QStringLiteral("two words"),
                             QStringLiteral("three;touch"),
                             QStringLiteral("pwned2"),
                             QStringLiteral("$(touch"),
                             QStringLiteral("pwned3)"),
                             QStringLiteral("'four'")};

  // With the executable bit the system starts it; without (media mounted without permissions)
  // it runs through the interpreter named on its first line.
  for (const QFile::Permissions permissions : {Executable, ReadWrite}) {
    const QString script = Write(hostile, body, permissions);
    const QString out = work + QStringLiteral("/argv.txt");
    QFile::remove(out);
    ASSERT_EQ(ShellExecuteVerb(QStringLiteral("open"), script, parameters, work), seSuccess);
    ASSERT_TRUE(QTest::qWaitFor([&] { return QFileInfo::exists(out); }, 10000));
    QFile file(out);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(file.readAll()).split(u'\n', Qt::SkipEmptyParts), expected);
    EXPECT_TRUE(Opener->Urls.isEmpty());
  }
  for (const QString& folder : {Dir.path(), work, QDir::currentPath()})
    for (const char* name : {"pwned", "pwned2", "pwned3"})
      EXPECT_FALSE(QFileInfo::exists(folder + u'/' + QLatin1String(name))) << name << " in " << folder.toStdString();
}
