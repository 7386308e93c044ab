#include "model/JsonSupport.h"

#include <cmath>
#include <limits>

QJsonValue StringToJson(const QString& s) {
  if (s.isValidUtf16()) return s;
  const QByteArray units(reinterpret_cast<const char*>(s.utf16()), s.size() * 2);
  return QJsonObject{{QStringLiteral("UTF16"), BytesToJson(units)}};
}

bool StringFromJson(const QJsonValue& j, QString& s) {
  if (j.isString()) {
    s = j.toString();
    return true;
  }
  if (!j.isObject()) return false;
  auto units = QByteArray::fromBase64Encoding(j.toObject().value(QStringLiteral("UTF16")).toString().toLatin1(),
                                              QByteArray::AbortOnBase64DecodingErrors);
  if (!units || units.decoded.size() % 2) return false;
  s = QString(reinterpret_cast<const QChar*>(units.decoded.constData()), units.decoded.size() / 2);
  return true;
}

QJsonValue ColorToJson(TColor c) {
  return QStringLiteral("0x") + QString::number(c, 16).rightJustified(8, u'0').toUpper();
}

bool ColorFromJson(const QJsonValue& j, TColor& c) {
  if (j.isDouble()) {
    const double d = j.toDouble();
    if (d < 0 || d > 4294967295.0 || d != std::floor(d)) return false;
    c = static_cast<TColor>(d);
    return true;
  }
  QString s = j.toString();
  bool ok = false;
  uint v = 0;
  if (s.startsWith(QLatin1String("0x"), Qt::CaseInsensitive))
    v = s.mid(2).toUInt(&ok, 16);
  else if (s.startsWith(u'$'))
    v = s.mid(1).toUInt(&ok, 16);
  if (!ok) return false;
  c = v;
  return true;
}

QJsonValue FontToJson(const TFont& font) {
  return QJsonObject{{QStringLiteral("Name"), StringToJson(font.Name)},
                     {QStringLiteral("Color"), ColorToJson(font.Color)},
                     {QStringLiteral("Size"), font.Size},
                     {QStringLiteral("Charset"), font.Charset},
                     {QStringLiteral("Style"), font.Style}};
}

bool FontFromJson(const QJsonValue& j, TFont& font, QString& error) {
  if (!j.isObject()) {
    error = QStringLiteral("font must be an object");
    return false;
  }
  TJsonReader r(j.toObject());
  TFont f = font;
  r.Get(QStringLiteral("Name"), f.Name);
  r.GetColor(QStringLiteral("Color"), f.Color);
  r.Get(QStringLiteral("Size"), f.Size);
  r.Get(QStringLiteral("Charset"), f.Charset);
  r.Get(QStringLiteral("Style"), f.Style);
  if (!r.Ok()) {
    error = r.Error();
    return false;
  }
  font = f;
  return true;
}

QJsonValue PictureToJson(const TPicture& picture) {
  if (picture.IsEmpty()) return QJsonValue(QJsonValue::Null);
  return QJsonObject{{QStringLiteral("Class"), GraphicClassName(picture.Kind)},
                     {QStringLiteral("Data"), BytesToJson(picture.Data)}};
}

bool PictureFromJson(const QJsonValue& j, TPicture& picture, QString& error) {
  picture.Clear();
  if (j.isNull() || j.isUndefined()) return true;
  if (!j.isObject()) {
    error = QStringLiteral("picture must be an object or null");
    return false;
  }
  const QJsonObject o = j.toObject();
  const TGraphicKind kind = GraphicClassFromName(o.value(QStringLiteral("Class")).toString());
  if (kind == TGraphicKind::None) {
    error = QStringLiteral("unknown picture class");
    return false;
  }
  const QByteArray data = QByteArray::fromBase64(o.value(QStringLiteral("Data")).toString().toLatin1(),
                                                 QByteArray::AbortOnBase64DecodingErrors);
  if (data.isEmpty()) {
    error = QStringLiteral("picture data is not base64");
    return false;
  }
  picture.Kind = kind;
  picture.Data = data;
  return true;
}

void TJsonReader::Fail(const QString& name, const QString& what) {
  if (FError.isEmpty())
    FError = (FContext.isEmpty() ? QString() : FContext + u'.') + name + QStringLiteral(": ") + what;
}

void TJsonReader::Get(const QString& name, QString& v) {
  if (!FJson.contains(name)) return;
  if (!StringFromJson(FJson.value(name), v)) Fail(name, QStringLiteral("expected a string"));
}

void TJsonReader::Get(const QString& name, bool& v) {
  if (!FJson.contains(name)) return;
  const QJsonValue j = FJson.value(name);
  if (!j.isBool()) return Fail(name, QStringLiteral("expected true or false"));
  v = j.toBool();
}

namespace {
template <class T>
bool IntegerFrom(const QJsonValue& j, T& v) {
  if (!j.isDouble()) return false;
  const double d = j.toDouble();
  if (d != std::floor(d) || d < double(std::numeric_limits<T>::min()) || d > double(std::numeric_limits<T>::max()))
    return false;
  v = static_cast<T>(d);
  return true;
}
}  // namespace

void TJsonReader::Get(const QString& name, int32_t& v) {
  if (FJson.contains(name) && !IntegerFrom(FJson.value(name), v))
    Fail(name, QStringLiteral("expected a 32-bit integer"));
}
void TJsonReader::Get(const QString& name, int16_t& v) {
  if (FJson.contains(name) && !IntegerFrom(FJson.value(name), v))
    Fail(name, QStringLiteral("expected a 16-bit integer"));
}
void TJsonReader::Get(const QString& name, uint16_t& v) {
  if (FJson.contains(name) && !IntegerFrom(FJson.value(name), v))
    Fail(name, QStringLiteral("expected an unsigned 16-bit integer"));
}
void TJsonReader::Get(const QString& name, uint8_t& v) {
  if (FJson.contains(name) && !IntegerFrom(FJson.value(name), v)) Fail(name, QStringLiteral("expected a byte value"));
}

void TJsonReader::Get(const QString& name, double& v) {
  if (!FJson.contains(name)) return;
  const QJsonValue j = FJson.value(name);
  if (!j.isDouble()) return Fail(name, QStringLiteral("expected a number"));
  v = j.toDouble();
}

void TJsonReader::GetColor(const QString& name, TColor& v) {
  if (FJson.contains(name) && !ColorFromJson(FJson.value(name), v)) Fail(name, QStringLiteral("expected a colour"));
}

void TJsonReader::Get(const QString& name, TFont& v) {
  if (!FJson.contains(name)) return;
  QString error;
  if (!FontFromJson(FJson.value(name), v, error)) Fail(name, error);
}

void TJsonReader::Get(const QString& name, TPicture& v) {
  if (!FJson.contains(name)) return;
  QString error;
  if (!PictureFromJson(FJson.value(name), v, error)) Fail(name, error);
}

void TJsonReader::GetBytes(const QString& name, QByteArray& v) {
  if (!FJson.contains(name)) return;
  const QJsonValue j = FJson.value(name);
  if (!j.isString()) return Fail(name, QStringLiteral("expected base64 text"));
  auto result = QByteArray::fromBase64Encoding(j.toString().toLatin1(), QByteArray::AbortOnBase64DecodingErrors);
  if (!result) return Fail(name, QStringLiteral("expected base64 text"));
  v = *result;
}
