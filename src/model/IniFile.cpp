#include "model/IniFile.h"

#include <QFile>
#include <QSaveFile>

bool TIniFile::Load(const QString& fileName) {
  FFileName = fileName;
  FSections.clear();
  QFile file(fileName);
  if (!file.open(QIODevice::ReadOnly)) return false;
  // Settings and autorun.inf files are small; refuse to slurp anything absurd.
  if (file.size() > 16 * 1024 * 1024) return false;
  const QByteArray bytes = file.readAll();
  Parse(bytes.startsWith("\xEF\xBB\xBF") ? QString::fromUtf8(bytes.mid(3)) : QString::fromUtf8(bytes));
  return true;
}

void TIniFile::Parse(const QString& text) {
  FSections.clear();
  FLineBreak =
      text.contains(QLatin1String("\r\n")) || !text.contains(u'\n') ? QStringLiteral("\r\n") : QStringLiteral("\n");
  FSections.push_back(Section{});
  QString normalized = text;
  normalized.replace(QLatin1String("\r\n"), QLatin1String("\n"));
  QStringList lines = normalized.split(u'\n');
  if (!lines.isEmpty() && lines.back().isEmpty()) lines.removeLast();
  for (const QString& raw : lines) {
    const QString t = raw.trimmed();
    if (t.startsWith(u'[') && t.endsWith(u']')) {
      FSections.push_back(Section{t.mid(1, t.size() - 2).trimmed(), {}});
      continue;
    }
    const int eq = raw.indexOf(u'=');
    if (eq > 0 && !t.startsWith(u';') && !t.startsWith(u'#'))
      FSections.back().Lines.push_back(Line{raw, raw.left(eq).trimmed(), raw.mid(eq + 1).trimmed()});
    else
      FSections.back().Lines.push_back(Line{raw, {}, {}});
  }
}

QString TIniFile::ToText() const {
  QString out;
  for (const Section& s : FSections) {
    if (!s.Name.isEmpty()) out += u'[' + s.Name + u']' + FLineBreak;
    for (const Line& l : s.Lines) out += (l.Key.isEmpty() ? l.Text : l.Key + u'=' + l.Value) + FLineBreak;
  }
  return out;
}

bool TIniFile::Save(const QString& fileName) const {
  QSaveFile file(fileName);
  if (!file.open(QIODevice::WriteOnly)) return false;
  file.write(ToText().toUtf8());
  return file.commit();
}

const TIniFile::Section* TIniFile::Find(const QString& section) const {
  for (const Section& s : FSections)
    if (!s.Name.isEmpty() && s.Name.compare(section, Qt::CaseInsensitive) == 0) return &s;
  return nullptr;
}

TIniFile::Section* TIniFile::Find(const QString& section) {
  return const_cast<Section*>(static_cast<const TIniFile*>(this)->Find(section));
}

QString TIniFile::ReadString(const QString& section, const QString& key, const QString& defaultValue) const {
  if (const Section* s = Find(section))
    for (const Line& l : s->Lines)
      if (!l.Key.isEmpty() && l.Key.compare(key, Qt::CaseInsensitive) == 0) return l.Value;
  return defaultValue;
}

int TIniFile::ReadInteger(const QString& section, const QString& key, int defaultValue) const {
  bool ok = false;
  const QString v = ReadString(section, key);
  const int n = v.startsWith(QLatin1String("0x"), Qt::CaseInsensitive) ? v.mid(2).toInt(&ok, 16) : v.toInt(&ok);
  return ok ? n : defaultValue;
}

bool TIniFile::ReadBool(const QString& section, const QString& key, bool defaultValue) const {
  return ReadInteger(section, key, defaultValue ? 1 : 0) != 0;
}

void TIniFile::WriteString(const QString& section, const QString& key, const QString& value) {
  Section* s = Find(section);
  if (!s) {
    if (FSections.empty()) FSections.push_back(Section{});
    FSections.push_back(Section{section, {}});
    s = &FSections.back();
  }
  for (Line& l : s->Lines)
    if (!l.Key.isEmpty() && l.Key.compare(key, Qt::CaseInsensitive) == 0) {
      l.Value = value;
      return;
    }
  // New keys go after the section's last key, before trailing blank lines.
  auto at = s->Lines.end();
  while (at != s->Lines.begin() && std::prev(at)->Key.isEmpty() && std::prev(at)->Text.trimmed().isEmpty()) --at;
  s->Lines.insert(at, Line{{}, key, value});
}

void TIniFile::WriteInteger(const QString& section, const QString& key, int value) {
  WriteString(section, key, QString::number(value));
}

void TIniFile::WriteBool(const QString& section, const QString& key, bool value) {
  WriteString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

bool TIniFile::SectionExists(const QString& section) const { return Find(section) != nullptr; }

bool TIniFile::ValueExists(const QString& section, const QString& key) const {
  if (const Section* s = Find(section))
    for (const Line& l : s->Lines)
      if (!l.Key.isEmpty() && l.Key.compare(key, Qt::CaseInsensitive) == 0) return true;
  return false;
}

QStringList TIniFile::ReadSection(const QString& section) const {
  QStringList keys;
  if (const Section* s = Find(section))
    for (const Line& l : s->Lines)
      if (!l.Key.isEmpty()) keys.append(l.Key);
  return keys;
}

void TIniFile::EraseSection(const QString& section) {
  for (auto it = FSections.begin(); it != FSections.end(); ++it)
    if (!it->Name.isEmpty() && it->Name.compare(section, Qt::CaseInsensitive) == 0) {
      FSections.erase(it);
      return;
    }
}

void TIniFile::DeleteKey(const QString& section, const QString& key) {
  if (Section* s = Find(section))
    std::erase_if(s->Lines,
                  [&](const Line& l) { return !l.Key.isEmpty() && l.Key.compare(key, Qt::CaseInsensitive) == 0; });
}
