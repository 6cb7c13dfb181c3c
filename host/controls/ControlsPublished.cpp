// The published properties of the controls and forms, as form files and the
// object inspector see them.
#include "host/classes/ClassRegistry.h"
#include "host/controls/Controls.h"
#include "host/controls/Forms.h"
#include "host/graphics/Color.h"

namespace host {

const TPublished& TSizeConstraints::PublishedProperties() {
  using T = TSizeConstraints;
  static const TPublished table = Publish<T>()
                                      .Int("MaxHeight", &T::MaxHeight, &T::SetMaxHeight, 0)
                                      .Int("MaxWidth", &T::MaxWidth, &T::SetMaxWidth, 0)
                                      .Int("MinHeight", &T::MinHeight, &T::SetMinHeight, 0)
                                      .Int("MinWidth", &T::MinWidth, &T::SetMinWidth, 0);
  return table;
}

const TPublished& TControl::PublishedProperties() {
  using T = TControl;
  static const TPublished table =
      Publish<T>()
          .Int("Left", &T::Left, &T::SetLeft)
          .Int("Top", &T::Top, &T::SetTop)
          .Int("Width", &T::Width, &T::SetWidth)
          .Int("Height", &T::Height, &T::SetHeight)
          .Int("Cursor", &T::Cursor, &T::SetCursor, 0)
          .String("Hint", &T::Hint, &T::SetHint, "")
          .Enum("HelpType", &T::HelpType, &T::SetHelpType, htContext)
          .String("HelpKeyword", &T::HelpKeyword, &T::SetHelpKeyword, "")
          .Int("HelpContext", &T::HelpContext, &T::SetHelpContext, 0)
          .Offering()
          .Enum("Align", &T::Align, &T::SetAlign, alNone)
          .Set("Anchors", &T::Anchors, &T::SetAnchors, TAnchors{akLeft, akTop})
          .Bool("AutoSize", &T::AutoSize, &T::SetAutoSize, false)
          .Enum("BiDiMode", &T::BiDiMode, &T::SetBiDiMode, bdLeftToRight)
          .StoredWhen(&T::IsBiDiModeStored)
          .String("Caption", &T::Caption, &T::SetCaption, "")
          .Color("Color", &T::Color, &T::SetColor, clBtnFace)
          .StoredWhen(&T::IsColorStored)
          .Object("Constraints", &T::Constraints, &T::SetConstraints)
          .Int("DragCursor", &T::DragCursor, &T::SetDragCursor, crDrag)
          .Enum("DragKind", &T::DragKind, &T::SetDragKind, dkDrag)
          .Enum("DragMode", &T::DragMode, &T::SetDragMode, dmManual)
          .Bool("Enabled", &T::Enabled, &T::SetEnabled, true)
          .Object("Font", &T::Font, &T::SetFont)
          .StoredWhen(&T::IsFontStored)
          .Bool("ParentBiDiMode", &T::ParentBiDiMode, &T::SetParentBiDiMode, true)
          .Bool("ParentColor", &T::ParentColor, &T::SetParentColor, true)
          .Bool("ParentFont", &T::ParentFont, &T::SetParentFont, true)
          .Bool("ParentShowHint", &T::ParentShowHint, &T::SetParentShowHint, true)
          .Component("PopupMenu", &T::PopupMenu, &T::SetPopupMenu)
          .Bool("ShowHint", &T::ShowHint, &T::SetShowHint, false)
          .String("Text", &T::Text, &T::SetText, "")
          .Bool("Visible", &T::Visible, &T::SetVisible, true)
          .Event("OnClick", &T::FOnClick)
          .Event("OnContextPopup", &T::FOnContextPopup)
          .Event("OnDblClick", &T::FOnDblClick)
          .Event("OnDragDrop", &T::FOnDragDrop)
          .Event("OnDragOver", &T::FOnDragOver)
          .Event("OnEndDock", &T::FOnEndDock)
          .Event("OnEndDrag", &T::FOnEndDrag)
          .Event("OnMouseDown", &T::FOnMouseDown)
          .Event("OnMouseMove", &T::FOnMouseMove)
          .Event("OnMouseUp", &T::FOnMouseUp)
          .Event("OnResize", &T::FOnResize)
          .Event("OnStartDock", &T::FOnStartDock)
          .Event("OnStartDrag", &T::FOnStartDrag)
          .Call("Click", &T::Click)
          .Call("Hide", &T::Hide)
          .Call("Repaint", &T::Repaint)
          .Call("Show", &T::Show);
  return table;
}

const TPublished& TWinControl::PublishedProperties() {
  using T = TWinControl;
  static const TPublished table = Publish<T>()
                                      .Offering()
                                      .Int("TabOrder", &T::TabOrder, &T::SetTabOrder)
                                      .Bool("TabStop", &T::TabStop, &T::SetTabStop, false)
                                      .Event("OnEnter", &T::FOnEnter)
                                      .Event("OnExit", &T::FOnExit)
                                      .Event("OnKeyDown", &T::FOnKeyDown)
                                      .Event("OnKeyPress", &T::FOnKeyPress)
                                      .Event("OnKeyUp", &T::FOnKeyUp)
                                      .Call("SetFocus", &T::SetFocus);
  return table;
}

const TPublished& TCustomForm::PublishedProperties() {
  using T = TCustomForm;
  static const TPublished table =
      Publish<T>()
          .Offering()
          .Component("ActiveControl", &T::ActiveControl, &T::SetActiveControl)
          .ReadLast()
          .Enum("BorderStyle", &T::BorderStyle, &T::SetBorderStyle, kDefaultBorderStyle)
          .Int("ClientHeight", &T::ClientHeight, &T::SetClientHeight)
          .Int("ClientWidth", &T::ClientWidth, &T::SetClientWidth)
          .Bool("KeyPreview", &T::KeyPreview, &T::SetKeyPreview, false)
          .Enum("Position", &T::Position, &T::SetPosition, poDesigned)
          .Bool("ScreenSnap", &T::ScreenSnap, &T::SetScreenSnap, false)
          .Int("SnapBuffer", &T::SnapBuffer, &T::SetSnapBuffer, kDefaultSnapBuffer)
          .Enum("WindowState", &T::WindowState, &T::SetWindowState, wsNormal)
          .Event("OnActivate", &T::FOnActivate)
          .Event("OnClose", &T::FOnClose)
          .Event("OnCloseQuery", &T::FOnCloseQuery)
          .Event("OnCreate", &T::FOnCreate)
          .Event("OnDeactivate", &T::FOnDeactivate)
          .Event("OnDestroy", &T::FOnDestroy)
          .Event("OnHide", &T::FOnHide)
          .Event("OnPaint", &T::FOnPaint)
          .Event("OnShow", &T::FOnShow)
          .Call("Close", &T::Close)
          .Call("Hide", &T::Hide)
          .Call("Show", &T::Show);
  return table;
}

const TPublished& TForm::PublishedProperties() {
  // A form has no parent: its colour and font are its own, always written
  // when they differ from the defaults.
  static const TPublished table =
      Publish<TForm>()
          .Publish("ActiveControl", "Align", "BorderStyle", "Caption")
          .NoDefault()
          .Publish("ClientHeight", "ClientWidth", "Color")
          .StoredUnlessDefault()
          .Publish("Font")
          .StoredUnlessDefault()
          .Publish("KeyPreview", "Position", "ScreenSnap", "ShowHint", "SnapBuffer", "Visible")
          .Default(false)
          .Publish("WindowState")
          .PublishEvents("OnActivate", "OnClick", "OnClose", "OnCloseQuery", "OnCreate",
                         "OnDblClick", "OnDeactivate", "OnDestroy", "OnHide", kKeyEvents,
                         kMouseEvents, "OnPaint", "OnResize", "OnShow");
  return table;
}

// Form files may name the plain form class.
const bool kFormRegistered = (RegisterClass<TForm>(), true);

}  // namespace host
