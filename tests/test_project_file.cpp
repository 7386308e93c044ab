// Project files, the designer's save, the container appended to a player executable, damaged
// files, and the info tool.
#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QtEndian>
#include <algorithm>

#include "TestSupport.h"
#include "model/Globals.h"
#include "model/ProjectFile.h"
#include "model/ProjectStream.h"

namespace {

QByteArray ReadAll(const QString& name) {
  QFile f(name);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Removes the old file first: truncating a file in place makes some file systems flush it on close,
// which would make the damaged-file loop crawl.
bool WriteAll(const QString& name, const QByteArray& bytes) {
  QFile::remove(name);
  QFile f(name);
  return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

int32_t IntAt(const QByteArray& bytes, qint64 pos) { return qFromLittleEndian<int32_t>(bytes.constData() + pos); }

std::unique_ptr<TObjectInfo> Outline(const QString& name, TObjectType type = otPanel) {
  auto info = std::make_unique<TObjectInfo>();
  info->ObjectName = name;
  info->ObjectType = type;
  return info;
}

// Page streams are opaque to the settings block, so any bytes stand in for them here.
const QByteArray PageBytes[3] = {QByteArray("first page stream"), QByteArray(200, 's'), QByteArray("third")};

// Fills Project with three pages held in memory, as the designer has them before the first save.
void MakeThreePageProject() {
  ResetProject(false);
  Project.AppTitle = QStringLiteral("Three Pages");
  for (int i = 0; i < 3; ++i) {
    auto form = std::make_unique<TFormData>();
    form->FormName = QStringLiteral("Form%1").arg(i + 1);
    form->ObjectInfo = Outline(QStringLiteral("PagePanel"));
    for (int k = 0; k < i; ++k)
      form->ObjectInfo->Objects.push_back(Outline(QStringLiteral("Shape%1").arg(k + 1), otShape));
    form->FormInfoData = PageBytes[i];
    Project.Forms.push_back(std::move(form));
  }
  ProjectChanged = true;
}

class ProjectFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(Dir.isValid());
    ResetProject(false);
    SourceFileName.clear();
    ProjectChanged = false;
    IsDesigner = true;
    Recorded().Shown.clear();
  }
  void TearDown() override {
    ResetProject(false);
    SourceFileName.clear();
    IsDesigner = false;
    ExeReadRetry = {28, 1000};
    ExeWriteRetry = {21, 1000};
    // Readers and writers never show anything themselves.
    EXPECT_TRUE(Recorded().Shown.empty());
  }
  QString Path(const QString& name) const { return Dir.filePath(name); }

  // A saved three-page project file; Project then describes it.
  QString SavedProject() {
    MakeThreePageProject();
    const QString name = Path(QStringLiteral("autorun.mvdsk"));
    TError error;
    EXPECT_TRUE(SaveProjectReplacing(name, QString(), error)) << error.Message().toStdString();
    return name;
  }

  QTemporaryDir Dir;
};

TEST_F(ProjectFileTest, ProjectFileHeaderAndRoundTrip) {
  MakeThreePageProject();
  const QString name = Path(QStringLiteral("p.mvdsk"));
  TError error;
  ASSERT_TRUE(SaveProjectToFile(name, QString(), error));
  EXPECT_FALSE(ProjectChanged);
  const QByteArray bytes = ReadAll(name);
  EXPECT_EQ(bytes.left(8).toHex(' '), Hex("6B85DF05 00000000").toHex(' '));

  ASSERT_TRUE(LoadProjectFromFile(name, error));
  EXPECT_FALSE(ProjectChanged);
  EXPECT_EQ(Project.AppTitle, QStringLiteral("Three Pages"));
  ASSERT_EQ(Project.Forms.size(), 3u);
  for (int i = 0; i < 3; ++i) {
    const TFormData& f = *Project.Forms[i];
    EXPECT_EQ(f.FormName, QStringLiteral("Form%1").arg(i + 1));
    EXPECT_FALSE(f.FormInfoData.has_value());
    EXPECT_EQ(bytes.mid(f.Position, f.Length), PageBytes[i]);
    EXPECT_EQ(CountOutlineObjects(*f.ObjectInfo), i);  // outlines are read for the designer
  }
}

TEST_F(ProjectFileTest, RefusedHeadersReadNothing) {
  SavedProject();
  const QByteArray good = ReadAll(Path(QStringLiteral("autorun.mvdsk")));
  struct Case {
    const char* Name;
    QByteArray Bytes;
    QString Text, Caption;
  };
  QByteArray wrongMagic = good;
  wrongMagic[0] = 0x6C;
  QByteArray version1 = good;
  version1[4] = 1;
  QByteArray versionMinus = good;
  versionMinus.replace(4, 4, Hex("ffffffff"));
  const QString invalid = QStringLiteral("Invalid file format.");
  const QString tooNew =
      QStringLiteral("The file is too new to read, maybe you need install newest version of the software.");
  const Case cases[] = {
      {"wrong magic", wrongMagic, invalid, QStringLiteral("File Format")},
      {"empty file", QByteArray(), invalid, QStringLiteral("File Format")},
      {"three bytes", good.left(3), invalid, QStringLiteral("File Format")},
      {"version 1", version1, tooNew, QStringLiteral("Information")},
      {"version -1", versionMinus, tooNew, QStringLiteral("Information")},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    const QString name = Path(QStringLiteral("bad.mvdsk"));
    ASSERT_TRUE(WriteAll(name, c.Bytes));
    Project.AppTitle = QStringLiteral("stale");
    TError error;
    EXPECT_FALSE(LoadProjectFromFile(name, error));
    EXPECT_EQ(error.Message(), c.Text);
    EXPECT_EQ(error.Caption(), c.Caption);
    EXPECT_EQ(error.Icon(), TMsgIcon::Information);
    EXPECT_TRUE(Project.Forms.empty());
    EXPECT_EQ(Project.AppTitle, QStringLiteral("AutoRun CD Menu"));
  }
}

TEST_F(ProjectFileTest, MissingProjectFileReportsCode105) {
  TError error;
  EXPECT_FALSE(LoadProjectFromFile(Path(QStringLiteral("none.mvdsk")), error));
  EXPECT_EQ(error.Kind, TErrorKind::File);
  EXPECT_EQ(error.Code, 105);
  EXPECT_EQ(error.OsError, ENOENT);
}

TEST_F(ProjectFileTest, SaveToFileRefusesToTruncateItsOwnSource) {
  const QString name = SavedProject();
  const QByteArray before = ReadAll(name);
  TError error;
  EXPECT_FALSE(SaveProjectToFile(name, name, error));
  EXPECT_EQ(error.Code, 104);
  EXPECT_EQ(ReadAll(name), before);
}

TEST_F(ProjectFileTest, TemporaryNameReplacesTheExtension) {
  const struct {
    const char *In, *Out;
  } cases[] = {{"/p/autorun.mvdsk", "/p/autorun._"},
               {"/p/name", "/p/name._"},
               {"/p/a.b.mvdsk", "/p/a.b._"},
               {"/p/x._", "/p/x._._"}};
  for (const auto& c : cases)
    EXPECT_EQ(TemporaryProjectFileName(QString::fromLatin1(c.In)), QString::fromLatin1(c.Out)) << c.In;
}

TEST_F(ProjectFileTest, SaveWritesTemporaryThenReplacesAndReleasesMemoryStreams) {
  const QString name = SavedProject();
  EXPECT_EQ(SourceFileName, name);
  EXPECT_FALSE(QFileInfo::exists(Path(QStringLiteral("autorun._"))));
  EXPECT_FALSE(ProjectHasUnsavedData());
  for (const auto& f : Project.Forms) EXPECT_FALSE(f->FormInfoData.has_value());
  const QByteArray first = ReadAll(name);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(first.mid(Project.Forms[i]->Position, Project.Forms[i]->Length), PageBytes[i]);

  // Edit the second page and save over the file the other pages are copied from; the file keeps
  // its permissions.
  ASSERT_TRUE(QFile::setPermissions(name, QFile::ReadOwner | QFile::WriteOwner));
  Project.Forms[1]->FormInfoData = QByteArray("edited");
  EXPECT_TRUE(ProjectHasUnsavedData());
  TError error;
  ASSERT_TRUE(SaveProjectReplacing(name, SourceFileName, error)) << error.Message().toStdString();
  EXPECT_FALSE(QFileInfo::exists(Path(QStringLiteral("autorun._"))));
  for (const auto& f : Project.Forms) EXPECT_FALSE(f->FormInfoData.has_value());
  const auto rw = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::WriteGroup | QFile::ReadOther |
                  QFile::WriteOther;
  EXPECT_EQ(QFile::permissions(name) & rw, QFile::ReadOwner | QFile::WriteOwner);

  ResetProject(false);
  ASSERT_TRUE(LoadProjectFromFile(name, error));
  const QByteArray second = ReadAll(name);
  EXPECT_EQ(second.mid(Project.Forms[0]->Position, Project.Forms[0]->Length), PageBytes[0]);
  EXPECT_EQ(second.mid(Project.Forms[1]->Position, Project.Forms[1]->Length), QByteArray("edited"));
  EXPECT_EQ(second.mid(Project.Forms[2]->Position, Project.Forms[2]->Length), PageBytes[2]);
}

TEST_F(ProjectFileTest, SaveAsCopiesUneditedPagesFromTheOldFile) {
  const QString old = SavedProject();
  QDir(Dir.path()).mkdir(QStringLiteral("other"));
  const QString target = Path(QStringLiteral("other/autorun.mvdsk"));
  TError error;
  ASSERT_TRUE(SaveProjectReplacing(target, old, error));
  EXPECT_EQ(SourceFileName, target);
  const QByteArray bytes = ReadAll(target);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(bytes.mid(Project.Forms[i]->Position, Project.Forms[i]->Length), PageBytes[i]);
}

// Pages moved in the table are copied from their own ranges, whether or not their neighbours in the
// table were neighbours in the old file.
TEST_F(ProjectFileTest, ReorderedPagesAreCopiedFromTheirOwnRanges) {
  const QString name = SavedProject();
  // 2, 3, 1: pages 2 and 3 are still back to back in the old file, page 1 is not next to either.
  std::rotate(Project.Forms.begin(), Project.Forms.begin() + 1, Project.Forms.end());
  TError error;
  ASSERT_TRUE(SaveProjectReplacing(name, name, error)) << error.Message().toStdString();
  const QByteArray bytes = ReadAll(name);
  const int order[3] = {1, 2, 0};
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(Project.Forms[i]->FormName, QStringLiteral("Form%1").arg(order[i] + 1));
    EXPECT_EQ(bytes.mid(Project.Forms[i]->Position, Project.Forms[i]->Length), PageBytes[order[i]]);
  }
  EXPECT_EQ(Project.Forms[2]->Position + Project.Forms[2]->Length, bytes.size());
}

