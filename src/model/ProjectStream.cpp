#include "model/ProjectStream.h"

#include <cerrno>
#include <limits>
#include <utility>
#include <vector>

#include "model/Actions.h"
#include "model/Globals.h"

namespace {
// Smallest stored sizes, used to check counts against the bytes left before allocating.
constexpr qint64 MinObjectInfoBytes = 4 + 4 + 1 + 4;  // version, empty name, kind, child count
constexpr qint64 MinFormDataBytes = 4 + 4 + 4 + 4;    // version, empty name, position, length
// Raw page bytes move through a buffer of at most this size.
constexpr qint64 CopyChunkBytes = 1024 * 1024;

bool FitsInt32(qint64 value) { return value >= 0 && value <= std::numeric_limits<int32_t>::max(); }
}  // namespace

bool WriteObjectInfo(TStream& s, const TObjectInfo& info) {
  return Guarded(s, ProjectCodes::ObjectInfoWrite, [&] {
    // A tree deeper than a reader accepts would make a file that cannot be opened again.
    TDepthGuard depth(s);
    if (!depth.Ok()) return false;
    WriteVersion(s);
    WriteStringOrAbort(s, info.ObjectName);
    s.WriteEnum(info.ObjectType);
    s.WriteInt(static_cast<int32_t>(info.Objects.size()));
    for (const auto& child : info.Objects)
      if (!WriteObjectInfo(s, *child)) return false;
    return true;
  });
}

bool ReadObjectInfo(TStream& s, TObjectInfo& info) {
  return Guarded(s, ProjectCodes::ObjectInfoRead, [&] {
    TDepthGuard depth(s);
    if (!depth.Ok()) return false;
    if (!CheckVersion(s)) return false;
    info.ObjectName = ReadStringOrAbort(s);
    info.ObjectType = s.ReadEnum<TObjectType>();
    const int32_t n = s.ReadCount(MinObjectInfoBytes);
    info.Objects.clear();
    info.Objects.reserve(n);
    for (int32_t i = 0; i < n; ++i) info.Objects.push_back(std::make_unique<TObjectInfo>());
    for (auto& child : info.Objects)
      if (!ReadObjectInfo(s, *child)) return false;
    return true;
  });
}

bool WriteFormData(TStream& s, const TFormData& form) {
  return Guarded(s, ProjectCodes::FormDataWrite, [&] {
    WriteVersion(s);
    WriteStringOrAbort(s, form.FormName);
    s.WriteInt(form.Position);
    s.WriteInt(form.Length);
    return true;
  });
}

bool ReadFormData(TStream& s, TFormData& form) {
  return Guarded(s, ProjectCodes::FormDataRead, [&] {
    if (!CheckVersion(s)) return false;
    form.FormName = ReadStringOrAbort(s);
    form.Position = s.ReadInt();
    form.Length = s.ReadInt();
    // The page must lie inside the file that holds the table; anything else is damage, and
    // finding it now beats failing later when the page is shown or saved.
    return form.Position >= 0 && form.Length >= 0 && qint64(form.Position) + form.Length <= s.Size();
  });
}

namespace {
// Copies length bytes of source from start to the output, through buffer (grown as needed, at most
// CopyChunkBytes).
bool CopySourceRange(TStream& output, QIODevice* source, qint64 start, qint64 length, QByteArray& buffer) {
  return Guarded(output, ProjectCodes::CopyFormStream, [&] {
    if (start < 0 || length < 0 || start + length > source->size() || !source->seek(start)) return false;
    const qint64 wanted = std::min(length, CopyChunkBytes);
    if (buffer.size() < wanted) buffer.resize(static_cast<qsizetype>(wanted));
    for (qint64 left = length; left > 0;) {
      const qint64 chunk = std::min<qint64>(left, buffer.size());
      if (source->read(buffer.data(), chunk) != chunk) return false;
      output.WriteRaw(buffer.constData(), chunk);
      left -= chunk;
    }
    return true;
  });
}
}  // namespace

bool CopyFormStream(TStream& output, const TFormData& form, QIODevice* source) {
  if (!form.FormInfoData && source) {
    QByteArray buffer;
    return CopySourceRange(output, source, form.Position, form.Length, buffer);
  }
  return Guarded(output, ProjectCodes::CopyFormStream, [&] {
    if (!form.FormInfoData) {
      output.Fail(TError::Plain(OrgStreamErrorText));
      return false;
    }
    output.WriteRaw(form.FormInfoData->constData(), form.FormInfoData->size());
    return true;
  });
}

