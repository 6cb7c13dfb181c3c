#pragma once
// The control classes: TControl (position, size, alignment, visibility,
// colour, font, mouse events), TWinControl (a control with a window of its
// own that holds child controls), TGraphicControl (windowless, painted on its
// parent's window) and TCustomControl (windowed, with a canvas and Paint).
#include <array>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "host/classes/Classes.h"
#include "host/classes/TypInfo.h"
#include "host/controls/ControlTypes.h"
#include "host/graphics/Canvas.h"
#include "host/graphics/Font.h"
#include "host/graphics/Gdi.h"
#include "host/platform/Platform.h"

namespace host {

class TWinControl;
class TCustomForm;
class ControlWindow;

// Groups of offered events that descendants publish together.
inline constexpr std::array<std::string_view, 3> kMouseEvents{"OnMouseDown", "OnMouseMove",
                                                              "OnMouseUp"};
inline constexpr std::array<std::string_view, 4> kDragEvents{"OnDragDrop", "OnDragOver",
                                                             "OnEndDrag", "OnStartDrag"};
inline constexpr std::array<std::string_view, 6> kDragDockEvents{
    "OnDragDrop", "OnDragOver", "OnEndDock", "OnEndDrag", "OnStartDock", "OnStartDrag"};
inline constexpr std::array<std::string_view, 2> kFocusEvents{"OnEnter", "OnExit"};
inline constexpr std::array<std::string_view, 3> kKeyEvents{"OnKeyDown", "OnKeyPress", "OnKeyUp"};

// Smallest and largest size a control may take; 0 means no limit. A change
// resizes the control at once (SetBounds applies the limits).
class TSizeConstraints : public TPersistent {
  HOST_CLASS(TSizeConstraints, TPersistent)
 public:
  explicit TSizeConstraints(TControl* control) : FControl(control) {}
  static const TPublished& PublishedProperties();
  int32_t MinWidth() const { return FMinWidth; }
  int32_t MinHeight() const { return FMinHeight; }
  int32_t MaxWidth() const { return FMaxWidth; }
  int32_t MaxHeight() const { return FMaxHeight; }
  void SetMinWidth(int32_t v);
  void SetMinHeight(int32_t v);
  void SetMaxWidth(int32_t v);
  void SetMaxHeight(int32_t v);
  void Assign(TPersistent* Source) override;
  // Clamps a width and height to the limits.
  void Apply(int32_t& width, int32_t& height) const;

 private:
  void Changed();
  TControl* FControl;
  int32_t FMinWidth = 0;
  int32_t FMinHeight = 0;
  int32_t FMaxWidth = 0;
  int32_t FMaxHeight = 0;
};

class TControl : public TComponent {
  HOST_CLASS(TControl, TComponent)
 public:
  explicit TControl(TComponent* AOwner);
  ~TControl() override;

  // Publishes Left, Top, Width, Height, Cursor, Hint and the help
  // properties; offers the rest (Align, Color, the events …) for the
  // descendants to publish as they choose.
  static const TPublished& PublishedProperties();

  // Position and size, in the parent's client coordinates.
  int32_t Left() const { return FLeft; }
  int32_t Top() const { return FTop; }
  int32_t Width() const { return FWidth; }
  int32_t Height() const { return FHeight; }
  void SetLeft(int32_t v) { SetBounds(v, FTop, FWidth, FHeight); }
  void SetTop(int32_t v) { SetBounds(FLeft, v, FWidth, FHeight); }
  void SetWidth(int32_t v) { SetBounds(FLeft, FTop, v, FHeight); }
  void SetHeight(int32_t v) { SetBounds(FLeft, FTop, FWidth, v); }
  virtual void SetBounds(int32_t ALeft, int32_t ATop, int32_t AWidth, int32_t AHeight);
  TRect BoundsRect() const { return Bounds(FLeft, FTop, FWidth, FHeight); }
  void SetBoundsRect(const TRect& r) { SetBounds(r.Left, r.Top, r.Width(), r.Height()); }
  virtual TRect ClientRect() const { return Rect(0, 0, FWidth, FHeight); }
  int32_t ClientWidth() const { return ClientRect().Width(); }
  int32_t ClientHeight() const { return ClientRect().Height(); }
  virtual void SetClientWidth(int32_t v);
  virtual void SetClientHeight(int32_t v);
  TPoint ClientOrigin() const;
  TPoint ClientToScreen(TPoint p) const;
  TPoint ScreenToClient(TPoint p) const;

