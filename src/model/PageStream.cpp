#include "model/PageStream.h"

#include <QBuffer>
#include <QFile>
#include <QThread>
#include <algorithm>
#include <cerrno>

#include "model/Actions.h"
#include "model/Globals.h"
#include "model/ObjectStream.h"
#include "model/PayloadsStandard.h"
#include "model/ProjectStream.h"

template <>
const QStringList& EnumValueNames<TFormBorderStyle>() {
  static const QStringList names{QStringLiteral("bsNone"),       QStringLiteral("bsSingle"),
                                 QStringLiteral("bsSizeable"),   QStringLiteral("bsDialog"),
                                 QStringLiteral("bsToolWindow"), QStringLiteral("bsSizeToolWin")};
  return names;
}

template <>
const QStringList& EnumValueNames<TWindowState>() {
  static const QStringList names{QStringLiteral("wsNormal"), QStringLiteral("wsMinimized"),
                                 QStringLiteral("wsMaximized")};
  return names;
}

template <>
const QStringList& EnumValueNames<TFormStyle>() {
  static const QStringList names{QStringLiteral("fsNormal"), QStringLiteral("fsMDIChild"), QStringLiteral("fsMDIForm"),
                                 QStringLiteral("fsStayOnTop")};
  return names;
}

// ---- the page value ----

std::unique_ptr<TPageData> TPageData::Clone() const {
  auto copy = std::make_unique<TPageData>();
  copy->Props() = Props();
  copy->PanelObject = PanelObject ? PanelObject->Clone() : nullptr;
  return copy;
}

bool TPageData::SameAs(const TPageData& o) const {
  if (Props() != o.Props() || bool(PanelObject) != bool(o.PanelObject)) return false;
  return !PanelObject || PanelObject->SameAs(*o.PanelObject);
}

// ---- status panels ----

bool WriteStatusPanel(TStream& s, const TStatusPanel& panel) {
  return Guarded(s, PageCodes::StatusPanelWrite, [&] {
    WriteVersion(s);
    s.WriteEnum(panel.Alignment);
    if (!WriteString(s, panel.Text)) return false;
    s.WriteInt(panel.Width);
    return true;
  });
}

bool ReadStatusPanel(TStream& s, TStatusPanel* panel) {
  return Guarded(s, PageCodes::StatusPanelRead, [&] {
    if (!CheckVersion(s)) return false;
    TStatusPanel v;
    v.Alignment = s.ReadEnum<TAlignment>();
    v.Text = ReadStringOrAbort(s);
    v.Width = s.ReadInt();
    if (panel) *panel = std::move(v);
    return true;
  });
}

// ---- the page stream ----

bool WritePageStream(TStream& s, const TPageData& page) {
  return Guarded(s, PageCodes::PageWrite, [&] {
    // Only a panel can be the root; the reader refuses anything else.
    if (!page.PanelObject || page.PanelObject->ObjectType != otPanel) return false;
    WriteVersion(s);
    if (!WriteString(s, page.Caption)) return false;
    s.WriteByte(page.BorderIcons);
    s.WriteEnum(page.BorderStyle);
    s.WriteEnum(page.FormPositionType);
    s.WriteInt(page.FormPositionMargin);
    s.WriteEnum(page.FormPosition);
    s.WriteEnum(page.FormWindowState);
    s.WriteEnum(page.FormStyle);
    s.WriteBool(page.TransparentColor);
    s.WriteColor(page.TransparentColorValue);
    s.WriteInt(page.FormAlpha);
    s.WriteBool(page.FormFade);
    s.WriteInt(page.FormFadeInStep);
    s.WriteInt(page.FormFadeOutStep);
    if (!WritePicture(s, page.Image_Icon)) return false;
    if (!WriteActions(s, page.OnShowActions) || !WriteActions(s, page.OnCloseActions)) return false;
    s.WriteInt(static_cast<int32_t>(page.MainMenu.size()));
    for (const TMenuItem& item : page.MainMenu)
      if (!WriteMenuItem(s, item)) return false;
    s.WriteInt(page.StatusBar.Height);
    if (!WriteFont(s, page.StatusBar.Font)) return false;
    s.WriteInt(static_cast<int32_t>(page.StatusBar.Panels.size()));
    for (const TStatusPanel& panel : page.StatusBar.Panels)
      if (!WriteStatusPanel(s, panel)) return false;
    s.WriteInt(page.FormPositionX);
    s.WriteInt(page.FormPositionY);
    s.WriteInt(page.Width);
    s.WriteInt(page.Height);
    return WriteAuObject(s, *page.PanelObject);
  });
}

