// Shared helpers of the page window, action and page object tests: a project built in code, action
// records, and recorders for the shell and the sound players.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <memory>
#include <vector>

#include "TestSupport.h"
#include "model/Actions.h"
#include "model/Globals.h"
#include "model/ObjectStream.h"
#include "model/PageStream.h"
#include "player/ActionRunner.h"
#include "player/AutoRunForm.h"
#include "player/Sounds.h"

// An object of kind with its defaults, named and placed.
inline TAuObject& AddObject(TAuObject& parent, TObjectType kind, const QString& name, QRect bounds = {10, 10, 80, 40}) {
  auto o = NewAuObject(kind, name);
  o->Align = alNone;
  o->Left = bounds.x();
  o->Top = bounds.y();
  o->Width = bounds.width();
  o->Height = bounds.height();
  parent.Objects.push_back(std::move(o));
  return *parent.Objects.back();
}

// A new page without fades, so that tests need not wait for them.
inline TPageData MakePage(const QString& caption) {
  TPageData page;
  InitForm(page, caption);
  page.FormFade = false;
  page.Width = 320;
  page.Height = 240;
  return page;
}

inline TAuAction Act(TCommandType command, const QString& param1 = {}, const QString& param2 = {}) {
  TAuAction a;
  a.Command = command;
  a.Param1 = param1;
  a.Param2 = param2;
  a.OptionInt = 1;
  return a;
}

// A message action whose text names it: what ran shows up in the messages recorder.
inline TAuAction Say(const QString& text) {
  TAuAction a = Act(ctShowMessage, text);
  a.OptionInt = 1;  // information, OK
  return a;
}

inline TAuActions List(std::vector<TAuAction> actions) { return TAuActions{std::move(actions)}; }

// The texts shown so far, in order.
inline QStringList ShownTexts() {
  QStringList texts;
  for (const TMessage& m : Recorded().Shown) texts << m.Text;
  return texts;
}

// Every run-mode flag and the project put back after each test.
class PageTestBase : public ::testing::Test {
 protected:
  void SetUp() override {
    FSavedExeFolder = ExeFolder;
    ResetProject(false);
    IsDesigner = false;
    IsDesignPreview = false;
    ExitRequested = false;
    Recorded().Shown.clear();
    Recorded().Answers.clear();
  }
  void TearDown() override {
    // Windows the test left open go before the project they show.
    for (QWidget* w : QApplication::topLevelWidgets())
      if (auto* page = qobject_cast<TAutoRunForm*>(w)) {
        page->CloseFree = false;
        delete page;
      }
    SetMainPageWindow(nullptr);
    SetShellExecutor({});
    ResetProject(false);
    IsDesigner = false;
    IsDesignPreview = false;
    ExitRequested = false;
    Recorded().Shown.clear();
    Recorded().Answers.clear();
    ExeFolder = FSavedExeFolder;
  }

  // Stores page as a new page-table entry named name; returns its index.
  static int AddPage(const QString& name, const TPageData& page) {
    auto entry = std::make_unique<TFormData>();
    entry->FormName = name;
    EXPECT_TRUE(StoreFormData(page, *entry));
    Project.Forms.push_back(std::move(entry));
    return static_cast<int>(Project.Forms.size()) - 1;
  }

  // A live window showing page index, shown and settled past its after-show step.
  static std::unique_ptr<TAutoRunForm> ShowPage(int index) {
    auto form = std::make_unique<TAutoRunForm>();
    EXPECT_TRUE(form->LoadFormData(*Project.Forms[index]));
    form->FormIndex = index;
    form->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    return form;
  }

  // The page windows now open.
  static std::vector<TAutoRunForm*> OpenPages() {
    std::vector<TAutoRunForm*> pages;
    for (QWidget* w : QApplication::topLevelWidgets())
      if (auto* page = qobject_cast<TAutoRunForm*>(w); page && page->isVisible()) pages.push_back(page);
    return pages;
  }

 private:
  QString FSavedExeFolder;
};

// Records what the shell commands ask for and answers with a chosen result.
struct TShellCall {
  QString Verb, File, Parameters, Folder;
};

class TShellRecorder {
 public:
  explicit TShellRecorder(int result = 42) : Result(result) {
    SetShellExecutor(
        [this](const QString& verb, const QString& file, const QString& parameters, const QString& folder) {
          Calls.push_back({verb, file, parameters, folder});
          return Result;
        });
  }
  ~TShellRecorder() { SetShellExecutor({}); }
  TShellRecorder(const TShellRecorder&) = delete;
  TShellRecorder& operator=(const TShellRecorder&) = delete;

  int Result;
  std::vector<TShellCall> Calls;
};

// Records the calls a sound player gets, as "play <file> loop|once" and "stop".
class TRecordingSoundPlayer : public TSoundPlayer {
 public:
  explicit TRecordingSoundPlayer(QStringList& log) : FLog(log) {}
  void PlaySound(const QString& fileName, bool loop) override {
    FLog << QStringLiteral("play %1 %2").arg(fileName, loop ? QStringLiteral("loop") : QStringLiteral("once"));
  }
  void StopSound() override { FLog << QStringLiteral("stop"); }

 private:
  QStringList& FLog;
};
