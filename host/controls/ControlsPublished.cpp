// The published properties of the controls and forms, as form files and the
// object inspector see them.
#include "host/classes/ClassRegistry.h"
#include "host/controls/Controls.h"
#include "host/controls/Forms.h"
#include "host/graphics/Color.h"

namespace host {

const TPublished& TControl::PublishedProperties() {
  static const TPublished table =
      Publish<TControl>()
          .Int("Left", &TControl::Left, &TControl::SetLeft)
          .Int("Top", &TControl::Top, &TControl::SetTop)
          .Int("Width", &TControl::Width, &TControl::SetWidth)
          .Int("Height", &TControl::Height, &TControl::SetHeight)
          .Int("Cursor", &TControl::Cursor, &TControl::SetCursor, 0)
          .String("Hint", &TControl::Hint, &TControl::SetHint, "")
          .Enum("HelpType", &TControl::HelpType, &TControl::SetHelpType, htContext)
          .String("HelpKeyword", &TControl::HelpKeyword, &TControl::SetHelpKeyword, "")
          .Int("HelpContext", &TControl::HelpContext, &TControl::SetHelpContext, 0);
  return table;
}

const TPublished& TForm::PublishedProperties() {
  using T = TForm;
  static const TPublished table =
      Publish<T>()
          .Component("ActiveControl", &T::ActiveControl, &T::SetActiveControl)
          .ReadLast()
          .Enum("Align", &T::Align, &T::SetAlign, alNone)
          .Enum("BorderStyle", &T::BorderStyle, &T::SetBorderStyle, bsSizeable)
          .String("Caption", &T::Caption, &T::SetCaption)
          .Int("ClientHeight", &T::ClientHeight, &T::SetClientHeight)
          .Int("ClientWidth", &T::ClientWidth, &T::SetClientWidth)
          .Color("Color", &T::Color, &T::SetColor, clBtnFace)
          .Object("Font", &T::Font, &T::SetFont)
          .Bool("KeyPreview", &T::KeyPreview, &T::SetKeyPreview, false)
          .Enum("Position", &T::Position, &T::SetPosition, poDesigned)
          .Bool("ShowHint", &T::ShowHint, &T::SetShowHint, false)
          .Bool("Visible", &T::Visible, &T::SetVisible, false)
          .Event("OnActivate", &T::FOnActivate)
          .Event("OnClick", &T::FOnClick)
          .Event("OnClose", &T::FOnClose)
          .Event("OnCloseQuery", &T::FOnCloseQuery)
          .Event("OnCreate", &T::FOnCreate)
          .Event("OnDblClick", &T::FOnDblClick)
          .Event("OnDeactivate", &T::FOnDeactivate)
          .Event("OnDestroy", &T::FOnDestroy)
          .Event("OnHide", &T::FOnHide)
          .Event("OnKeyDown", &T::FOnKeyDown)
          .Event("OnKeyPress", &T::FOnKeyPress)
          .Event("OnKeyUp", &T::FOnKeyUp)
          .Event("OnMouseDown", &T::FOnMouseDown)
          .Event("OnMouseMove", &T::FOnMouseMove)
          .Event("OnMouseUp", &T::FOnMouseUp)
          .Event("OnPaint", &T::FOnPaint)
          .Event("OnResize", &T::FOnResize)
          .Event("OnShow", &T::FOnShow);
  return table;
}

// Form files may name the plain form class.
const bool kFormRegistered = (RegisterClass<TForm>(), true);

}  // namespace host
