#include "model/PayloadsFading.h"

// Every reader fills a copy and takes it over only when the whole payload was read, so a damaged
// payload leaves the object as it was.

// ---- fade button ----

bool TFadeButtonPayload::Write(TStream& s) const {
  return Guarded(s, FadingCodes::FadeButtonWrite, [&] {
    WriteVersion(s);
    WriteStringOrAbort(s, Caption);
    if (!WriteFont(s, Font) || !WritePicture(s, Picture)) return false;
    s.WriteInt(Margin);
    s.WriteEnum(Layout);
    s.WriteInt(Space);
    s.WriteColor(BackColor);
    s.WriteColor(BorderColor);
    return WriteFadeParam(s, FadeParam);
  });
}

bool TFadeButtonPayload::Read(TStream& s) {
  return Guarded(s, FadingCodes::FadeButtonRead, [&] {
    if (!CheckVersion(s)) return false;
    TFadeButtonFields f = Data();
    f.Caption = ReadStringOrAbort(s);
    if (!ReadFont(s, f.Font) || !ReadPicture(s, f.Picture)) return false;
    f.Margin = s.ReadInt();
    f.Layout = s.ReadEnum<TImageLayout>();
    f.Space = s.ReadInt();
    f.BackColor = s.ReadColor();
    f.BorderColor = s.ReadColor();
    if (!ReadFadeParam(s, f.FadeParam)) return false;
    Data() = std::move(f);
    return true;
  });
}

// ---- fade label ----

bool TFadeLabelPayload::Write(TStream& s) const {
  return Guarded(s, FadingCodes::LabelWrite, [&] {
    WriteVersion(s, StreamVersion);
    WriteTextAnimation(s, *this);
    s.WriteEnum(Alignment);
    s.WriteBool(AutoSize);
    s.WriteEnum(Layout);
    s.WriteBool(Transparent);
    s.WriteInt(Border);
    WriteStringOrAbort(s, Caption);
    return WriteFont(s, Font) && WriteTextEffect(s, FontEffect) && WriteFadeParam(s, FadeParam);
  });
}

bool TFadeLabelPayload::Read(TStream& s) {
  return Guarded(s, FadingCodes::LabelRead, [&] {
    int32_t version = 0;
    if (!ReadVersion(s, version, StreamVersion)) return false;
    TFadeLabelFields f = Data();
    // Version 0 payloads predate the animation and keep its current settings.
    if (version >= 1) ReadTextAnimation(s, f);
    f.Alignment = s.ReadEnum<TAlignment>();
    f.AutoSize = s.ReadBool();
    f.Layout = s.ReadEnum<TTextLayout>();
    f.Transparent = s.ReadBool();
    f.Border = s.ReadInt();
    f.Caption = ReadStringOrAbort(s);
    if (!ReadFont(s, f.Font) || !ReadTextEffect(s, f.FontEffect) || !ReadFadeParam(s, f.FadeParam)) return false;
    Data() = std::move(f);
    return true;
  });
}

// ---- fade text ----

bool TFadeTextPayload::Write(TStream& s) const {
  return Guarded(s, FadingCodes::TextWrite, [&] {
    WriteVersion(s, StreamVersion);
    WriteTextAnimation(s, *this);
    WriteStringOrAbort(s, Lines);
    s.WriteEnum(Alignment);
    s.WriteBool(AutoSize);
    s.WriteByte(0);  // reserved
    s.WriteBool(Transparent);
    s.WriteColor(Color);
    if (!WriteFont(s, Font)) return false;
    s.WriteInt(RowPitch);  // sign-extended
    s.WriteInt(Border);
    return WriteTextEffect(s, FontEffect) && WriteFadeParam(s, FadeParam);
  });
}

