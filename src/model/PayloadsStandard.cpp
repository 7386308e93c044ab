#include "model/PayloadsStandard.h"

#include <type_traits>

#include "model/JsonSupport.h"

template <>
const QStringList& EnumValueNames<TButtonStyle>() {
  static const QStringList names{QStringLiteral("bsNormal"), QStringLiteral("bsNormalFlat"), QStringLiteral("bsThemes"),
                                 QStringLiteral("bsThemesFlat"), QStringLiteral("bsTransparent")};
  return names;
}

template <>
const QStringList& EnumValueNames<TBevelStyle>() {
  static const QStringList names{QStringLiteral("bsLowered"), QStringLiteral("bsRaised")};
  return names;
}

template <>
const QStringList& EnumValueNames<TBevelShape>() {
  static const QStringList names{QStringLiteral("bsBox"),      QStringLiteral("bsFrame"),
                                 QStringLiteral("bsTopLine"),  QStringLiteral("bsBottomLine"),
                                 QStringLiteral("bsLeftLine"), QStringLiteral("bsRightLine"),
                                 QStringLiteral("bsSpacer")};
  return names;
}

template <>
const QStringList& EnumValueNames<TResizeStyle>() {
  static const QStringList names{QStringLiteral("rsNone"), QStringLiteral("rsLine"), QStringLiteral("rsUpdate"),
                                 QStringLiteral("rsPattern")};
  return names;
}

template <>
const QStringList& EnumValueNames<TScrollStyle>() {
  static const QStringList names{QStringLiteral("ssNone"), QStringLiteral("ssHorizontal"), QStringLiteral("ssVertical"),
                                 QStringLiteral("ssBoth")};
  return names;
}

namespace {

// ---- the four visitors over a kind's stored fields ----
//
// A field list calls v(name, field) for every stored field in stored order, and asks v.Has(n)
// before fields that only versions n and later store. TColor fields are the only 32-bit unsigned
// fields, so the colour overloads tell colours from integers by type.

// Writes the stored form. A failing nested writer has recorded its own code; the abort ends the
// enclosing guarded write.
struct TFieldWriter {
  static constexpr bool Reads = false;
  TStream& s;

  bool Has(int32_t) const { return true; }
  void operator()(const char*, const QString& v) {
    if (!WriteString(s, v)) throw TStreamAbort{};
  }
  void operator()(const char*, const TFont& v) {
    if (!WriteFont(s, v)) throw TStreamAbort{};
  }
  void operator()(const char*, const TPicture& v) {
    if (!WritePicture(s, v)) throw TStreamAbort{};
  }
  void operator()(const char*, const TPanelBack& v) {
    if (!v.Write(s)) throw TStreamAbort{};
  }
  // A counted block: length, then the bytes.
  void operator()(const char*, const QByteArray& v) {
    s.WriteInt(static_cast<int32_t>(v.size()));
    s.WriteRaw(v.constData(), v.size());
  }
  void operator()(const char*, TColor v) { s.WriteColor(v); }
  void operator()(const char*, int32_t v) { s.WriteInt(v); }
  void operator()(const char*, int16_t v) { s.Write<int16_t>(v); }
  void operator()(const char*, bool v) { s.WriteBool(v); }
  template <class E>
  requires std::is_enum_v<E>
  void operator()(const char*, E v) { s.WriteEnum(v); }
};

struct TFieldReader {
  static constexpr bool Reads = true;
  TStream& s;
  int32_t Version;

  bool Has(int32_t version) const { return Version >= version; }
  void operator()(const char*, QString& v) {
    if (!ReadString(s, v)) throw TStreamAbort{};
  }
  void operator()(const char*, TFont& v) {
    if (!ReadFont(s, v)) throw TStreamAbort{};
  }
  void operator()(const char*, TPicture& v) {
    if (!ReadPicture(s, v)) throw TStreamAbort{};
  }
  void operator()(const char*, TPanelBack& v) {
    if (!v.Read(s)) throw TStreamAbort{};
  }
  // Checked against the bytes left before anything is allocated; a length ≤ 0 is an empty block.
  void operator()(const char*, QByteArray& v) { v = s.ReadBytes(s.ReadBlockLength()); }
  void operator()(const char*, TColor& v) { v = s.ReadColor(); }
  void operator()(const char*, int32_t& v) { v = s.ReadInt(); }
  void operator()(const char*, int16_t& v) { v = s.Read<int16_t>(); }
  void operator()(const char*, bool& v) { v = s.ReadBool(); }
  template <class E>
  requires std::is_enum_v<E>
  void operator()(const char*, E& v) { v = s.ReadEnum<E>(); }
};

struct TJsonFieldWriter {
  static constexpr bool Reads = false;
  QJsonObject Json;

