// A small INI reader and writer that keeps what it does not know: unknown sections, keys,
// comments and their order survive a read and write (autorun.inf belongs to the user too).
// Section and key names compare without regard to case, as on the system the format comes from.
#pragma once

#include <QString>
#include <QStringList>
#include <vector>

class TIniFile {
 public:
  TIniFile() = default;
  explicit TIniFile(const QString& fileName) { Load(fileName); }

  // Reads the file; a missing file gives an empty document and false.
  bool Load(const QString& fileName);
  // Writes through a temporary file that replaces the target.
  bool Save(const QString& fileName) const;
  bool Save() const { return Save(FFileName); }

  void Parse(const QString& text);
  QString ToText() const;

  QString ReadString(const QString& section, const QString& key, const QString& defaultValue = {}) const;
  int ReadInteger(const QString& section, const QString& key, int defaultValue) const;
  bool ReadBool(const QString& section, const QString& key, bool defaultValue) const;
  void WriteString(const QString& section, const QString& key, const QString& value);
  void WriteInteger(const QString& section, const QString& key, int value);
  void WriteBool(const QString& section, const QString& key, bool value);
  bool SectionExists(const QString& section) const;
  bool ValueExists(const QString& section, const QString& key) const;
  QStringList ReadSection(const QString& section) const;  // key names in order
  void EraseSection(const QString& section);
  void DeleteKey(const QString& section, const QString& key);

 private:
  struct Line {
    QString Text;  // the line as read, for lines that are not key=value
    QString Key;   // empty for other lines
    QString Value;
  };
  struct Section {
    QString Name;  // empty for the lines before the first section
    std::vector<Line> Lines;
  };
  const Section* Find(const QString& section) const;
  Section* Find(const QString& section);

  QString FFileName;
  std::vector<Section> FSections;
  QString FLineBreak = QStringLiteral("\r\n");
};
