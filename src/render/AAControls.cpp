#include "render/AAControls.h"

#include <QPainter>
#include <algorithm>
#include <limits>

#include "render/Colors.h"
#include "render/PictureDecode.h"

namespace {
constexpr int MaxControlSide = 16384;
constexpr int MaxBorder = 65535;
}  // namespace

bool IsWrapBreakChar(QChar c) {
  switch (c.unicode()) {
    case ' ':
    case '\t':
    case '!':
    case ',':
    case '-':
    case '.':
    case ':':
    case ';':
    case '?':
      return true;
    default:
      return false;
  }
}

namespace {
bool IsQuoteChar(QChar c) { return c == u'\'' || c == u'"'; }

// An apostrophe inside a word ("don't") is not a quote; treating it as one would make the rest of
// the line unbreakable.
bool IsQuoteAt(const QString& line, int i) {
  if (!IsQuoteChar(line[i])) return false;
  const bool letterBefore = i > 0 && line[i - 1].isLetterOrNumber();
  const bool letterAfter = i + 1 < line.size() && line[i + 1].isLetterOrNumber();
  return !(letterBefore && letterAfter);
}

// For each position, whether it lies inside a quoted passage; a quote opens a passage only when
// the same quote closes it later on the line.
std::vector<bool> QuotedPositions(const QString& line) {
  std::vector<bool> quoted(line.size(), false);
  int i = 0;
  while (i < line.size()) {
    if (IsQuoteAt(line, i)) {
      int close = i + 1;
      while (close < line.size() && !(line[close] == line[i] && IsQuoteAt(line, close))) ++close;
      if (close < line.size()) {
        std::fill(quoted.begin() + i, quoted.begin() + close + 1, true);
        i = close + 1;
        continue;
      }
    }
    ++i;
  }
  return quoted;
}

// round(num / 100) with halves to even; num >= 0.
int RoundPercent(int64_t num) {
  int64_t q = num / 100;
  const int64_t r = num % 100;
  if (r > 50 || (r == 50 && (q & 1))) ++q;
  return static_cast<int>(q);
}

// Where a picture goes on a client area of the given size.
void DrawPlaced(QPainter& p, const QImage& picture, QSize area, TBackGroundMode mode) {
  const int w = picture.width();
  const int h = picture.height();
  if (w <= 0 || h <= 0) return;
  switch (mode) {
    case bmTiled:
      for (int y = 0; y < area.height(); y += h)
        for (int x = 0; x < area.width(); x += w) p.drawImage(x, y, picture);
      break;
    case bmStretched:
      p.setRenderHint(QPainter::SmoothPixmapTransform);
      p.drawImage(QRect(QPoint(0, 0), area), picture);
      break;
    case bmCenter:
      p.drawImage((area.width() - w) / 2, (area.height() - h) / 2, picture);
      break;
    case bmNormal:
      p.drawImage(0, 0, picture);
      break;
  }
}
}  // namespace

QStringList WrapLinePieces(const QString& line, int limit) {
  limit = std::max(limit, 2);
  QStringList pieces;
  const std::vector<bool> quoted = QuotedPositions(line);
  const int n = line.size();
  int start = 0;
  while (n - start > limit) {
    int cut = -1;
    for (int i = start; i < n; ++i) {
      if (quoted[i] || !IsWrapBreakChar(line[i])) continue;
      if (i < start + limit || cut < 0) cut = i;
      if (i >= start + limit - 1) break;
    }
    // No break character left, or only the last one: the rest stays one piece.
    if (cut < 0 || cut >= n - 1) break;
    pieces << line.mid(start, cut - start + 1);
    start = cut + 1;
  }
  pieces << line.mid(start);
  return pieces;
}

// ---- TAAControl ----

TAAControl::TAAControl() {
  FRenderer.SetFont(FFont);
  FRenderer.SetEffect(FEffect);
  FRenderer.SetQuality(FQuality);
}

void TAAControl::Changed() {
  FDirty = true;
  // Auto size settles the size while rendering; the owner reads Size() after the render.
  if (FRendering) return;
  if (FUpdateCount > 0) {
    FChangedInUpdate = true;
    return;
  }
  if (OnChanged) OnChanged();
}

void TAAControl::EndUpdate() {
  if (FUpdateCount == 0) return;
  if (--FUpdateCount == 0 && FChangedInUpdate) {
    FChangedInUpdate = false;
    if (OnChanged) OnChanged();
  }
}

void TAAControl::SetFont(const TFont& font) {
  if (FFont == font) return;
  FFont = font;
  FRenderer.SetFont(font);
  Changed();
}

void TAAControl::SetFontEffect(const TAAEffect& effect) {
  if (FEffect == effect) return;
  FEffect = effect;
  FRenderer.SetEffect(effect);
  Changed();
}

