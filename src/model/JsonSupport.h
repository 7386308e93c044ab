// Building blocks of the JSON form: how primitives, fonts, pictures and enumerations appear as
// text. Field names are the stored names; enumerations are written by value name; colours as
// "0xAABBGGRR" hex strings; pictures as their class name plus base64 bytes. Readers accept what
// writers produce and report the first thing they cannot use.
#pragma once

#include <QJsonArray>
#include <QJsonObject>
#include <QJsonValue>
#include <QString>

#include "model/Stream.h"
#include "model/Types.h"

// Strings that are not valid UTF-16 (unpaired surrogates, as binary data in a hint may hold)
// cannot pass through JSON text; they are written as {"UTF16": base64 of the code units}. Use
// StringToJson for every stored string; TJsonReader::Get reads both forms.
QJsonValue StringToJson(const QString& s);
bool StringFromJson(const QJsonValue& j, QString& s);

QJsonValue ColorToJson(TColor c);
QJsonValue FontToJson(const TFont& font);
QJsonValue PictureToJson(const TPicture& picture);

// A reader over one JSON object: each Get* reads the named field into the target when present
// (absent fields keep their current value, so defaults hold) and records the first error.
class TJsonReader {
 public:
  explicit TJsonReader(const QJsonObject& json, QString context = {}) : FJson(json), FContext(std::move(context)) {}

  bool Ok() const { return FError.isEmpty(); }
  const QString& Error() const { return FError; }
  const QJsonObject& Json() const { return FJson; }
  bool Has(const QString& name) const { return FJson.contains(name); }

  void Get(const QString& name, QString& v);
  void Get(const QString& name, bool& v);
  void Get(const QString& name, int32_t& v);
  void Get(const QString& name, int16_t& v);
  void Get(const QString& name, uint16_t& v);
  void Get(const QString& name, uint8_t& v);
  void Get(const QString& name, double& v);
  void GetColor(const QString& name, TColor& v);
  void Get(const QString& name, TFont& v);
  void Get(const QString& name, TPicture& v);
  void GetBytes(const QString& name, QByteArray& v);  // base64
  template <class E>
  void GetEnum(const QString& name, E& v) {
    if (!FJson.contains(name)) return;
    const QJsonValue j = FJson.value(name);
    auto e = j.isDouble() ? EnumFromName<E>(QString::number(j.toInt(-1))) : EnumFromName<E>(j.toString());
    if (e)
      v = *e;
    else
      Fail(name, QStringLiteral("unknown value"));
  }
  void Fail(const QString& name, const QString& what);

 private:
  QJsonObject FJson;
  QString FContext;
  QString FError;
};

bool FontFromJson(const QJsonValue& j, TFont& font, QString& error);
bool PictureFromJson(const QJsonValue& j, TPicture& picture, QString& error);
bool ColorFromJson(const QJsonValue& j, TColor& c);

// Integer fields as JSON numbers; exact for every 32-bit value.
inline QJsonValue IntToJson(int64_t v) { return QJsonValue(static_cast<qint64>(v)); }
inline QJsonValue BytesToJson(const QByteArray& bytes) { return QString::fromLatin1(bytes.toBase64()); }