// A save that fails half way leaves the old file as it was and the project describing it.
TEST_F(ProjectFileTest, FailedSaveLeavesOldFileIntact) {
  const QString name = SavedProject();
  const QByteArray before = ReadAll(name);
  std::vector<std::pair<int32_t, int32_t>> ranges;
  for (const auto& f : Project.Forms) ranges.emplace_back(f->Position, f->Length);

  struct Case {
    const char* Name;
    QString Source;
    QString ExpectedText;
  };
  // Without a source the unedited pages cannot be copied; with a source shorter than the table
  // says, the copy runs out of bytes after the first page.
  const QString shortSource = Path(QStringLiteral("short.mvdsk"));
  ASSERT_TRUE(WriteAll(shortSource, before.left(Project.Forms[1]->Position + 3)));
  const Case cases[] = {{"no source", QString(), QStringLiteral("System Error, \"OrgStream\" Error!")},
                        {"short source", shortSource, QString()}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    Project.Forms[2]->FormInfoData = QByteArray("edited third");
    ProjectChanged = true;
    TError error;
    EXPECT_FALSE(SaveProjectReplacing(name, c.Source, error));
    EXPECT_TRUE(error.IsSet());
    if (!c.ExpectedText.isEmpty()) {
      EXPECT_EQ(error.Message(), c.ExpectedText);
    }
    EXPECT_EQ(ReadAll(name), before);
    EXPECT_FALSE(QFileInfo::exists(Path(QStringLiteral("autorun._"))));
    EXPECT_TRUE(ProjectChanged);
    EXPECT_TRUE(Project.Forms[2]->FormInfoData.has_value());
    for (size_t i = 0; i < ranges.size(); ++i) {
      EXPECT_EQ(Project.Forms[i]->Position, ranges[i].first);
      EXPECT_EQ(Project.Forms[i]->Length, ranges[i].second);
    }
    EXPECT_EQ(SourceFileName, name);
  }
}

