#include "player/ActionRunner.h"

#include <QPointer>
#include <QRegularExpression>

#include "model/Errors.h"
#include "model/Globals.h"
#include "model/Paths.h"
#include "model/PayloadsFading.h"
#include "model/PayloadsStandard.h"
#include "objects/FadingKinds.h"
#include "player/AutoRunForm.h"
#include "player/PageObjects.h"
#include "player/Shell.h"
#include "player/Sounds.h"

namespace {
int& Nesting() {
  static int depth = 0;
  return depth;
}

class TNested {
 public:
  TNested() { ++Nesting(); }
  ~TNested() { --Nesting(); }
  TNested(const TNested&) = delete;
  TNested& operator=(const TNested&) = delete;
};

const QString OpenVerb = QStringLiteral("open");

TShellExecutor& Executor() {
  static TShellExecutor executor;
  return executor;
}

void RunShell(const QString& verb, const QString& file, const QString& parameters, const QString& folder) {
  if (!Executor()) {
    ShellRun(verb, file, parameters, folder);
    return;
  }
  ReportShellResult(Executor()(verb, file, parameters, folder));
}

void ShowPage(const TAuAction& action, TAutoRunForm* page, bool modal) {
  // Designer previews show one page only.
  if (IsDesigner) return;
  const int index = FindPageIndex(action.Param1);
  if (index < 0) return;
  if (!modal) {
    ShowPageWindow(index, TShowPageMode::Normal, action.OptionBool, action.OptionInt);
    return;
  }
  const std::unique_ptr<TAutoRunForm> shown =
      ShowPageWindow(index, TShowPageMode::Modal, action.OptionBool, action.OptionInt);
  if (shown) RunActions(action.Actions1, page, shown.get());
}

void ShowMessage(const TAuAction& action, TAutoRunForm* page) {
  if (action.Param1.isEmpty()) return;
  const TMessageKind kind = MessageKindOf(action.OptionInt);
  const int answer = ShowMessageBox(Project.AppTitle, action.Param1, kind.Icon, kind.Buttons, kind.DefaultButton);
  if (action.OptionInt != 3 && action.OptionInt != 4) return;
  if (answer == mbYes)
    RunActions(action.Actions1, page);
  else if (answer == mbNo)
    RunActions(action.Actions2, page);
}

// Stored lines are separated by CR LF; the text may break its lines with any of CR LF, CR or LF.
QString AsStoredLines(const QString& text) {
  static const QRegularExpression breaks(QStringLiteral("\r\n|\r|\n"));
  return text.split(breaks).join(QStringLiteral("\r\n"));
}

template <class P>
P* PayloadAs(TAuObject& object) {
  return dynamic_cast<P*>(object.Payload.get());
}

// The record changed; its control follows.
void PayloadChanged(TAuObject& object) {
  if (TAuControl* c = ControlOf(object)) c->RecordChanged(TRecordChange::Payload);
}

// The text of an effect label or text, shape, balloon or note without a control to show it.
void SetFadingTextInRecord(TAuObject& object, const QString& text) {
  if (auto* p = PayloadAs<TFadeLabelPayload>(object)) p->Caption = text;
  if (auto* p = PayloadAs<TFadeTextPayload>(object)) p->Lines = AsStoredLines(text);
  if (auto* p = PayloadAs<TShapePayload>(object)) p->Caption = text;
  if (auto* p = PayloadAs<TBalloonPayload>(object)) p->Caption = text;
  if (auto* p = PayloadAs<TNotePayload>(object)) p->Caption = text;
}

// A visible fading object changes its text while it is faded out; any other at once.
void SetFadingText(TAuObject& object, const QString& text) {
  TFadingControl* f = FadingControlOf(object);
  if (!f) {
    SetFadingTextInRecord(object, text);
    return;
  }
  if (f->CanFadeSwap()) {
    TFadeSwap& swap = f->PendingSwap();
    swap.ShowText = true;
    swap.ShowTextString = text;
    f->DoFadeCirculate(false);
  } else {
    f->ShowCaption(text);
  }
}
}  // namespace

TShellExecutor SetShellExecutor(TShellExecutor executor) {
  Executor().swap(executor);
  return executor;
}

TMessageKind MessageKindOf(int kind) {
  switch (kind) {
    case 0:
      return {TMsgIcon::Warning, mbOK, mbOK};
    case 1:
      return {TMsgIcon::Information, mbOK, mbOK};
    case 2:
      return {TMsgIcon::Error, mbOK, mbOK};
    case 3:
      return {TMsgIcon::Question, mbYes | mbNo, mbYes};
    case 4:
      return {TMsgIcon::Question, mbYes | mbNo | mbCancel, mbYes};
    default:
      return {TMsgIcon::None, mbOK, mbOK};
  }
}

void RunActions(const TAuActions& actions, TAutoRunForm* page, TAutoRunForm* modalForm) {
  if (ExitRequested || Nesting() >= MaxActionNesting) return;
  TNested nested;
  // Closing or switching the page waits until this list is done, so the list (which may belong to
  // one of its objects) outlives the loop.
  QPointer<TAutoRunForm> target(page);
  TPageBusy busy(page);
  const size_t count = actions.Actions.size();
  for (size_t i = 0; i < count && i < actions.Actions.size(); ++i) {
    if (ExitRequested) return;
    if (!page) {
      RunCommand(actions.Actions[i], nullptr);
    } else {
      if (!target) return;
      target->DoAction(actions.Actions[i], modalForm);
    }
  }
}