  TAlign Align() const { return FAlign; }
  void SetAlign(TAlign v);
  TAnchors Anchors() const { return FAnchors; }
  void SetAnchors(TAnchors v);
  TSizeConstraints* Constraints() const { return FConstraints.get(); }
  void SetConstraints(TSizeConstraints* v) { FConstraints->Assign(v); }
  bool AutoSize() const { return FAutoSize; }
  virtual void SetAutoSize(bool v);

  bool Visible() const { return FVisible; }
  void SetVisible(bool v);
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  // Visible here and in every parent up to a shown form.
  virtual bool Showing() const;
  bool Enabled() const { return FEnabled; }
  virtual void SetEnabled(bool v);

  TColor Color() const { return FColor; }
  void SetColor(TColor v);
  bool ParentColor() const { return FParentColor; }
  void SetParentColor(bool v);
  TFont* Font() const { return FFont.get(); }
  void SetFont(TFont* v);
  bool ParentFont() const { return FParentFont; }
  // Colour and font are stored in form files only when not taken from the parent.
  bool IsColorStored() const { return !FParentColor; }
  bool IsFontStored() const { return !FParentFont; }
  void SetParentFont(bool v);

  // Follows the parent's while ParentBiDiMode; setting it stops that. Stored
  // in form files only when not taken from the parent.
  TBiDiMode BiDiMode() const { return FBiDiMode; }
  void SetBiDiMode(TBiDiMode v);
  bool ParentBiDiMode() const { return FParentBiDiMode; }
  void SetParentBiDiMode(bool v);
  bool IsBiDiModeStored() const { return !FParentBiDiMode; }

  const std::string& Caption() const { return FText; }
  void SetCaption(const std::string& v) { SetText(v); }
  const std::string& Text() const { return FText; }
  void SetText(const std::string& v);

  TCursor Cursor() const { return FCursor; }
  void SetCursor(TCursor v);
  const std::string& Hint() const { return FHint; }
  void SetHint(const std::string& v) { FHint = v; }
  bool ShowHint() const { return FShowHint; }
  void SetShowHint(bool v);
  bool ParentShowHint() const { return FParentShowHint; }
  void SetParentShowHint(bool v);
  THelpType HelpType() const { return FHelpType; }
  void SetHelpType(THelpType v) { FHelpType = v; }
  const std::string& HelpKeyword() const { return FHelpKeyword; }
  void SetHelpKeyword(const std::string& v) { FHelpKeyword = v; }
  int32_t HelpContext() const { return FHelpContext; }
  void SetHelpContext(int32_t v) { FHelpContext = v; }
  // The pop-up menu shown on a right click (kept; no menu is shown yet).
  TComponent* PopupMenu() const { return FPopupMenu; }
  void SetPopupMenu(TComponent* v);
  TDragMode DragMode() const { return FDragMode; }
  void SetDragMode(TDragMode v) { FDragMode = v; }
  TCursor DragCursor() const { return FDragCursor; }
  void SetDragCursor(TCursor v) { FDragCursor = v; }
  TDragKind DragKind() const { return FDragKind; }
  void SetDragKind(TDragKind v) { FDragKind = v; }

  TControlStyle ControlStyle() const { return FControlStyle; }
  void SetControlStyle(TControlStyle v) { FControlStyle = v; }
  TControlState ControlState() const { return FControlState; }
  void SetControlState(TControlState v) { FControlState = v; }

  TWinControl* Parent() const { return FParent; }
  virtual void SetParent(TWinControl* AParent);

  // Repaints later (the parent's update region, with erase unless opaque).
  virtual void Invalidate();
  // Repaints now: an opaque windowless control at once on the parent's
  // window, others through Invalidate and Update.
  virtual void Repaint();
  void Refresh() { Repaint(); }
  // Paints what is pending in the parent's window now.
  virtual void Update();
  void BringToFront();
  void SendToBack();