bool TFadeTextPayload::Read(TStream& s) {
  return Guarded(s, FadingCodes::TextRead, [&] {
    int32_t version = 0;
    if (!ReadVersion(s, version, StreamVersion)) return false;
    TFadeTextFields f = Data();
    if (version >= 1) ReadTextAnimation(s, f);
    f.Lines = ReadStringOrAbort(s);
    f.Alignment = s.ReadEnum<TAlignment>();
    f.AutoSize = s.ReadBool();
    s.ReadByte();  // reserved
    f.Transparent = s.ReadBool();
    f.Color = s.ReadColor();
    if (!ReadFont(s, f.Font)) return false;
    f.RowPitch = static_cast<int16_t>(s.ReadInt());  // only the low 16 bits are meaningful
    f.Border = s.ReadInt();
    if (!ReadTextEffect(s, f.FontEffect) || !ReadFadeParam(s, f.FadeParam)) return false;
    Data() = std::move(f);
    return true;
  });
}

// ---- shape ----

bool TShapePayload::Write(TStream& s) const {
  return Guarded(s, FadingCodes::ShapeWrite, [&] {
    WriteVersion(s, StreamVersion);
    s.WriteBool(AnimActive);
    s.WriteInt(AnimInStyle);
    s.WriteInt(AnimInStep);
    s.WriteInt(AnimInInterval);
    s.WriteInt(AnimInDelay);
    s.WriteBool(AnimInFromMargin);
    s.WriteInt(AnimOutStyle);
    s.WriteInt(AnimOutStep);
    s.WriteInt(AnimOutInterval);
    s.WriteInt(AnimOutDelay);
    s.WriteBool(AnimOutToMargin);
    s.WriteInt(LeftMargin);
    s.WriteInt(RightMargin);
    s.WriteInt(TopMargin);
    s.WriteInt(BottomMargin);
    s.WriteInt(AnimRepeatCount);
    s.WriteColor(Color);
    s.WriteInt(Gradient);
    s.WriteColor(GradientColor);
    s.WriteInt(Round);
    s.WriteInt(Shape);
    s.WriteInt(BorderWidth);
    s.WriteColor(BorderColor);
    WriteStringOrAbort(s, Caption);
    if (!WriteFont(s, Font)) return false;
    s.WriteEnum(Alignment);
    s.WriteEnum(Layout);
    s.WriteInt(Margin);
    return WriteFadeParam(s, FadeParam) && WritePicture(s, Picture);
  });
}

bool TShapePayload::Read(TStream& s) {
  return Guarded(s, FadingCodes::ShapeRead, [&] {
    int32_t version = 0;
    if (!ReadVersion(s, version, StreamVersion)) return false;
    TShapeFields f = Data();
    // Version 0 payloads predate the animation and keep its current settings.
    if (version >= 1) {
      f.AnimActive = s.ReadBool();
      f.AnimInStyle = s.ReadInt();
      f.AnimInStep = s.ReadInt();
      f.AnimInInterval = s.ReadInt();
      f.AnimInDelay = s.ReadInt();
      f.AnimInFromMargin = s.ReadBool();
      f.AnimOutStyle = s.ReadInt();
      f.AnimOutStep = s.ReadInt();
      f.AnimOutInterval = s.ReadInt();
      f.AnimOutDelay = s.ReadInt();
      f.AnimOutToMargin = s.ReadBool();
      f.LeftMargin = s.ReadInt();
      f.RightMargin = s.ReadInt();
      f.TopMargin = s.ReadInt();
      f.BottomMargin = s.ReadInt();
      f.AnimRepeatCount = s.ReadInt();
    }
    f.Color = s.ReadColor();
    f.Gradient = s.ReadInt();
    f.GradientColor = s.ReadColor();
    f.Round = s.ReadInt();
    f.Shape = s.ReadInt();
    f.BorderWidth = s.ReadInt();
    f.BorderColor = s.ReadColor();
    f.Caption = ReadStringOrAbort(s);
    if (!ReadFont(s, f.Font)) return false;
    f.Alignment = s.ReadEnum<TAlignment>();
    f.Layout = s.ReadEnum<TTextLayout>();
    f.Margin = s.ReadInt();
    if (!ReadFadeParam(s, f.FadeParam) || !ReadPicture(s, f.Picture)) return false;
    Data() = std::move(f);
    return true;
  });
}

