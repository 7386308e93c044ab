#include "model/Types.h"

template <>
const QStringList& EnumValueNames<TObjectType>() {
  static const QStringList names{
      QStringLiteral("otPanel"),          QStringLiteral("otTabNotebook"), QStringLiteral("otTabSheet"),
      QStringLiteral("otGroupBox"),       QStringLiteral("otScrollBox"),   QStringLiteral("otSplitter"),
      QStringLiteral("otStandardButton"), QStringLiteral("otImageButton"), QStringLiteral("otSimpleText"),
      QStringLiteral("otImage"),          QStringLiteral("otBevel"),       QStringLiteral("otFadeButton"),
      QStringLiteral("otLabel"),          QStringLiteral("otText"),        QStringLiteral("otShape"),
      QStringLiteral("otBalloon"),        QStringLiteral("otNote"),        QStringLiteral("otSlideShow"),
      QStringLiteral("otMemo"),           QStringLiteral("otRichText"),    QStringLiteral("otWebBrowser"),
      QStringLiteral("otMediaPlayer"),    QStringLiteral("otFlashPlayer"), QStringLiteral("otPDFReader"),
      QStringLiteral("otMultilineText")};
  return names;
}

template <>
const QStringList& EnumValueNames<TCommandType>() {
  static const QStringList names{
      QStringLiteral("ctOpenRunFile"),   QStringLiteral("ctVisitWebsite"),  QStringLiteral("ctSendEmail"),
      QStringLiteral("ctPrintDocument"), QStringLiteral("ctBrowse"),        QStringLiteral("ctShowMessage"),
      QStringLiteral("ctExit"),          QStringLiteral("ctPlaySound"),     QStringLiteral("ctStopSound"),
      QStringLiteral("ctPlayBackMusic"), QStringLiteral("ctStopBackMusic"), QStringLiteral("ctClosePage"),
      QStringLiteral("ctShowPage"),      QStringLiteral("ctShowPageModal"), QStringLiteral("ctGoToPage"),
      QStringLiteral("ctSetObjectText"), QStringLiteral("ctSetObjectImage")};
  return names;
}

template <>
const QStringList& EnumValueNames<TSecurityType>() {
  static const QStringList names{QStringLiteral("stNone"), QStringLiteral("stUser"),
                                 QStringLiteral("stAuthentication")};
  return names;
}

template <>
const QStringList& EnumValueNames<TFormPositionType>() {
  static const QStringList names{QStringLiteral("fptScreen"), QStringLiteral("fptWorkArea"),
                                 QStringLiteral("fptDesktop")};
  return names;
}

template <>
const QStringList& EnumValueNames<TFormPosition>() {
  static const QStringList names{QStringLiteral("fpDesigned"),
                                 QStringLiteral("fpCenter"),
                                 QStringLiteral("fpLeftCenter"),
                                 QStringLiteral("fpTopCenter"),
                                 QStringLiteral("fpRightCenter"),
                                 QStringLiteral("fpBottomCenter"),
                                 QStringLiteral("fpLeft"),
                                 QStringLiteral("fpTop"),
                                 QStringLiteral("fpRight"),
                                 QStringLiteral("fpBottom"),
                                 QStringLiteral("fpLeftTopCorner"),
                                 QStringLiteral("fpTopRightCorner"),
                                 QStringLiteral("fpRightBottomCorner"),
                                 QStringLiteral("fpBottomLeftCorner")};
  return names;
}

template <>
const QStringList& EnumValueNames<TAlign>() {
  static const QStringList names{QStringLiteral("alNone"),  QStringLiteral("alTop"),   QStringLiteral("alBottom"),
                                 QStringLiteral("alLeft"),  QStringLiteral("alRight"), QStringLiteral("alClient"),
                                 QStringLiteral("alCustom")};
  return names;
}

template <>
const QStringList& EnumValueNames<TAlignment>() {
  static const QStringList names{QStringLiteral("taLeftJustify"), QStringLiteral("taRightJustify"),
                                 QStringLiteral("taCenter")};
  return names;
}

template <>
const QStringList& EnumValueNames<TTextLayout>() {
  static const QStringList names{QStringLiteral("tlTop"), QStringLiteral("tlCenter"), QStringLiteral("tlBottom")};
  return names;
}

template <>
const QStringList& EnumValueNames<TImageLayout>() {
  static const QStringList names{QStringLiteral("ilLeft"),   QStringLiteral("ilTop"),
                                 QStringLiteral("ilRight"),  QStringLiteral("ilBottom"),
                                 QStringLiteral("ilCenter"), QStringLiteral("ilCenterStretch")};
  return names;
}

template <>
const QStringList& EnumValueNames<TBorderStyle>() {
  static const QStringList names{QStringLiteral("bsNone"), QStringLiteral("bsSingle")};
  return names;
}

QString GetObjectTypeName(int kind) {
  static const char* const names[ObjectTypeCount] = {
      "Panel",       "TabNotebook", "TabSheet",  "GroupBox",  "ScrollBox",  "Splitter",  "Button",
      "ImageButton", "Label",       "Image",     "Bevel",     "FadeButton", "FadeLabel", "FadeText",
      "Shape",       "Balloon",     "Note",      "SlideShow", "Memo",       "RichText",  "WebBrowser",
      "MediaPlayer", "FlashPlayer", "PDFReader", "Text"};
  if (kind < 0 || kind >= ObjectTypeCount) return QStringLiteral("Unknow");
  return QString::fromLatin1(names[kind]);
}