  bool Has(int32_t) const { return true; }
  void operator()(const char* n, const QString& v) { Json.insert(QLatin1String(n), v); }
  void operator()(const char* n, const TFont& v) { Json.insert(QLatin1String(n), FontToJson(v)); }
  void operator()(const char* n, const TPicture& v) { Json.insert(QLatin1String(n), PictureToJson(v)); }
  void operator()(const char* n, const TPanelBack& v) { Json.insert(QLatin1String(n), v.ToJson()); }
  void operator()(const char* n, const QByteArray& v) { Json.insert(QLatin1String(n), BytesToJson(v)); }
  void operator()(const char* n, TColor v) { Json.insert(QLatin1String(n), ColorToJson(v)); }
  void operator()(const char* n, int32_t v) { Json.insert(QLatin1String(n), IntToJson(v)); }
  void operator()(const char* n, int16_t v) { Json.insert(QLatin1String(n), IntToJson(v)); }
  void operator()(const char* n, bool v) { Json.insert(QLatin1String(n), v); }
  template <class E>
  requires std::is_enum_v<E>
  void operator()(const char* n, E v) { Json.insert(QLatin1String(n), EnumToName(v)); }
};

struct TJsonFieldReader {
  static constexpr bool Reads = true;
  TJsonReader r;