TEST_F(ProjectFileTest, FailedRenameNamesTheTemporaryFile) {
  MakeThreePageProject();
  // A folder that is not empty cannot be replaced by a file.
  const QString target = Path(QStringLiteral("taken.mvdsk"));
  ASSERT_TRUE(QDir(Dir.path()).mkpath(QStringLiteral("taken.mvdsk/inside")));
  TError error;
  EXPECT_FALSE(SaveProjectReplacing(target, QString(), error));
  const QString temp = Path(QStringLiteral("taken._"));
  EXPECT_EQ(error.Message(), QStringLiteral("Unable to rename file \"") + temp + QStringLiteral("\"."));
  EXPECT_EQ(error.Caption(), QStringLiteral("Error"));
  EXPECT_EQ(error.Icon(), TMsgIcon::Error);
  // Nothing was released: the pages still exist only in memory, and the new file is kept.
  for (const auto& f : Project.Forms) EXPECT_TRUE(f->FormInfoData.has_value());
  EXPECT_TRUE(ProjectChanged);
  EXPECT_TRUE(QFileInfo(temp).isFile());
  EXPECT_TRUE(SourceFileName.isEmpty());
}

// ---- the container appended to a player executable ----

const QByteArray FakeExecutable = QByteArray(
                                      "\x7f"
                                      "ELF") +
                                  QByteArray(5000, '\x90');

