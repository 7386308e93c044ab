// The object palette: "Select" and one check button per kind that can be inserted, exactly one
// of them down. Pressing a kind arms it; the next press on the surface inserts one object of it
// and puts "Select" down again.
#pragma once

#include <QString>
#include <array>

#include "model/Types.h"

class QAction;
class QActionGroup;
class QToolBar;

struct TPaletteButton {
  const char* Name;  // the button's object name
  const char* Hint;
  TObjectType Kind;
};

// Tab sheets have no button: they are added to a notebook with "New TabSheet".
inline constexpr std::array<TPaletteButton, 24> PaletteButtons{{
    {"ToolButton_Panel", "Add Panel (Container)", otPanel},
    {"ToolButton_TabNotebook", "Add TabNotebook (Container)", otTabNotebook},
    {"ToolButton_GroupBox", "Add GroupBox (Container)", otGroupBox},
    {"ToolButton_ScrollBox", "Add ScrollBox (Container)", otScrollBox},
    {"ToolButton_Splitter", "Add Splitter", otSplitter},
    {"ToolButton_StandardButton", "Add Button", otStandardButton},
    {"ToolButton_ImageButton", "Add ImageButton", otImageButton},
    {"ToolButton_SimpleText", "Add Label", otSimpleText},
    {"ToolButton_MultilineText", "Add Text", otMultilineText},
    {"ToolButton_Image", "Add Image", otImage},
    {"ToolButton_Bevel", "Add Bevel", otBevel},
    {"ToolButton_FadeButton", "Add FadeButton", otFadeButton},
    {"ToolButton_Label", "Add FadeLabel", otLabel},
    {"ToolButton_Text", "Add FadeText", otText},
    {"ToolButton_Shape", "Add Shape", otShape},
    {"ToolButton_Balloon", "Add Balloon", otBalloon},
    {"ToolButton_Note", "Add Note", otNote},
    {"ToolButton_SlideShow", "Add SlideShow", otSlideShow},
    {"ToolButton_Memo", "Add Memo", otMemo},
    {"ToolButton_RichText", "Add RichText", otRichText},
    {"ToolButton_WebBrowser", "Add WebBrowser", otWebBrowser},
    {"ToolButton_MediaPlayer", "Add MediaPlayer", otMediaPlayer},
    {"ToolButton_FlashPlayer", "Add FlashPlayer", otFlashPlayer},
    {"ToolButton_PDFReader", "Add PDFReader", otPDFReader},
}};

class TObjectPalette {
 public:
  // Adds the buttons to bar; the group keeps exactly one down.
  void Build(QToolBar* bar, QActionGroup* group);

  QAction* SelectButton() const { return FSelect; }
  QAction* Button(TObjectType kind) const;
  // The armed kind, or -1 while "Select" is down.
  int ArmedKind() const;
  void PutSelectDown();

 private:
  QAction* FSelect = nullptr;
  QActionGroup* FGroup = nullptr;
};