  bool Has(int32_t) const { return true; }
  void operator()(const char* n, QString& v) { r.Get(QLatin1String(n), v); }
  void operator()(const char* n, TFont& v) { r.Get(QLatin1String(n), v); }
  void operator()(const char* n, TPicture& v) { r.Get(QLatin1String(n), v); }
  void operator()(const char* n, TPanelBack& v) {
    const QString name = QLatin1String(n);
    if (!r.Has(name)) return;
    const QJsonValue j = r.Json().value(name);
    if (!j.isObject()) return r.Fail(name, QStringLiteral("expected an object"));
    QString error;
    if (!v.FromJson(j.toObject(), error)) r.Fail(name, error);
  }
  void operator()(const char* n, QByteArray& v) { r.GetBytes(QLatin1String(n), v); }
  void operator()(const char* n, TColor& v) { r.GetColor(QLatin1String(n), v); }
  void operator()(const char* n, int32_t& v) { r.Get(QLatin1String(n), v); }
  void operator()(const char* n, int16_t& v) { r.Get(QLatin1String(n), v); }
  void operator()(const char* n, bool& v) { r.Get(QLatin1String(n), v); }
  template <class E>
  requires std::is_enum_v<E>
  void operator()(const char* n, E& v) { r.GetEnum(QLatin1String(n), v); }
};

// The payload as the visitor sees it: writable for readers, const for writers.
template <class P, class V>
using Ref = std::conditional_t<V::Reads, P&, const P&>;

// ---- the stored fields of each kind, in stored order ----

template <class V>
void Fields(V& v, Ref<TPanelPayload, V> p) {
  v("PanelBack", p.PanelBack);
  v("Color", p.Color);
  v("BorderStyle", p.BorderStyle);
  v("Font", p.Font);
}

template <class V>
void Fields(V& v, Ref<TTabNotebookPayload, V> p) {
  v("Font", p.Font);
  v("Color", p.Color);
  v("IconWidth", p.IconWidth);
  v("IconHeight", p.IconHeight);
  v("DefaultActivePageIndex", p.DefaultActivePageIndex);
  v("TabStop", p.TabStop);
}

template <class V>
void Fields(V& v, Ref<TTabSheetPayload, V> p) {
  v("Caption", p.Caption);
  v("Icon", p.Icon);
}

template <class V>
void Fields(V& v, Ref<TGroupBoxPayload, V> p) {
  v("Caption", p.Caption);
  v("Font", p.Font);
  v("Color", p.Color);
}

template <class V>
void Fields(V& v, Ref<TScrollBoxPayload, V> p) {
  v("Color", p.Color);
  v("BorderStyle", p.BorderStyle);
  v("Font", p.Font);
}

template <class V>
void Fields(V& v, Ref<TSplitterPayload, V> p) {
  v("AutoSnap", p.AutoSnap);
  v("Beveled", p.Beveled);
  v("Color", p.Color);
  v("MinSize", p.MinSize);
  v("ResizeStyle", p.ResizeStyle);
}

template <class V>
void Fields(V& v, Ref<TStandardButtonPayload, V> p) {
  v("Caption", p.Caption);
  v("Font", p.Font);
  v("Cancel", p.Cancel);
  v("Default", p.Default);
  v("TabStop", p.TabStop);
  v("WordWrap", p.WordWrap);
}

template <class V>
void Fields(V& v, Ref<TImageButtonPayload, V> p) {
  v("Caption", p.Caption);
  v("Font", p.Font);
  v("FontOver", p.FontOver);
  v("Image", p.Image);
  v("ImageOver", p.ImageOver);
  v("Hint", p.Hint);
  v("Cursor", p.Cursor);
  v("ButtonStyle", p.ButtonStyle);
  v("Margin", p.Margin);
  v("Layout", p.Layout);
  v("Space", p.Space);
  v("Slide", p.Slide);
}

template <class V>
void Fields(V& v, Ref<TSimpleTextPayload, V> p) {
  v("Caption", p.Caption);
  v("Font", p.Font);
  v("Alignment", p.Alignment);
  v("Layout", p.Layout);
  v("Color", p.Color);
  v("Transparent", p.Transparent);
}

template <class V>
void Fields(V& v, Ref<TMultilineTextPayload, V> p) {
  if (v.Has(1)) {
    v("AnimActive", p.AnimActive);
    v("AnimStyle", p.AnimStyle);
    v("AnimStep", p.AnimStep);
    v("AnimInterval", p.AnimInterval);
    v("AnimDelay", p.AnimDelay);
    v("AnimFromBottom", p.AnimFromBottom);
    v("AnimRepeatCount", p.AnimRepeatCount);
  }
  v("Caption", p.Caption);
  v("Font", p.Font);
  v("Alignment", p.Alignment);
  v("Layout", p.Layout);
  v("Color", p.Color);
  v("Transparent", p.Transparent);
}

template <class V>
void Fields(V& v, Ref<TImagePayload, V> p) {
  v("Picture", p.Picture);
  v("AutoSize", p.AutoSize);
  v("Center", p.Center);
  v("Stretch", p.Stretch);
  v("Transparent", p.Transparent);
}

template <class V>
void Fields(V& v, Ref<TBevelPayload, V> p) {
  v("Style", p.Style);
  v("Shape", p.Shape);
  v("HighlightColor", p.HighlightColor);
  v("ShadowColor", p.ShadowColor);
}

template <class V>
void Fields(V& v, Ref<TMemoPayload, V> p) {
  v("Lines", p.Lines);
  v("Font", p.Font);
  v("Alignment", p.Alignment);
  v("WordWrap", p.WordWrap);
  v("ScrollBars", p.ScrollBars);
  v("Color", p.Color);
  v("BorderStyle", p.BorderStyle);
  v("TabStop", p.TabStop);
}

template <class V>
void Fields(V& v, Ref<TRichTextPayload, V> p) {
  v("Document", p.Document);
  v("Font", p.Font);
  v("Alignment", p.Alignment);
  v("WordWrap", p.WordWrap);
  v("PlainText", p.PlainText);
  v("ScrollBars", p.ScrollBars);
  v("Color", p.Color);
  v("BorderStyle", p.BorderStyle);
  v("TabStop", p.TabStop);
}

}  // namespace

// ---- the shared forms ----