// ---- balloon ----

bool TBalloonPayload::Write(TStream& s) const {
  return Guarded(s, FadingCodes::BalloonWrite, [&] {
    WriteVersion(s);
    if (!WriteFont(s, Font)) return false;
    WriteStringOrAbort(s, Caption);
    s.WriteEnum(Alignment);
    s.WriteEnum(Layout);
    s.WriteInt(Margin);
    s.WriteInt(Arrow);
    s.WriteColor(BorderColor);
    s.WriteColor(Color);
    return WriteFadeParam(s, FadeParam);
  });
}

bool TBalloonPayload::Read(TStream& s) {
  return Guarded(s, FadingCodes::BalloonRead, [&] {
    if (!CheckVersion(s)) return false;
    TBalloonFields f = Data();
    if (!ReadFont(s, f.Font)) return false;
    f.Caption = ReadStringOrAbort(s);
    f.Alignment = s.ReadEnum<TAlignment>();
    f.Layout = s.ReadEnum<TTextLayout>();
    f.Margin = s.ReadInt();
    f.Arrow = s.ReadInt();
    f.BorderColor = s.ReadColor();
    f.Color = s.ReadColor();
    if (!ReadFadeParam(s, f.FadeParam)) return false;
    Data() = std::move(f);
    return true;
  });
}

// ---- note ----

bool TNotePayload::Write(TStream& s) const {
  return Guarded(s, FadingCodes::NoteWrite, [&] {
    WriteVersion(s);
    if (!WriteFont(s, Font)) return false;
    WriteStringOrAbort(s, Caption);
    s.WriteEnum(Alignment);
    s.WriteInt(Margin);
    s.WriteInt(Graphic);
    s.WriteInt(Round);
    s.WriteColor(BackColor);
    s.WriteBool(Flat);
    s.WriteBool(Shadow);
    return WriteFadeParam(s, FadeParam);
  });
}

bool TNotePayload::Read(TStream& s) {
  return Guarded(s, FadingCodes::NoteRead, [&] {
    if (!CheckVersion(s)) return false;
    TNoteFields f = Data();
    if (!ReadFont(s, f.Font)) return false;
    f.Caption = ReadStringOrAbort(s);
    f.Alignment = s.ReadEnum<TAlignment>();
    f.Margin = s.ReadInt();
    f.Graphic = s.ReadInt();
    f.Round = s.ReadInt();
    f.BackColor = s.ReadColor();
    f.Flat = s.ReadBool();
    f.Shadow = s.ReadBool();
    if (!ReadFadeParam(s, f.FadeParam)) return false;
    Data() = std::move(f);
    return true;
  });
}

// ---- slide show ----

bool TSlideShowPayload::Write(TStream& s) const {
  return Guarded(s, FadingCodes::MediaKinds, [&] {
    WriteVersion(s);
    WriteStringOrAbort(s, Folder);
    s.WriteInt(Interval);
    s.WriteBool(Play);
    s.WriteBool(Loop);
    return WriteFadeParam(s, FadeParam);
  });
}

bool TSlideShowPayload::Read(TStream& s) {
  return Guarded(s, FadingCodes::MediaKinds, [&] {
    if (!CheckVersion(s)) return false;
    TSlideShowFields f = Data();
    f.Folder = ReadStringOrAbort(s);
    f.Interval = s.ReadInt();
    f.Play = s.ReadBool();
    f.Loop = s.ReadBool();
    if (!ReadFadeParam(s, f.FadeParam)) return false;
    Data() = std::move(f);
    return true;
  });
}

// ---- web browser ----

bool TWebBrowserPayload::Write(TStream& s) const {
  return Guarded(s, FadingCodes::MediaKinds, [&] {
    WriteVersion(s);
    s.WriteInt(BrowserType);
    WriteStringOrAbort(s, URL);
    return true;
  });
}