bool WriteProjectSettings(TStream& output, TMenuProject& project, QIODevice* source) {
  // Positions are put back when the block fails, so the project keeps describing its source.
  std::vector<std::pair<int32_t, int32_t>> previous;
  previous.reserve(project.Forms.size());
  for (const auto& form : project.Forms) previous.emplace_back(form->Position, form->Length);

  const bool ok = Guarded(output, ProjectCodes::SettingsWrite, [&] {
    WriteVersion(output);
    output.WriteEnum(project.SecurityType);
    for (const QString* text :
         {&project.AppOutputFileName, &project.SecurityUserAuthList, &project.SecurityUserAuthLabel,
          &project.SecurityPasswordLabel, &project.SecurityErrorMessage, &project.SecurityTitle,
          &project.SecurityOKButtonCaption, &project.SecurityCancelButtonCaption, &project.SplashScreenName})
      WriteStringOrAbort(output, *text);
    output.WriteInt(project.SplashScreenTime);
    WriteStringOrAbort(output, project.ExitFormName);
    output.WriteInt(project.ExitFormTime);
    WriteStringOrAbort(output, project.FullScreenName);
    WriteStringOrAbort(output, project.AppTitle);
    if (!WriteActions(output, project.OnStartActions)) return false;
    if (!WriteActions(output, project.OnExitActions)) return false;
    output.WriteInt(static_cast<int32_t>(project.Forms.size()));

    // The table is written twice: now with the old numbers as placeholders of the same size, and
    // again once the pages have been written and their new positions are known.
    const qint64 tableStart = output.Pos();
    for (const auto& form : project.Forms)
      if (!WriteFormData(output, *form)) return false;
    const qint64 tableEnd = output.Pos();

    const TObjectInfo emptyOutline;
    for (const auto& form : project.Forms)
      if (!WriteObjectInfo(output, form->ObjectInfo ? *form->ObjectInfo : emptyOutline)) return false;

    // Unedited pages that lie back to back in the source (the usual case) are copied as one range
    // in large chunks; each still gets its own position and length.
    QByteArray buffer;
    auto& forms = project.Forms;
    for (size_t first = 0; first < forms.size();) {
      size_t last = first + 1;
      const qint64 start = output.Pos();
      if (forms[first]->FormInfoData || !source) {
        if (!CopyFormStream(output, *forms[first], source)) return false;
      } else {
        qint64 runLength = forms[first]->Length;  // a negative length fails in the copy
        while (runLength >= 0 && last < forms.size() && !forms[last]->FormInfoData && forms[last]->Length >= 0 &&
               qint64(forms[last]->Position) == forms[first]->Position + runLength) {
          runLength += forms[last]->Length;
          ++last;
        }
        if (!CopySourceRange(output, source, forms[first]->Position, runLength, buffer)) return false;
      }
      const qint64 end = output.Pos();
      // Offsets are stored in 32 bits; a file beyond that cannot be described.
      if (!FitsInt32(start) || !FitsInt32(end)) {
        output.Fail(TError::Stream(ProjectCodes::SettingsWrite, EFBIG));
        return false;
      }
      qint64 pos = start;
      for (size_t k = first; k < last; ++k) {
        const qint64 length = k + 1 == last ? end - pos : forms[k]->Length;
        forms[k]->Position = static_cast<int32_t>(pos);
        forms[k]->Length = static_cast<int32_t>(length);
        pos += length;
      }
      first = last;
    }

    const qint64 blockEnd = output.Pos();
    if (!output.Seek(tableStart)) return false;
    for (const auto& form : project.Forms)
      if (!WriteFormData(output, *form)) return false;
    // Only numbers changed, so the table must end where it ended before.
    if (output.Pos() != tableEnd) return false;
    return output.Seek(blockEnd);
  });

  if (!ok)
    for (size_t i = 0; i < project.Forms.size(); ++i) {
      project.Forms[i]->Position = previous[i].first;
      project.Forms[i]->Length = previous[i].second;
    }
  return ok;
}

bool ReadProjectSettings(TStream& input, TMenuProject& project, bool readOutlines) {
  TMenuProject read;
  const bool ok = Guarded(input, ProjectCodes::SettingsRead, [&] {
    if (!CheckVersion(input)) return false;
    read.SecurityType = input.ReadEnum<TSecurityType>();
    for (QString* text : {&read.AppOutputFileName, &read.SecurityUserAuthList, &read.SecurityUserAuthLabel,
                          &read.SecurityPasswordLabel, &read.SecurityErrorMessage, &read.SecurityTitle,
                          &read.SecurityOKButtonCaption, &read.SecurityCancelButtonCaption, &read.SplashScreenName})
      *text = ReadStringOrAbort(input);
    read.SplashScreenTime = input.ReadInt();
    read.ExitFormName = ReadStringOrAbort(input);
    read.ExitFormTime = input.ReadInt();
    read.FullScreenName = ReadStringOrAbort(input);
    read.AppTitle = ReadStringOrAbort(input);
    if (!ReadActions(input, read.OnStartActions)) return false;
    if (!ReadActions(input, read.OnExitActions)) return false;

    // Every page has a table entry and an outline after the count.
    const int32_t n = input.ReadCount(MinFormDataBytes + MinObjectInfoBytes);
    read.Forms.reserve(n);
    for (int32_t i = 0; i < n; ++i) {
      auto form = std::make_unique<TFormData>();
      form->FormName = QStringLiteral("Unknown");
      form->ObjectInfo = std::make_unique<TObjectInfo>();
      read.Forms.push_back(std::move(form));
    }
    for (auto& form : read.Forms)
      if (!ReadFormData(input, *form)) return false;
    if (readOutlines)
      for (auto& form : read.Forms)
        if (!ReadObjectInfo(input, *form->ObjectInfo)) return false;
    return true;
  });
  if (ok) project = std::move(read);
  return ok;
}

bool WriteProjectSettings(TStream& output, QIODevice* source) {
  if (!WriteProjectSettings(output, Project, source)) return false;
  ProjectChanged = false;
  return true;
}

bool ReadProjectSettings(TStream& input) {
  if (!ReadProjectSettings(input, Project, IsDesigner)) return false;
  ProjectChanged = false;
  return true;
}

void BuildObjectInfo(const TAuObject& object, TObjectInfo& info) {
  info.ObjectName = object.ObjectName;
  info.ObjectType = object.ObjectType;
  info.Objects.clear();
  info.Objects.reserve(object.Objects.size());
  for (const auto& child : object.Objects) {
    auto node = std::make_unique<TObjectInfo>();
    node->ObjectName = QStringLiteral("Unknown");
    BuildObjectInfo(*child, *node);
    info.Objects.push_back(std::move(node));
  }
}

int CountOutlineObjects(const TObjectInfo& info) {
  int n = 0;
  for (const auto& child : info.Objects) n += 1 + CountOutlineObjects(*child);
  return n;
}