void TAAControl::SetQuality(TAAQuality quality) {
  if (FQuality == quality) return;
  FQuality = quality;
  FRenderer.SetQuality(quality);
  Changed();
}

#define AA_SETTER(Name, Type, Field)   \
  void TAAControl::Set##Name(Type v) { \
    if (Field == v) return;            \
    Field = v;                         \
    Changed();                         \
  }
AA_SETTER(Alignment, TAlignment, FAlignment)
AA_SETTER(Layout, TTextLayout, FLayout)
AA_SETTER(Transparent, bool, FTransparent)
AA_SETTER(BackColor, TColor, FBackColor)
AA_SETTER(BackGroundMode, TBackGroundMode, FBackGroundMode)
AA_SETTER(AutoSize, bool, FAutoSize)
AA_SETTER(Align, TAlign, FAlign)
#undef AA_SETTER

void TAAControl::SetBorder(int border) {
  // Far beyond any screen, and small enough that sizes built from it cannot overflow.
  border = std::clamp(border, 0, MaxBorder);
  if (FBorder == border) return;
  FBorder = border;
  Changed();
}

void TAAControl::SetBackGround(const TPicture& picture) {
  if (FBackGround == picture) return;
  FBackGround = picture;
  FBackGroundImage = picture.IsEmpty() ? QImage() : DecodePicture(picture);
  Changed();
}

void TAAControl::SetSize(QSize size) {
  size = size.expandedTo(QSize(0, 0));
  if (FSize == size) return;
  FSize = size;
  Changed();
}

QSize TAAControl::TextExtent(const QString& text) { return FRenderer.TextExtent(text); }

void TAAControl::FillBackground(QImage& target) {
  target.fill(ColorToRGB(FBackColor) | 0xFF000000);
  if (FBackGroundImage.isNull()) return;
  QPainter p(&target);
  DrawPlaced(p, FBackGroundImage, target.size(), FBackGroundMode);
}

void TAAControl::Render() {
  FRendering = true;
  ApplyAutoSize();
  FRendering = false;
  FDirty = false;
  ++FRenderCount;
  // A control far larger than any screen gets no picture rather than gigabytes of one.
  if (FSize.isEmpty() || FSize.width() > MaxControlSide || FSize.height() > MaxControlSide) {
    FPicture = QImage();
    return;
  }
  if (FTransparent) {
    FPicture = QImage(FSize, QImage::Format_ARGB32_Premultiplied);
    FPicture.fill(0);
  } else {
    FPicture = QImage(FSize, QImage::Format_RGB32);
    FillBackground(FPicture);
  }
  DrawText(FPicture, QPoint(0, 0));
}

const QImage& TAAControl::Picture() {
  if (FDirty) Render();
  return FPicture;
}

void TAAControl::PaintTo(QImage& canvas, QPoint origin) {
  if (!FTransparent) {
    const QImage& picture = Picture();
    if (picture.isNull()) return;
    QPainter p(&canvas);
    p.drawImage(origin, picture);
    return;
  }
  FRendering = true;
  ApplyAutoSize();
  FRendering = false;
  // A view of the canvas limited to the control, so nothing lands outside it.
  const QRect area = QRect(origin, FSize).intersected(canvas.rect());
  if (area.isEmpty() || canvas.depth() != 32) return;
  QImage view(canvas.scanLine(area.top()) + area.left() * 4, area.width(), area.height(), canvas.bytesPerLine(),
              canvas.format());
  ++FRenderCount;
  DrawText(view, origin - area.topLeft());
}

int TAAControl::AnimValue(int style) const {
  switch (style) {
    case tasFontSize:
      return FFont.Size;
    case tasAngle:
      return FEffect.Angle;
    case tasSpray:
      return FEffect.Spray;
    case tasBlur:
      return FEffect.Blur;
    case tasAlpha:
      return FEffect.Alpha;
    default:
      return 0;
  }
}

void TAAControl::SetAnimValue(int style, int value) {
  if (style == tasFontSize) {
    TFont font = FFont;
    font.Size = value;
    SetFont(font);
    return;
  }
  ChangeFontEffect([&](TAAEffect& e) {
    switch (style) {
      case tasAngle:
        e.Angle = static_cast<int16_t>(
            std::clamp(value, int(std::numeric_limits<int16_t>::min()), int(std::numeric_limits<int16_t>::max())));
        break;
      case tasSpray:
        e.Spray = static_cast<uint8_t>(std::clamp(value, 0, 100));
        break;
      case tasBlur:
        e.Blur = static_cast<uint8_t>(std::clamp(value, 0, 100));
        break;
      case tasAlpha:
        e.Alpha = static_cast<uint8_t>(std::clamp(value, 0, 100));
        break;
      default:
        break;
    }
  });
}