TEST_F(ProjectFileTest, AppendedContainerLayoutAndPlayerRead) {
  const QString project = SavedProject();
  const QString exe = Path(QStringLiteral("autorun"));
  ASSERT_TRUE(WriteAll(exe, FakeExecutable));
  TError error;
  ProjectChanged = true;
  ASSERT_TRUE(AppendProjectToExe(exe, project, error)) << error.Message().toStdString();
  EXPECT_FALSE(ProjectChanged);

  const QByteArray bytes = ReadAll(exe);
  const qint64 e = FakeExecutable.size();
  EXPECT_EQ(bytes.left(e), FakeExecutable);
  EXPECT_EQ(IntAt(bytes, e), 27345);
  EXPECT_EQ(IntAt(bytes, bytes.size() - 4), e);
  // The page streams come last, just before the trailing offset.
  EXPECT_EQ(Project.Forms[2]->Position + Project.Forms[2]->Length, bytes.size() - 4);

  IsDesigner = false;
  ASSERT_TRUE(LoadProjectFromExe(exe, error)) << error.Message().toStdString();
  EXPECT_EQ(Project.AppTitle, QStringLiteral("Three Pages"));
  ASSERT_EQ(Project.Forms.size(), 3u);
  for (int i = 0; i < 3; ++i) {
    const TFormData& f = *Project.Forms[i];
    EXPECT_GT(f.Position, e);
    EXPECT_EQ(bytes.mid(f.Position, f.Length), PageBytes[i]);
    EXPECT_TRUE(f.ObjectInfo->Objects.empty());  // the player skips the outlines
  }
}

TEST_F(ProjectFileTest, ExecutableWithoutContainerIsRefused) {
  QByteArray pointsElsewhere = FakeExecutable;
  pointsElsewhere += Hex("10000000");  // offset 16 holds no marker
  QByteArray pointsBeyond = FakeExecutable + Hex("ffffff7f");
  QByteArray pointsNegative = FakeExecutable + Hex("feffffff");
  QByteArray markerOnly = Hex("d16a0000 00000000");  // marker at 0, then its own offset: no block
  const struct {
    const char* Name;
    QByteArray Bytes;
  } cases[] = {{"plain executable", FakeExecutable},
               {"offset without marker", pointsElsewhere},
               {"offset beyond the file", pointsBeyond},
               {"negative offset", pointsNegative},
               {"seven bytes", QByteArray(7, 0)}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    const QString exe = Path(QStringLiteral("player"));
    ASSERT_TRUE(WriteAll(exe, c.Bytes));
    TError error;
    EXPECT_FALSE(LoadProjectFromExe(exe, error));
    EXPECT_EQ(error.Message(), QStringLiteral("Invalid file format."));
    EXPECT_EQ(error.Caption(), QStringLiteral("File Format"));
    EXPECT_TRUE(Project.Forms.empty());
  }
  // A marker with nothing after it is the right format but an incomplete block.
  const QString exe = Path(QStringLiteral("player"));
  ASSERT_TRUE(WriteAll(exe, markerOnly));
  TError error;
  EXPECT_FALSE(LoadProjectFromExe(exe, error));
  EXPECT_EQ(error.Kind, TErrorKind::Stream);
  EXPECT_EQ(error.Code, 5523);
}