  // What a left press at P (client coordinates) does to the window: Normal
  // when the control takes the press itself, Draggable when the press would
  // move the window, a resize edge when it would size it from there.
  // Platforms where only the compositor can move a window (Wayland) ask
  // this before the press, which then never reaches the control.
  virtual HitArea WindowHitArea(TPoint P) const {
    (void)P;
    return HitArea::Normal;
  }

  // Sends a message straight to the control's window procedure.
  LRESULT Perform(UINT Msg, WPARAM WParam = 0, LPARAM LParam = 0);
  virtual void WndProc(TMessage& Message);
  // Calls the handler that is named after the message.
  virtual void Dispatch(TMessage& Message);
  virtual void DefaultHandler(TMessage&) {}

  bool MouseCapture() const;
  void SetMouseCapture(bool v);

  // Events.
  const TNotifyEvent& OnClick() const { return FOnClick; }
  void SetOnClick(TNotifyEvent v) { FOnClick = std::move(v); }
  const TNotifyEvent& OnDblClick() const { return FOnDblClick; }
  void SetOnDblClick(TNotifyEvent v) { FOnDblClick = std::move(v); }
  const TMouseEvent& OnMouseDown() const { return FOnMouseDown; }
  void SetOnMouseDown(TMouseEvent v) { FOnMouseDown = std::move(v); }
  const TMouseMoveEvent& OnMouseMove() const { return FOnMouseMove; }
  void SetOnMouseMove(TMouseMoveEvent v) { FOnMouseMove = std::move(v); }
  const TMouseEvent& OnMouseUp() const { return FOnMouseUp; }
  void SetOnMouseUp(TMouseEvent v) { FOnMouseUp = std::move(v); }
  const TNotifyEvent& OnResize() const { return FOnResize; }
  void SetOnResize(TNotifyEvent v) { FOnResize = std::move(v); }
  const TNotifyEvent& OnMouseEnter() const { return FOnMouseEnter; }
  void SetOnMouseEnter(TNotifyEvent v) { FOnMouseEnter = std::move(v); }
  const TNotifyEvent& OnMouseLeave() const { return FOnMouseLeave; }
  void SetOnMouseLeave(TNotifyEvent v) { FOnMouseLeave = std::move(v); }
  const TDragDropEvent& OnDragDrop() const { return FOnDragDrop; }
  void SetOnDragDrop(TDragDropEvent v) { FOnDragDrop = std::move(v); }
  const TDragOverEvent& OnDragOver() const { return FOnDragOver; }
  void SetOnDragOver(TDragOverEvent v) { FOnDragOver = std::move(v); }
  const TEndDragEvent& OnEndDrag() const { return FOnEndDrag; }
  void SetOnEndDrag(TEndDragEvent v) { FOnEndDrag = std::move(v); }
  const TStartDragEvent& OnStartDrag() const { return FOnStartDrag; }
  void SetOnStartDrag(TStartDragEvent v) { FOnStartDrag = std::move(v); }

  // Called by the parent's alignment and by property changes.
  virtual void RequestAlign();
  void Loaded() override;
  // The form streaming's parent hook: a control read inside a windowed
  // control becomes its child.
  void SetParentComponent(TComponent* Value) override;
  TComponent* GetParentComponent() const override;

 protected:
  friend class TWinControl;
  friend class FormInput;

  virtual void Click();
  virtual void DblClick();
  virtual void MouseDown(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y);
  virtual void MouseMove(TShiftState Shift, int32_t X, int32_t Y);
  virtual void MouseUp(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y);
  virtual void Resize();
  // Sets the bounds without any checks or notifications.
  void UpdateBoundsRect(const TRect& R);
  // Invalidates the control's area on the parent's window.
  void InvalidateControl(bool IsVisible, bool IsOpaque);
  virtual bool CanResize(int32_t& NewWidth, int32_t& NewHeight);
  virtual void ConstrainedResize(int32_t& NewWidth, int32_t& NewHeight);
  virtual void VisibleChanging() {}
  // Where the control's Color and Font come from when ParentColor/ParentFont.
  void ParentColorChanged();
  void ParentFontChanged();
  void ParentBiDiModeChanged();
  virtual void FontChanged(TObject* Sender);
  // Auto-sized controls compute their size here; false when they keep it.
  virtual bool CanAutoSize(int32_t& NewWidth, int32_t& NewHeight);
  void AdjustSize();

