// The creators of each kind's control, one per kind, grouped by the source that defines them.
// CreateObjectControl dispatches here; nothing else calls them. Each creates the control as a child
// of parent, links it to object (whose payload is of the kind) and applies the record once.
#pragma once

#include <QWidget>

#include "objects/ObjectControl.h"

// Containers (Containers.cpp).
TAuControl* CreatePanelControl(TAuObject& object, QWidget* parent, const TControlContext& context);
TAuControl* CreateTabNotebookControl(TAuObject& object, QWidget* parent, const TControlContext& context);
TAuControl* CreateTabSheetControl(TAuObject& object, QWidget* parent, const TControlContext& context);
TAuControl* CreateGroupBoxControl(TAuObject& object, QWidget* parent, const TControlContext& context);
TAuControl* CreateScrollBoxControl(TAuObject& object, QWidget* parent, const TControlContext& context);
TAuControl* CreateSplitterControl(TAuObject& object, QWidget* parent, const TControlContext& context);

// Standard windowed controls (StandardControls.cpp).
TAuControl* CreateStandardButtonControl(TAuObject& object, QWidget* parent, const TControlContext& context);
TAuControl* CreateMemoControl(TAuObject& object, QWidget* parent, const TControlContext& context);
TAuControl* CreateRichTextControl(TAuObject& object, QWidget* parent, const TControlContext& context);

// Shells of the media, web, Flash and PDF kinds (MediaShells.cpp).
TAuControl* CreateWebBrowserControl(TAuObject& object, QWidget* parent, const TControlContext& context);
TAuControl* CreateMediaPlayerControl(TAuObject& object, QWidget* parent, const TControlContext& context);
TAuControl* CreateFlashPlayerControl(TAuObject& object, QWidget* parent, const TControlContext& context);
TAuControl* CreatePDFReaderControl(TAuObject& object, QWidget* parent, const TControlContext& context);

// Windowless painted controls (PaintedKinds.cpp).
TAuControl* CreateImageButtonControl(TAuObject& object, QWidget* parent, const TControlContext& context);
TAuControl* CreateSimpleTextControl(TAuObject& object, QWidget* parent, const TControlContext& context);
TAuControl* CreateImageControl(TAuObject& object, QWidget* parent, const TControlContext& context);
TAuControl* CreateBevelControl(TAuObject& object, QWidget* parent, const TControlContext& context);
TAuControl* CreateMultilineTextControl(TAuObject& object, QWidget* parent, const TControlContext& context);

// Fading kinds (FadingKinds.cpp).
TAuControl* CreateFadeButtonControl(TAuObject& object, QWidget* parent, const TControlContext& context);
TAuControl* CreateLabelControl(TAuObject& object, QWidget* parent, const TControlContext& context);
TAuControl* CreateTextControl(TAuObject& object, QWidget* parent, const TControlContext& context);
TAuControl* CreateShapeControl(TAuObject& object, QWidget* parent, const TControlContext& context);
TAuControl* CreateBalloonControl(TAuObject& object, QWidget* parent, const TControlContext& context);
TAuControl* CreateNoteControl(TAuObject& object, QWidget* parent, const TControlContext& context);
TAuControl* CreateSlideShowControl(TAuObject& object, QWidget* parent, const TControlContext& context);