// A file that does not exist is not waited for: with an hour of retries the test would time out.
TEST_F(ProjectFileTest, MissingExecutableFailsAtOnce) {
  ExeReadRetry = {3, 3600 * 1000};
  ExeWriteRetry = {3, 3600 * 1000};
  const QString exe = Path(QStringLiteral("missing"));
  TError error;
  EXPECT_FALSE(LoadProjectFromExe(exe, error));
  EXPECT_EQ(error.Message(), SystemErrorText(ENOENT) + QStringLiteral(" \"") + exe + QStringLiteral("\" "));
  EXPECT_EQ(error.Caption(), QStringLiteral("Error"));

  MakeThreePageProject();
  EXPECT_FALSE(AppendProjectToExe(exe, QString(), error));
  EXPECT_EQ(error.Code, 100);
  EXPECT_EQ(error.OsError, ENOENT);
  EXPECT_FALSE(QFileInfo::exists(exe));  // not created either
}

TEST_F(ProjectFileTest, FailedAppendCutsTheExecutableBack) {
  const QString exe = Path(QStringLiteral("autorun"));
  ASSERT_TRUE(WriteAll(exe, FakeExecutable));
  MakeThreePageProject();
  Project.Forms[1]->FormInfoData.reset();  // neither in memory nor in a source file
  TError error;
  EXPECT_FALSE(AppendProjectToExe(exe, QString(), error));
  EXPECT_EQ(error.Message(), QStringLiteral("System Error, \"OrgStream\" Error!"));
  EXPECT_EQ(ReadAll(exe), FakeExecutable);
}

#ifdef Q_OS_LINUX
// A running executable cannot be opened for writing (ETXTBSY): the append waits until it can.
TEST_F(ProjectFileTest, AppendWaitsWhileTheExecutableRuns) {
  const QString exe = Path(QStringLiteral("busy"));
  ASSERT_TRUE(QFile::copy(QStringLiteral("/bin/sleep"), exe));
  MakeThreePageProject();

  QProcess running;
  running.start(exe, {QStringLiteral("30")});
  ASSERT_TRUE(running.waitForStarted());
  ExeWriteRetry = {2, 10};
  TError error;
  EXPECT_FALSE(AppendProjectToExe(exe, QString(), error));
  EXPECT_EQ(error.Code, 100);
  EXPECT_EQ(error.OsError, ETXTBSY);

  QProcess brief;
  brief.start(exe, {QStringLiteral("0.3")});
  ASSERT_TRUE(brief.waitForStarted());
  running.kill();
  running.waitForFinished();
  ExeWriteRetry = {200, 50};
  EXPECT_TRUE(AppendProjectToExe(exe, QString(), error)) << error.Message().toStdString();
  brief.waitForFinished();
}
#endif

// ---- damaged files: every truncation and every flipped byte ----

// Runs one damaged copy through a reader; a success must describe a project whose pages all
// lie in the file and that can be written again from it.
void CheckDamaged(const QString& name, bool container, const QByteArray& bytes, int& accepted) {
  ASSERT_TRUE(WriteAll(name, bytes));
  ResetProject(false);
  TError error;
  const bool ok = container ? LoadProjectFromExe(name, error) : LoadProjectFromFile(name, error);
  if (!ok) {
    EXPECT_TRUE(error.IsSet());
    EXPECT_FALSE(error.Message().isEmpty());
    EXPECT_TRUE(Project.Forms.empty());
    return;
  }
  ++accepted;
  EXPECT_FALSE(error.IsSet());
  for (const auto& f : Project.Forms) {
    EXPECT_GE(f->Position, 0);
    EXPECT_LE(qint64(f->Position) + f->Length, bytes.size());
  }
  QByteArray rewritten;
  QBuffer out(&rewritten);
  out.open(QIODevice::WriteOnly);
  QFile source(name);
  ASSERT_TRUE(source.open(QIODevice::ReadOnly));
  TStream s(&out);
  EXPECT_TRUE(WriteProjectSettings(s, Project, &source));
}