bool TWebBrowserPayload::Read(TStream& s) {
  return Guarded(s, FadingCodes::MediaKinds, [&] {
    if (!CheckVersion(s)) return false;
    TWebBrowserFields f = Data();
    f.BrowserType = s.ReadInt();
    f.URL = ReadStringOrAbort(s);
    Data() = std::move(f);
    return true;
  });
}

// ---- media player ----

bool TMediaPlayerPayload::Write(TStream& s) const {
  return Guarded(s, FadingCodes::MediaKinds, [&] {
    WriteVersion(s);
    s.WriteBool(Active);
    s.WriteBool(ControlBar);
    s.WriteBool(Border);
    s.WriteBool(IsRepeat);
    WriteStringOrAbort(s, MediaFile);
    return true;
  });
}

bool TMediaPlayerPayload::Read(TStream& s) {
  return Guarded(s, FadingCodes::MediaKinds, [&] {
    if (!CheckVersion(s)) return false;
    TMediaPlayerFields f = Data();
    f.Active = s.ReadBool();
    f.ControlBar = s.ReadBool();
    f.Border = s.ReadBool();
    f.IsRepeat = s.ReadBool();
    f.MediaFile = ReadStringOrAbort(s);
    Data() = std::move(f);
    return true;
  });
}

// ---- Flash player ----

bool TFlashPlayerPayload::Write(TStream& s) const {
  return Guarded(s, FadingCodes::MediaKinds, [&] {
    WriteVersion(s);
    s.WriteColor(Color);
    s.WriteEnum(BorderStyle);
    s.WriteBool(Loop);
    s.WriteBool(ContextMenu);
    WriteStringOrAbort(s, MovieFile);
    return true;
  });
}

bool TFlashPlayerPayload::Read(TStream& s) {
  return Guarded(s, FadingCodes::MediaKinds, [&] {
    if (!CheckVersion(s)) return false;
    TFlashPlayerFields f = Data();
    f.Color = s.ReadColor();
    f.BorderStyle = s.ReadEnum<TBorderStyle>();
    f.Loop = s.ReadBool();
    f.ContextMenu = s.ReadBool();
    f.MovieFile = ReadStringOrAbort(s);
    Data() = std::move(f);
    return true;
  });
}

// ---- PDF reader ----

bool TPDFReaderPayload::Write(TStream& s) const {
  return Guarded(s, FadingCodes::MediaKinds, [&] {
    WriteVersion(s);
    s.WriteColor(Color);
    s.WriteEnum(BorderStyle);
    WriteStringOrAbort(s, FileName);
    return true;
  });
}

bool TPDFReaderPayload::Read(TStream& s) {
  return Guarded(s, FadingCodes::MediaKinds, [&] {
    if (!CheckVersion(s)) return false;
    TPDFReaderFields f = Data();
    f.Color = s.ReadColor();
    f.BorderStyle = s.ReadEnum<TBorderStyle>();
    f.FileName = ReadStringOrAbort(s);
    Data() = std::move(f);
    return true;
  });
}

std::unique_ptr<TObjectPayload> NewFadingPayload(TObjectType kind) {
  switch (kind) {
    case otFadeButton:
      return std::make_unique<TFadeButtonPayload>();
    case otLabel:
      return std::make_unique<TFadeLabelPayload>();
    case otText:
      return std::make_unique<TFadeTextPayload>();
    case otShape:
      return std::make_unique<TShapePayload>();
    case otBalloon:
      return std::make_unique<TBalloonPayload>();
    case otNote:
      return std::make_unique<TNotePayload>();
    case otSlideShow:
      return std::make_unique<TSlideShowPayload>();
    case otWebBrowser:
      return std::make_unique<TWebBrowserPayload>();
    case otMediaPlayer:
      return std::make_unique<TMediaPlayerPayload>();
    case otFlashPlayer:
      return std::make_unique<TFlashPlayerPayload>();
    case otPDFReader:
      return std::make_unique<TPDFReaderPayload>();
    default:
      return nullptr;
  }
}