  // Handlers named after their messages; Dispatch calls them.
  virtual void WMPaint(TMessage& Message);
  virtual void WMWindowPosChanged(TMessage& Message);
  virtual void WMLButtonDown(TMessage& Message);
  virtual void WMLButtonUp(TMessage& Message);
  virtual void WMLButtonDblClk(TMessage& Message);
  virtual void WMRButtonDown(TMessage& Message);
  virtual void WMRButtonUp(TMessage& Message);
  virtual void WMMButtonDown(TMessage& Message);
  virtual void WMMButtonUp(TMessage& Message);
  virtual void WMMouseMove(TMessage& Message);
  virtual void CMMouseEnter(TMessage& Message);
  virtual void CMMouseLeave(TMessage& Message);
  virtual void CMIsToolControl(TMessage&) {}
  virtual void CMTextChanged(TMessage&) {}
  virtual void CMColorChanged(TMessage& Message);
  virtual void CMFontChanged(TMessage& Message);
  virtual void CMEnabledChanged(TMessage& Message);
  virtual void CMVisibleChanged(TMessage& Message);
  virtual void CMParentColorChanged(TMessage& Message);
  virtual void CMParentFontChanged(TMessage& Message);
  virtual void CMBiDiModeChanged(TMessage& Message);
  virtual void CMParentBiDiModeChanged(TMessage& Message);

  int32_t FLeft = 0;
  int32_t FTop = 0;
  int32_t FWidth = 0;
  int32_t FHeight = 0;
  TControlStyle FControlStyle{csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks};
  TControlState FControlState;
  TWinControl* FParent = nullptr;
  bool FVisible = true;
  // Where the anchors were last applied from: the parent's client size and
  // our bounds at that time.
  TRect FAnchorRules;
  TPoint FAnchorParentSize;
  bool FAnchorsValid = false;

 private:
  void DoMouseDown(TMessage& Message, TMouseButton Button, TShiftState Shift);
  void DoMouseUp(TMessage& Message, TMouseButton Button);
  void UpdateAnchorRules();

  TAlign FAlign = alNone;
  TAnchors FAnchors{akLeft, akTop};
  std::unique_ptr<TSizeConstraints> FConstraints;
  bool FAutoSize = false;
  bool FEnabled = true;
  TColor FColor = static_cast<TColor>(0xFF00000F);  // clBtnFace
  bool FParentColor = true;
  std::unique_ptr<TFont> FFont;
  bool FParentFont = true;
  TBiDiMode FBiDiMode = bdLeftToRight;
  bool FParentBiDiMode = true;
  std::string FText;
  TCursor FCursor = crDefault;
  std::string FHint;
  bool FShowHint = false;
  bool FParentShowHint = true;
  THelpType FHelpType = htContext;
  std::string FHelpKeyword;
  int32_t FHelpContext = 0;
  TComponent* FPopupMenu = nullptr;
  TDragMode FDragMode = dmManual;
  TCursor FDragCursor = crDrag;
  TDragKind FDragKind = dkDrag;

 protected:
  // Descendants publish these events in their tables.
  TNotifyEvent FOnClick;
  TNotifyEvent FOnDblClick;
  TMouseEvent FOnMouseDown;
  TMouseMoveEvent FOnMouseMove;
  TMouseEvent FOnMouseUp;
  TNotifyEvent FOnResize;
  TNotifyEvent FOnMouseEnter;
  TNotifyEvent FOnMouseLeave;
  TDragDropEvent FOnDragDrop;
  TDragOverEvent FOnDragOver;
  TEndDragEvent FOnEndDrag;
  TStartDragEvent FOnStartDrag;
  // Kept for form files; the host shows no context menus and docks nothing.
  TContextPopupEvent FOnContextPopup;
  TStartDockEvent FOnStartDock;
  TEndDockEvent FOnEndDock;

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;
};

class TWinControl : public TControl {
  HOST_CLASS(TWinControl, TControl)
 public:
  explicit TWinControl(TComponent* AOwner);
  ~TWinControl() override;