void RunCommand(const TAuAction& action, TAutoRunForm* page) {
  switch (action.Command) {
    case ctOpenRunFile:
      if (!action.Param1.isEmpty())
        RunShell(OpenVerb, MakeAbsolutePath(action.Param1), action.Param2, MakeAbsolutePath(action.Param3));
      break;
    case ctVisitWebsite:
      if (!action.Param1.isEmpty()) RunShell(OpenVerb, action.Param1, QString(), QString());
      break;
    case ctSendEmail:
      if (!action.Param1.isEmpty()) RunShell(OpenVerb, QStringLiteral("mailto:") + action.Param1, QString(), QString());
      break;
    case ctPrintDocument:
      if (!action.Param1.isEmpty())
        RunShell(QStringLiteral("print"), MakeAbsolutePath(action.Param1), QString(), QString());
      break;
    case ctBrowse: {
      QString folder = MakeAbsolutePath(action.Param1);
      if (folder.isEmpty()) folder = GetProjectFolder();
      RunShell(QStringLiteral("explore"), folder, QString(), QString());
      break;
    }
    case ctShowMessage:
      ShowMessage(action, page);
      break;
    case ctExit:
      ExitRequested = true;
      break;
    case ctPlaySound:
      if (!action.Param1.isEmpty())
        SoundPlayer(TSoundChannel::Effect).PlaySound(MakeAbsolutePath(action.Param1), action.OptionBool);
      break;
    case ctStopSound:
      SoundPlayer(TSoundChannel::Effect).StopSound();
      break;
    case ctPlayBackMusic:
      if (!action.Param1.isEmpty())
        SoundPlayer(TSoundChannel::BackMusic).PlaySound(MakeAbsolutePath(action.Param1), action.OptionBool);
      break;
    case ctStopBackMusic:
      SoundPlayer(TSoundChannel::BackMusic).StopSound();
      break;
    case ctShowPage:
      ShowPage(action, page, false);
      break;
    case ctShowPageModal:
      ShowPage(action, page, true);
      break;
    case ctClosePage:
    case ctGoToPage:
    case ctSetObjectText:
    case ctSetObjectImage:
    default:
      // Page only; without a page there is nothing to act on.
      break;
  }
}

// ---- the page's own commands ----

void TAutoRunForm::DoAction(const TAuAction& action, TAutoRunForm* modalForm) {
  (void)modalForm;
  switch (action.Command) {
    case ctClosePage:
      CloseSoon();
      return;
    case ctGoToPage: {
      if (IsDesigner) return;
      const int index = FindPageIndex(action.Param1);
      if (index >= 0) GoToPage(index);
      return;
    }
    case ctSetObjectText:
      SetObjectText(action.Param1, action.Param2);
      return;
    case ctSetObjectImage:
      SetObjectImage(action.Picture, action.Param2);
      return;
    default:
      if (action.Command > ctSetObjectImage) return;
      break;
  }
  QPointer<TAutoRunForm> self(this);
  RunCommand(action, this);
  if (!ExitRequested || !self) return;
  // Pages close outwards: a modal page first, then the page that showed it, up to the main page.
  if (IsDesigner || IsModal)
    CloseSoon();
  else if (TAutoRunForm* main = MainPageWindow())
    main->CloseSoon();
  else
    CloseSoon();
}

void TAutoRunForm::SetObjectText(const QString& text, const QString& target) {
  TAuObject* object = GetAuObjectFromName(target);
  if (!object) {
    SetStatusPanelText(StatusPanelIndex(target, static_cast<int>(Page.StatusBar.Panels.size())), text);
    return;
  }
  TAuObject& o = *object;
  switch (o.ObjectType) {
    case otPanel:
      if (auto* p = PayloadAs<TPanelPayload>(o)) p->PanelBack.Caption = text;
      break;
    case otTabSheet:
      if (auto* p = PayloadAs<TTabSheetPayload>(o)) p->Caption = text;
      break;
    case otGroupBox:
      if (auto* p = PayloadAs<TGroupBoxPayload>(o)) p->Caption = text;
      break;
    case otStandardButton:
      if (auto* p = PayloadAs<TStandardButtonPayload>(o)) p->Caption = text;
      break;
    case otImageButton:
      if (auto* p = PayloadAs<TImageButtonPayload>(o)) p->Caption = text;
      break;
    case otSimpleText:
      if (auto* p = PayloadAs<TSimpleTextPayload>(o)) p->Caption = text;
      break;
    case otMultilineText:
      if (auto* p = PayloadAs<TMultilineTextPayload>(o)) p->Caption = text;
      break;
    case otMemo:
      if (auto* p = PayloadAs<TMemoPayload>(o)) p->Lines = AsStoredLines(text);
      break;
    case otLabel:
    case otText:
    case otShape:
    case otBalloon:
    case otNote:
      SetFadingText(o, text);
      return;
    default:
      return;
  }
  PayloadChanged(o);
}

void TAutoRunForm::SetObjectImage(const std::optional<TPicture>& picture, const QString& target) {
  TAuObject* object = GetAuObjectFromName(target);
  if (!object) return;
  const TPicture newPicture = picture ? *picture : TPicture();
  if (object->ObjectType == otImage) {
    if (auto* p = PayloadAs<TImagePayload>(*object)) {
      p->Picture = newPicture;
      PayloadChanged(*object);
    }
    return;
  }
  if (object->ObjectType != otShape) return;
  TFadingControl* f = FadingControlOf(*object);
  if (f && f->CanFadeSwap()) {
    TFadeSwap& swap = f->PendingSwap();
    swap.ChangePicture = true;
    swap.PictureForChange = newPicture;
    f->DoFadeCirculate(false);
  } else if (auto* shape = dynamic_cast<TAuShape*>(f)) {
    shape->ChangePicture(newPicture);
  } else if (auto* p = PayloadAs<TShapePayload>(*object)) {
    p->Picture = newPicture;
  }
}