TEST_F(ProjectFileTest, DamagedFilesAreRefusedOrReadConsistently) {
  MakeThreePageProject();
  Project.SplashScreenName = QStringLiteral("Form2");
  const QString good = Path(QStringLiteral("good.mvdsk"));
  TError error;
  ASSERT_TRUE(SaveProjectToFile(good, QString(), error));
  const QByteArray file = ReadAll(good);
  const QString exe = Path(QStringLiteral("player"));
  ASSERT_TRUE(WriteAll(exe, QByteArray(64, 'x')));
  ASSERT_TRUE(AppendProjectToExe(exe, good, error));
  const QByteArray player = ReadAll(exe);
  ASSERT_LT(file.size(), 1200);

  const QString damaged = Path(QStringLiteral("damaged"));
  for (const bool container : {false, true}) {
    SCOPED_TRACE(container ? "container" : "project file");
    const QByteArray& bytes = container ? player : file;
    // Every cut loses the last page (or the trailing offset): none may be accepted.
    int acceptedCuts = 0;
    for (qsizetype cut = 0; cut < bytes.size(); ++cut) {
      SCOPED_TRACE(testing::Message() << "cut at " << cut);
      CheckDamaged(damaged, container, bytes.left(cut), acceptedCuts);
    }
    EXPECT_EQ(acceptedCuts, 0);
    // Flips inside page bytes and strings are read without complaint; flips in version words,
    // counts and offsets are refused.
    int acceptedFlips = 0;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
      SCOPED_TRACE(testing::Message() << "flipped " << i);
      QByteArray flipped = bytes;
      flipped[i] = static_cast<char>(flipped[i] ^ 0xFF);
      CheckDamaged(damaged, container, flipped, acceptedFlips);
    }
    EXPECT_GT(acceptedFlips, 0);
    EXPECT_LT(acceptedFlips, bytes.size());
  }
}

// ---- menuvia-cli info ----

struct CliResult {
  int Exit = -1;
  QString Out, Err;
};

CliResult RunCli(const QStringList& args) {
  QProcess p;
  p.start(TestPaths::CliBinary(), args);
  CliResult r;
  if (!p.waitForFinished(60000)) return r;
  r.Exit = p.exitCode();
  r.Out = QString::fromUtf8(p.readAllStandardOutput());
  r.Err = QString::fromUtf8(p.readAllStandardError());
  return r;
}

TEST_F(ProjectFileTest, CliInfoDescribesProjectFilesAndPlayers) {
  const QString project = SavedProject();
  const QString exe = Path(QStringLiteral("autorun"));
  ASSERT_TRUE(WriteAll(exe, FakeExecutable));
  TError error;
  ASSERT_TRUE(LoadProjectFromFile(project, error));
  ASSERT_TRUE(AppendProjectToExe(exe, project, error));

  const CliResult p = RunCli({QStringLiteral("info"), project});
  EXPECT_EQ(p.Exit, 0) << p.Err.toStdString();
  EXPECT_TRUE(p.Out.contains(QStringLiteral("Kind: project file\n")));
  EXPECT_TRUE(p.Out.contains(QStringLiteral("Version: 0\n")));
  EXPECT_TRUE(p.Out.contains(QStringLiteral("Title: Three Pages\n")));
  EXPECT_TRUE(p.Out.contains(QStringLiteral("Pages: 3\n")));
  ASSERT_TRUE(LoadProjectFromFile(project, error));
  const TFormData& f3 = *Project.Forms[2];
  EXPECT_TRUE(p.Out.contains(QStringLiteral("  2 \"Form3\" bytes %1..%2 (%3 bytes), objects 2\n")
                                 .arg(f3.Position)
                                 .arg(f3.Position + f3.Length)
                                 .arg(f3.Length)))
      << p.Out.toStdString();

  const CliResult x = RunCli({QStringLiteral("info"), exe});
  EXPECT_EQ(x.Exit, 0) << x.Err.toStdString();
  EXPECT_TRUE(x.Out.contains(QStringLiteral("Kind: player executable with project\n")));
  EXPECT_TRUE(x.Out.contains(QStringLiteral("  1 \"Form2\" bytes ")));
  EXPECT_TRUE(x.Out.contains(QStringLiteral("objects 1\n")));  // outlines are read for the tool

  const QString junk = Path(QStringLiteral("junk"));
  ASSERT_TRUE(WriteAll(junk, FakeExecutable));
  const struct {
    QStringList Args;
    int Exit;
    const char* Err;
  } bad[] = {{{QStringLiteral("info"), junk}, 1, "Invalid file format."},
             {{QStringLiteral("info"), Path(QStringLiteral("none"))}, 1, "is not a file"},
             {{QStringLiteral("info")}, 2, "Usage: menuvia-cli info FILE"}};
  for (const auto& c : bad) {
    const CliResult r = RunCli(c.Args);
    EXPECT_EQ(r.Exit, c.Exit);
    EXPECT_TRUE(r.Err.contains(QLatin1String(c.Err))) << r.Err.toStdString();
    EXPECT_TRUE(r.Out.isEmpty());
  }
}

}  // namespace
