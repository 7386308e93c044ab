// The page stream: one page's window properties, icon, show and close actions, main menu, status
// bar and object tree, and the moves of a page between its value, its page-table entry and the
// source file.
#pragma once

#include <QByteArray>
#include <QString>
#include <memory>
#include <vector>

#include "model/Project.h"

namespace PageCodes {
constexpr int StatusPanelWrite = 5503, StatusPanelRead = 5504;
constexpr int PageRead = 5524, PageWrite = 5525;
constexpr int SourceFileRead = 102;  // reading one page from the source file
}  // namespace PageCodes

namespace PageSizes {
constexpr qint64 MinStatusPanel = 13;
}

// Title-bar buttons, stored as a bit set in one byte.
enum TBorderIcon : uint8_t { biSystemMenu = 1, biMinimize = 2, biMaximize = 4, biHelp = 8 };
// Scoped: other kinds' border styles use the same value names.
enum class TFormBorderStyle : uint8_t { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
enum class TWindowState : uint8_t { wsNormal, wsMinimized, wsMaximized };
enum class TFormStyle : uint8_t { fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop };

template <>
const QStringList& EnumValueNames<TFormBorderStyle>();
template <>
const QStringList& EnumValueNames<TWindowState>();
template <>
const QStringList& EnumValueNames<TFormStyle>();

struct TStatusPanel {
  TAlignment Alignment = taLeftJustify;
  QString Text;
  int32_t Width = 50;

  bool operator==(const TStatusPanel&) const = default;
};

struct TStatusBarData {
  int32_t Height = 19;
  TFont Font;
  std::vector<TStatusPanel> Panels;
  // The status bar is shown exactly when it has panels.
  bool Visible() const { return !Panels.empty(); }

  bool operator==(const TStatusBarData&) const = default;
};

// The page-level values of a page stream: plain values, copied and compared as a whole.
struct TPageProps {
  QString Caption;
  uint8_t BorderIcons = biSystemMenu | biMinimize | biMaximize;
  TFormBorderStyle BorderStyle = TFormBorderStyle::bsSizeable;
  TFormPositionType FormPositionType = fptScreen;
  int32_t FormPositionMargin = 0;
  TFormPosition FormPosition = fpCenter;
  TWindowState FormWindowState = TWindowState::wsNormal;
  TFormStyle FormStyle = TFormStyle::fsNormal;
  bool TransparentColor = false;
  TColor TransparentColorValue = 0;
  int32_t FormAlpha = 100;
  bool FormFade = true;
  int32_t FormFadeInStep = 10;
  int32_t FormFadeOutStep = 10;
  TPicture Image_Icon;
  TAuActions OnShowActions;
  TAuActions OnCloseActions;
  std::vector<TMenuItem> MainMenu;  // top-level items
  TStatusBarData StatusBar;
  int32_t FormPositionX = 0;
  int32_t FormPositionY = 0;
  int32_t Width = 696;
  int32_t Height = 480;

  bool operator==(const TPageProps&) const = default;
};

// Everything a page stream holds. Defaults are those of a new page (see InitForm), except that
// a default-constructed value has no page panel.
struct TPageData : TPageProps {
  std::unique_ptr<TAuObject> PanelObject;  // the page panel: root otPanel object with the page's tree

  TPageData() = default;
  TPageData(TPageData&&) = default;
  TPageData& operator=(TPageData&&) = default;

  TPageProps& Props() { return *this; }
  const TPageProps& Props() const { return *this; }

  std::unique_ptr<TPageData> Clone() const;
  bool SameAs(const TPageData& other) const;
};

bool WriteStatusPanel(TStream& s, const TStatusPanel& panel);
// Reads into panel, or with panel null skips the record.
bool ReadStatusPanel(TStream& s, TStatusPanel* panel);

bool WritePageStream(TStream& s, const TPageData& page);
// Reads a whole page. page is replaced only when the read succeeds.
bool ReadPageStream(TStream& s, TPageData& page);

// A fresh page panel record: otPanel, client-aligned, with the page's background defaults.
std::unique_ptr<TAuObject> NewPagePanel();
// The defaults of a new page with the given caption, including a fresh page panel.
void InitForm(TPageData& page, const QString& caption);

// Keeps the page as the entry's in-memory page stream and rebuilds the entry's outline. On failure
// the entry is left as it was.
bool StoreFormData(const TPageData& page, TFormData& formData, TError* error = nullptr);
// Reads the entry's page: from its in-memory stream when it has one, else from SourceFileName.
bool LoadFormData(const TFormData& formData, TPageData& page, TError* error = nullptr);
// Reads the page at position of SourceFileName; with length ≥ 0 the page must lie within
// [position, position + length). In the player the file is opened with retries (a scanner or the
// shell may hold the running executable briefly).
bool LoadFormFromSource(TPageData& page, qint64 position, qint64 length = -1, TError* error = nullptr);

// Retry policy of the player when opening the source file; adjustable for tests.
inline int SourceOpenAttempts = 28;
inline int SourceOpenRetryDelayMs = 1000;