  // Offers the tab and keyboard properties and the focus and key events.
  static const TPublished& PublishedProperties();

  // The control's window; every windowed control has one for its lifetime.
  HWND Handle() const;
  ControlWindow* Window() const { return FWindow.get(); }
  bool HandleAllocated() const { return true; }

  // Child controls: the windowless ones first, then the windowed ones, each
  // group in z-order (bottom first).
  int32_t ControlCount() const;
  TControl* Controls(int32_t Index) const;
  int32_t IndexOfControl(const TControl* c) const;
  // Adds or removes a child (SetParent does this).
  void InsertControl(TControl* AControl);
  void RemoveControl(TControl* AControl);
  bool ContainsControl(const TControl* c) const;
  // The child (windowless or windowed) under a client point, topmost first.
  TControl* ControlAtPos(TPoint Pos, bool AllowDisabled, bool AllowWinControls = true) const;

  void DisableAlign();
  void EnableAlign();
  void Realign();
  bool AlignDisabled() const { return FAlignLevel > 0; }

  void Invalidate() override;
  void Repaint() override;
  void Update() override;
  bool Showing() const override;
  void SetBounds(int32_t ALeft, int32_t ATop, int32_t AWidth, int32_t AHeight) override;

  // Paints the windowless children from First (all when nullptr) upwards in
  // z-order on DC, each clipped to its bounds.
  void PaintControls(HDC DC, TControl* First);

  TTabOrder TabOrder() const;
  void SetTabOrder(TTabOrder v);
  bool TabStop() const { return FTabStop; }
  void SetTabStop(bool v) { FTabStop = v; }
  bool Focused() const;
  virtual bool CanFocus() const;
  virtual void SetFocus();
  // The focusable windowed descendants in tab order.
  void GetTabOrderList(std::vector<TWinControl*>& list) const;
  TWinControl* FindNextControl(TWinControl* Current, bool GoForward, bool CheckTabStop,
                               bool CheckParent) const;

  const TNotifyEvent& OnEnter() const { return FOnEnter; }
  void SetOnEnter(TNotifyEvent v) { FOnEnter = std::move(v); }
  const TNotifyEvent& OnExit() const { return FOnExit; }
  void SetOnExit(TNotifyEvent v) { FOnExit = std::move(v); }
  const TKeyEvent& OnKeyDown() const { return FOnKeyDown; }
  void SetOnKeyDown(TKeyEvent v) { FOnKeyDown = std::move(v); }
  const TKeyEvent& OnKeyUp() const { return FOnKeyUp; }
  void SetOnKeyUp(TKeyEvent v) { FOnKeyUp = std::move(v); }
  const TKeyPressEvent& OnKeyPress() const { return FOnKeyPress; }
  void SetOnKeyPress(TKeyPressEvent v) { FOnKeyPress = std::move(v); }

  // What the window was made with (class style bits are read on each resize).
  const TCreateParams& Params() const { return FParams; }
  void RecreateWnd();

  // Aligns the children inside Rect (the client rectangle at first).
  virtual void AlignControls(TControl* AControl, TRect& Rect);
  virtual void AdjustClientRect(TRect& Rect) { (void)Rect; }
  void SetParent(TWinControl* AParent) override;
  // Moves a child to the top (or bottom) of its group's z-order.
  void SetZOrder(TControl* c, bool toTop);
  void GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) override;

 protected:
  friend class TControl;
  friend class FormInput;
  friend class ControlWindow;