bool ReadPageStream(TStream& s, TPageData& page) {
  return Guarded(s, PageCodes::PageRead, [&] {
    TPageData v;
    if (!CheckVersion(s)) return false;
    v.Caption = ReadStringOrAbort(s);
    v.BorderIcons = s.ReadByte();
    v.BorderStyle = s.ReadEnum<TFormBorderStyle>();
    v.FormPositionType = s.ReadEnum<TFormPositionType>();
    v.FormPositionMargin = s.ReadInt();
    v.FormPosition = s.ReadEnum<TFormPosition>();
    v.FormWindowState = s.ReadEnum<TWindowState>();
    v.FormStyle = s.ReadEnum<TFormStyle>();
    v.TransparentColor = s.ReadBool();
    v.TransparentColorValue = s.ReadColor();
    v.FormAlpha = s.ReadInt();
    v.FormFade = s.ReadBool();
    v.FormFadeInStep = s.ReadInt();
    v.FormFadeOutStep = s.ReadInt();
    if (!ReadPicture(s, v.Image_Icon)) return false;
    if (!ReadActions(s, v.OnShowActions) || !ReadActions(s, v.OnCloseActions)) return false;
    const int32_t itemCount = s.ReadCount(ObjectSizes::MinMenuItem);
    for (int32_t i = 0; i < itemCount; ++i)
      if (!ReadMenuItem(s, &v.MainMenu.emplace_back())) return false;
    v.StatusBar.Height = s.ReadInt();
    if (!ReadFont(s, v.StatusBar.Font)) return false;
    const int32_t panelCount = s.ReadCount(PageSizes::MinStatusPanel);
    for (int32_t i = 0; i < panelCount; ++i)
      if (!ReadStatusPanel(s, &v.StatusBar.Panels.emplace_back())) return false;
    v.FormPositionX = s.ReadInt();
    v.FormPositionY = s.ReadInt();
    v.Width = s.ReadInt();
    v.Height = s.ReadInt();
    v.PanelObject = NewAuObject();
    if (!ReadAuObject(s, *v.PanelObject)) return false;
    // The page window and the designer treat the root as a panel filling the client area.
    if (v.PanelObject->ObjectType != otPanel) {
      s.Fail(TError::Plain(UnknownObjectTypeText));
      return false;
    }
    v.PanelObject->Align = alClient;
    page = std::move(v);
    return true;
  });
}

// ---- new pages ----

std::unique_ptr<TAuObject> NewPagePanel() {
  auto panel = NewAuObject();
  panel->ObjectType = otPanel;
  panel->Align = alClient;
  // A page's background differs from a new panel object's: no frame and no caption. Colour
  // (button face), border style (none) and font (Tahoma 8, the page window's) are the panel's own.
  auto payload = std::make_unique<TPanelPayload>();
  payload->PanelBack.Border = pbbNone;
  payload->PanelBack.Caption.clear();
  panel->Payload = std::move(payload);
  return panel;
}

void InitForm(TPageData& page, const QString& caption) {
  page = TPageData{};
  page.Caption = caption;
  page.PanelObject = NewPagePanel();
}

// ---- page-table entries ----

namespace {
bool ReadPageFromBytes(const QByteArray& bytes, TPageData& page, TError* error) {
  QBuffer buffer;
  buffer.setData(bytes);
  buffer.open(QIODevice::ReadOnly);
  TStream s(&buffer);
  const bool ok = ReadPageStream(s, page);
  if (!ok && error) *error = s.Error();
  return ok;
}
}  // namespace

bool StoreFormData(const TPageData& page, TFormData& formData, TError* error) {
  QByteArray bytes;
  if (!WriteToBytes(bytes, error, [&](TStream& s) { return WritePageStream(s, page); })) return false;
  auto outline = std::make_unique<TObjectInfo>();
  BuildObjectInfo(*page.PanelObject, *outline);
  formData.ObjectInfo = std::move(outline);
  formData.FormInfoData = std::move(bytes);
  return true;
}

bool LoadFormData(const TFormData& formData, TPageData& page, TError* error) {
  if (formData.FormInfoData) return ReadPageFromBytes(*formData.FormInfoData, page, error);
  return LoadFormFromSource(page, formData.Position, formData.Length, error);
}

bool LoadFormFromSource(TPageData& page, qint64 position, qint64 length, TError* error) {
  const QString fileName = SourceFileName;
  QFile file(fileName);
  const int attempts = IsDesigner ? 1 : std::max(1, SourceOpenAttempts);
  int osError = 0;
  for (int attempt = 1; attempt <= attempts; ++attempt) {
    errno = 0;
    if (file.open(QIODevice::ReadOnly)) break;
    osError = errno != 0 ? errno : (file.exists() ? EACCES : ENOENT);
    if (attempt < attempts && SourceOpenRetryDelayMs > 0) QThread::msleep(SourceOpenRetryDelayMs);
  }
  if (!file.isOpen()) {
    if (error) {
      if (IsDesigner)
        *error = TError::File(PageCodes::SourceFileRead, fileName, osError);
      else
        *error = TError::Plain(SystemErrorText(osError) + QStringLiteral(" \"") + fileName + QStringLiteral("\" "));
    }
    return false;
  }
  const qint64 size = file.size();
  if (position < 0 || position > size || (length >= 0 && length > size - position) || !file.seek(position)) {
    if (error) *error = TError::File(PageCodes::SourceFileRead, fileName, EndOfDataError());
    return false;
  }
  if (length < 0) {
    TStream s(&file);
    const bool ok = ReadPageStream(s, page);
    if (!ok && error) *error = s.Error();
    return ok;
  }
  // One read of the page's range; the page cannot run on into the bytes after it.
  errno = 0;
  const QByteArray bytes = file.read(length);
  if (bytes.size() != length) {
    if (error) *error = TError::File(PageCodes::SourceFileRead, fileName, errno != 0 ? errno : EndOfDataError());
    return false;
  }
  return ReadPageFromBytes(bytes, page, error);
}
