// Shared machinery of the payload classes: each kind keeps its stored fields in a plain record
// that lists them once (a static Visit over name and member), and the JSON form, the deep copy and
// the comparison are derived from that record, so a field added to the record cannot be forgotten
// by any of them. Only the stream forms, whose order and widths differ from kind to kind, are
// written out by hand.
#pragma once

#include <QJsonObject>
#include <QString>
#include <memory>
#include <type_traits>

#include "model/JsonSupport.h"
#include "model/Project.h"

// Collects the visited fields into a JSON object.
class TJsonFieldWriter {
 public:
  QJsonObject Json;

  void operator()(const char* name, const QString& v) { Json.insert(QLatin1String(name), StringToJson(v)); }
  void operator()(const char* name, bool v) { Json.insert(QLatin1String(name), v); }
  void operator()(const char* name, int32_t v) { Json.insert(QLatin1String(name), IntToJson(v)); }
  void operator()(const char* name, int16_t v) { Json.insert(QLatin1String(name), IntToJson(v)); }
  void operator()(const char* name, int8_t v) { Json.insert(QLatin1String(name), IntToJson(v)); }
  void operator()(const char* name, uint8_t v) { Json.insert(QLatin1String(name), IntToJson(v)); }
  void operator()(const char* name, TColor v) { Json.insert(QLatin1String(name), ColorToJson(v)); }
  void operator()(const char* name, const TFont& v) { Json.insert(QLatin1String(name), FontToJson(v)); }
  void operator()(const char* name, const TPicture& v) { Json.insert(QLatin1String(name), PictureToJson(v)); }
  template <class E>
  requires std::is_enum_v<E>
  void operator()(const char* name, E v) { Json.insert(QLatin1String(name), EnumToName(v)); }
  // A nested record as a JSON object of its own.
  template <class R>
  void Nested(const char* name, const R& record) {
    TJsonFieldWriter inner;
    R::Visit(record, inner);
    Json.insert(QLatin1String(name), inner.Json);
  }
};

// Reads the visited fields from a JSON object; absent fields keep their value, the first value
// that cannot be used is reported with its path.
class TJsonFieldReader {
 public:
  explicit TJsonFieldReader(const QJsonObject& json, QString context = {})
      : FReader(json, context), FContext(std::move(context)) {}

  bool Ok() const { return FReader.Ok(); }

  void operator()(const char* name, QString& v) { FReader.Get(QLatin1String(name), v); }
  void operator()(const char* name, bool& v) { FReader.Get(QLatin1String(name), v); }
  void operator()(const char* name, int32_t& v) { FReader.Get(QLatin1String(name), v); }
  void operator()(const char* name, int16_t& v) { FReader.Get(QLatin1String(name), v); }
  void operator()(const char* name, uint8_t& v) { FReader.Get(QLatin1String(name), v); }
  void operator()(const char* name, int8_t& v) {
    int32_t wide = v;
    FReader.Get(QLatin1String(name), wide);
    if (wide < -128 || wide > 127)
      FReader.Fail(QLatin1String(name), QStringLiteral("expected a signed byte value"));
    else
      v = static_cast<int8_t>(wide);
  }
  void operator()(const char* name, TColor& v) { FReader.GetColor(QLatin1String(name), v); }
  void operator()(const char* name, TFont& v) { FReader.Get(QLatin1String(name), v); }
  void operator()(const char* name, TPicture& v) { FReader.Get(QLatin1String(name), v); }
  template <class E>
  requires std::is_enum_v<E>
  void operator()(const char* name, E& v) { FReader.GetEnum(QLatin1String(name), v); }
  template <class R>
  void Nested(const char* name, R& record) {
    const QString key = QLatin1String(name);
    if (!FReader.Has(key)) return;
    const QJsonValue j = FReader.Json().value(key);
    if (!j.isObject()) return FReader.Fail(key, QStringLiteral("expected an object"));
    TJsonFieldReader inner(j.toObject(), FContext.isEmpty() ? key : FContext + u'.' + key);
    R::Visit(record, inner);
    if (inner.Ok()) return;
    // The inner message already carries the full path; keep it as the first failure.
    if (Ok()) FNestedError = inner.Message();
    FReader.Fail(key, inner.Message());
  }
  // The first failure, with the path of the field.
  QString Message() const { return FNestedError.isEmpty() ? FReader.Error() : FNestedError; }

 private:
  TJsonReader FReader;
  QString FContext;
  QString FNestedError;
};

// Fields-to-JSON and back for any record with a Visit. FromJson changes nothing on failure.
template <class R>
QJsonObject RecordToJson(const R& record) {
  TJsonFieldWriter w;
  R::Visit(record, w);
  return w.Json;
}

template <class R>
bool RecordFromJson(const QJsonObject& json, R& record, QString& error) {
  R copy = record;
  TJsonFieldReader r(json);
  R::Visit(copy, r);
  if (!r.Ok()) {
    error = r.Message();
    return false;
  }
  record = std::move(copy);
  return true;
}

// The base of a payload class whose stored fields are the record Fields.
template <class Self, class Fields>
class TPayloadOf : public TObjectPayload, public Fields {
 public:
  const Fields& Data() const { return *this; }
  Fields& Data() { return *this; }

  std::unique_ptr<TObjectPayload> Clone() const override {
    return std::make_unique<Self>(static_cast<const Self&>(*this));
  }
  bool Equals(const TObjectPayload& other) const override {
    const auto* o = dynamic_cast<const Self*>(&other);
    return o && Data() == o->Data();
  }
  QJsonObject ToJson() const override { return RecordToJson<Fields>(Data()); }
  bool FromJson(const QJsonObject& json, QString& error) override {
    return RecordFromJson<Fields>(json, Data(), error);
  }
};