  virtual void CreateParams(TCreateParams& Params);
  // Paints the window's own surface (TCustomControl: Paint).
  virtual void PaintWindow(HDC DC);
  // The painting of WM_PAINT: erase, own surface without the opaque
  // windowless children, then the windowless children.
  void PaintHandler(TMessage& Message);
  void WMPaint(TMessage& Message) override;
  virtual void WMEraseBkgnd(TMessage& Message);
  void WMWindowPosChanged(TMessage& Message) override;
  virtual void WMSetFocus(TMessage&) {}
  virtual void WMKillFocus(TMessage&) {}
  virtual void WMKeyDown(TMessage& Message);
  virtual void WMKeyUp(TMessage& Message);
  virtual void WMChar(TMessage& Message);
  virtual void CMEnter(TMessage& Message);
  virtual void CMExit(TMessage& Message);
  void CMColorChanged(TMessage& Message) override;
  void CMFontChanged(TMessage& Message) override;
  void CMBiDiModeChanged(TMessage& Message) override;
  void CMVisibleChanged(TMessage& Message) override;
  void Dispatch(TMessage& Message) override;

  virtual void DoEnter();
  virtual void DoExit();
  virtual void KeyDown(Word& Key, TShiftState Shift);
  virtual void KeyUp(Word& Key, TShiftState Shift);
  virtual void KeyPress(char& Key);
  // The keys the control handles itself instead of dialog navigation.
  virtual bool WantsKey(Word) const { return false; }

  // Aligns the children when alignment is enabled (else remembers to), then
  // sizes an auto-sized control to what its children now need.
  void AlignControl(TControl* AControl);
  // With AutoSize: the size that holds the visible children inside the
  // frame that AdjustClientRect takes off; a side that the control's own
  // alignment fixes, or that no child asks for, keeps its size. False
  // when no child asks for anything.
  bool CanAutoSize(int32_t& NewWidth, int32_t& NewHeight) override;
  // Tells the children that the parent's colour or font changed.
  void NotifyControls(UINT Msg);

 private:
  void DoAlign(TAlign AAlign, TControl* AControl, TRect& Rect, std::vector<TControl*>& list);
  void ApplyAnchors(TControl* c);
  // A child came or went: aligned ones are realigned, and an auto-sized
  // control sizes itself to the children it now has.
  void ChildListChanged(const TControl* AControl);

  std::unique_ptr<ControlWindow> FWindow;
  std::vector<TControl*> FControls;        // windowless children
  std::vector<TWinControl*> FWinControls;  // windowed children
  std::vector<TWinControl*> FTabList;      // windowed children in tab order
  int32_t FAlignLevel = 0;
  bool FAutoSizing = false;  // inside AdjustSize from AlignControl
  bool FTabStop = false;
  TCreateParams FParams;

 protected:
  TNotifyEvent FOnEnter;
  TNotifyEvent FOnExit;
  TKeyEvent FOnKeyDown;
  TKeyEvent FOnKeyUp;
  TKeyPressEvent FOnKeyPress;
};

// A canvas that draws on a control's place on the screen: outside a paint
// it asks for a device context of the window the control lives on.
class TControlCanvas;

class TGraphicControl : public TControl {
  HOST_CLASS(TGraphicControl, TControl)
 public:
  explicit TGraphicControl(TComponent* AOwner);
  ~TGraphicControl() override;
  TCanvas* Canvas() const;

 protected:
  virtual void Paint() {}
  void WMPaint(TMessage& Message) override;

 private:
  std::unique_ptr<TControlCanvas> FCanvas;
};

class TCustomControl : public TWinControl {
  HOST_CLASS(TCustomControl, TWinControl)
 public:
  explicit TCustomControl(TComponent* AOwner);
  ~TCustomControl() override;
  TCanvas* Canvas() const;

 protected:
  virtual void Paint() {}
  void PaintWindow(HDC DC) override;

 private:
  std::unique_ptr<TControlCanvas> FCanvas;
};

// The form a control sits on (the topmost windowed parent that is a form),
// or nullptr.
TCustomForm* GetParentForm(const TControl* Control);

// Ends any mouse capture.
void ReleaseCapture();
// The control that has the mouse captured, or nullptr.
TControl* GetCaptureControl();
void SetCaptureControl(TControl* Control);

// The mouse: where the pointer is on the screen.
class TMouse {
 public:
  TPoint CursorPos() const;
  void SetCursorPos(TPoint p);
  TControl* Capture() const { return GetCaptureControl(); }
  bool MousePresent() const { return true; }
};
extern TMouse* Mouse;

}  // namespace host