template <class Derived, TObjectType K>
bool TStandardPayload<Derived, K>::Write(TStream& s) const {
  return Guarded(s, Derived::WriteCode, [&] {
    WriteVersion(s, Derived::StoredVersion);
    TFieldWriter w{s};
    Fields(w, Self());
    return true;
  });
}

template <class Derived, TObjectType K>
bool TStandardPayload<Derived, K>::Read(TStream& s) {
  Derived v = Self();
  const bool ok = Guarded(s, Derived::ReadCode, [&] {
    int32_t version = 0;
    if (!ReadVersion(s, version, Derived::StoredVersion)) return false;
    TFieldReader r{s, version};
    Fields(r, v);
    return true;
  });
  if (ok) static_cast<Derived&>(*this) = std::move(v);
  return ok;
}

template <class Derived, TObjectType K>
QJsonObject TStandardPayload<Derived, K>::ToJson() const {
  TJsonFieldWriter w;
  Fields(w, Self());
  return w.Json;
}

template <class Derived, TObjectType K>
bool TStandardPayload<Derived, K>::FromJson(const QJsonObject& json, QString& error) {
  Derived v = Self();
  TJsonFieldReader r{TJsonReader(json)};
  Fields(r, v);
  if (!r.r.Ok()) {
    error = r.r.Error();
    return false;
  }
  static_cast<Derived&>(*this) = std::move(v);
  return true;
}

template class TStandardPayload<TPanelPayload, otPanel>;
template class TStandardPayload<TTabNotebookPayload, otTabNotebook>;
template class TStandardPayload<TTabSheetPayload, otTabSheet>;
template class TStandardPayload<TGroupBoxPayload, otGroupBox>;
template class TStandardPayload<TScrollBoxPayload, otScrollBox>;
template class TStandardPayload<TSplitterPayload, otSplitter>;
template class TStandardPayload<TStandardButtonPayload, otStandardButton>;
template class TStandardPayload<TImageButtonPayload, otImageButton>;
template class TStandardPayload<TSimpleTextPayload, otSimpleText>;
template class TStandardPayload<TMultilineTextPayload, otMultilineText>;
template class TStandardPayload<TImagePayload, otImage>;
template class TStandardPayload<TBevelPayload, otBevel>;
template class TStandardPayload<TMemoPayload, otMemo>;
template class TStandardPayload<TRichTextPayload, otRichText>;

// ---- kind helpers ----

int TTabNotebookPayload::ActivePageAfterLoad(int pageCount) const {
  if (pageCount <= 0) return -1;
  if (DefaultActivePageIndex >= 0 && DefaultActivePageIndex < pageCount) return DefaultActivePageIndex;
  return pageCount > 1 ? 1 : 0;
}

std::vector<const TAuObject*> TabSheetsOf(const TAuObject& notebook) {
  std::vector<const TAuObject*> sheets;
  for (const auto& child : notebook.Objects)
    if (child && child->ObjectType == otTabSheet) sheets.push_back(child.get());
  return sheets;
}

std::unique_ptr<TObjectPayload> NewStandardPayload(TObjectType kind) {
  switch (kind) {
    case otPanel:
      return std::make_unique<TPanelPayload>();
    case otTabNotebook:
      return std::make_unique<TTabNotebookPayload>();
    case otTabSheet:
      return std::make_unique<TTabSheetPayload>();
    case otGroupBox:
      return std::make_unique<TGroupBoxPayload>();
    case otScrollBox:
      return std::make_unique<TScrollBoxPayload>();
    case otSplitter:
      return std::make_unique<TSplitterPayload>();
    case otStandardButton:
      return std::make_unique<TStandardButtonPayload>();
    case otImageButton:
      return std::make_unique<TImageButtonPayload>();
    case otSimpleText:
      return std::make_unique<TSimpleTextPayload>();
    case otImage:
      return std::make_unique<TImagePayload>();
    case otBevel:
      return std::make_unique<TBevelPayload>();
    case otMemo:
      return std::make_unique<TMemoPayload>();
    case otRichText:
      return std::make_unique<TRichTextPayload>();
    case otMultilineText:
      return std::make_unique<TMultilineTextPayload>();
    default:
      return nullptr;
  }
}