// ---- TAALabel ----

void TAALabel::SetCaption(const QString& caption) {
  if (FCaption == caption) return;
  FCaption = caption;
  Changed();
}

void TAALabel::ApplyAutoSize() {
  if (!AutoSize()) return;
  const QSize ext = TextExtent(FCaption);
  QSize size = Size();
  const TAlign align = Align();
  if (align == alNone || align == alLeft || align == alRight) size.setWidth(ext.width() + 2 * Border());
  if (align == alNone || align == alTop || align == alBottom) size.setHeight(ext.height() + 2 * Border());
  SetSize(size);
}

QPoint TAALabel::TextPosition() {
  const QSize ext = TextExtent(FCaption);
  const QSize client = Size();
  int x = Border();
  if (Alignment() == taRightJustify)
    x = client.width() - Border() - ext.width();
  else if (Alignment() == taCenter)
    x = (client.width() - ext.width()) / 2;
  int y = Border();
  if (Layout() == tlCenter)
    y = (client.height() - ext.height()) / 2;
  else if (Layout() == tlBottom)
    y = client.height() - Border() - ext.height();
  return {x, y};
}

void TAALabel::DrawText(QImage& target, QPoint origin) {
  const QPoint at = origin + TextPosition();
  FRenderer.TextOut(target, at.x(), at.y(), FCaption);
}

// ---- TAAText ----

void TAAText::SetLines(const QStringList& lines) {
  if (FLines == lines) return;
  FLines = lines;
  Changed();
}

void TAAText::SetWordWrap(bool wordWrap) {
  if (FWordWrap == wordWrap) return;
  FWordWrap = wordWrap;
  Changed();
}

void TAAText::SetRowPitch(int rowPitch) {
  rowPitch = std::clamp(rowPitch, -100, 150);
  if (FRowPitch == rowPitch) return;
  FRowPitch = rowPitch;
  Changed();
}

int TAAText::Advance(int h) const { return RoundPercent(int64_t(100 + FRowPitch) * std::max(h, 0)); }

QStringList TAAText::WrapLine(const QString& source) {
  const QString line = source.isEmpty() ? QStringLiteral(" ") : source;
  if (!FWordWrap) return {line};
  const int available = Size().width() - 2 * Border();
  const int width = FRenderer.TextWidth(line);
  if (width <= available) return {line};
  int breakAt = static_cast<int>(int64_t(line.size()) * std::max(available, 0) / width);
  breakAt = std::clamp(breakAt, 1, static_cast<int>(line.size()));
  while (breakAt > 1 && FRenderer.TextWidth(line.left(breakAt)) > available) --breakAt;
  return WrapLinePieces(line, breakAt);
}

QStringList TAAText::WrappedLines() {
  QStringList all;
  for (const QString& line : FLines) all << WrapLine(line);
  return all;
}

void TAAText::ApplyAutoSize() {
  if (!AutoSize()) return;
  QSize size = Size();
  const TAlign align = Align();
  if (!FWordWrap && (align == alNone || align == alLeft || align == alRight)) {
    int widest = 0;
    for (const QString& line : FLines)
      widest = std::max(widest, FRenderer.TextWidth(line.isEmpty() ? QStringLiteral(" ") : line));
    size.setWidth(widest + 2 * Border());
    SetSize(size);
  }
  if (align == alNone || align == alTop || align == alBottom) {
    int64_t height = 2 * Border();
    const QStringList pieces = WrappedLines();
    for (int i = 0; i < pieces.size(); ++i) {
      const int h = FRenderer.TextHeight(pieces[i] + u' ');
      height += h;
      if (i + 1 < pieces.size()) height += Advance(h) - h;
    }
    size.setHeight(static_cast<int>(std::clamp<int64_t>(height, 0, 1 << 20)));
    SetSize(size);
  }
}

std::vector<TAAText::TPiece> TAAText::LayoutPieces() {
  std::vector<TPiece> out;
  const QSize client = Size();
  int y = Border();
  for (const QString& line : FLines) {
    if (y > client.height() - Border()) break;
    for (const QString& piece : WrapLine(line)) {
      const int w = FRenderer.TextWidth(piece);
      int x = Border();
      if (Alignment() == taRightJustify)
        x = client.width() - Border() - w;
      else if (Alignment() == taCenter)
        x = (client.width() - w) / 2;
      out.push_back({piece, QPoint(x, y)});
      y += Advance(FRenderer.TextHeight(piece + u' '));
    }
  }
  return out;
}

void TAAText::DrawText(QImage& target, QPoint origin) {
  for (const TPiece& piece : LayoutPieces())
    FRenderer.TextOut(target, origin.x() + piece.At.x(), origin.y() + piece.At.y(), piece.Text);
}
