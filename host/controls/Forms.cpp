#include "host/controls/Forms.h"

#include <algorithm>
#include <cstdio>

#include "host/controls/ControlCanvas.h"
#include "host/controls/ControlWindow.h"
#include "host/graphics/Color.h"
#include "host/threads/Clock.h"
#include "host/threads/UtilityWindow.h"

namespace host {

TApplication* Application = new TApplication(nullptr);
TScreen* Screen = new TScreen(nullptr);

namespace {

WindowShowState ShowStateOf(TWindowState state) {
  switch (state) {
    case wsMinimized:
      return WindowShowState::Minimized;
    case wsMaximized:
      return WindowShowState::Maximized;
    default:
      return WindowShowState::Normal;
  }
}

TWindowState WindowStateOf(WindowShowState state) {
  switch (state) {
    case WindowShowState::Minimized:
      return wsMinimized;
    case WindowShowState::Maximized:
      return wsMaximized;
    default:
      return wsNormal;
  }
}

}  // namespace

// --- TCustomForm
// --------------------------------------------------------------

TCustomForm::TCustomForm(TComponent* AOwner)
    : TWinControl(AOwner),
      FInput(std::make_unique<FormInput>(this)),
      FCanvas(std::make_unique<TControlCanvas>(this)) {
  FControlStyle = {csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks};
  FVisible = false;
  SetParentColor(false);
  SetColor(clBtnFace);
  SetBounds(0, 0, 320, 240);
  Window()->CreateSurface();
  Screen->FForms.push_back(this);
}

TCustomForm::~TCustomForm() {
  if (FOnDestroy) {
    try {
      FOnDestroy(this);
    } catch (...) {
      Application->HandleException(this);
    }
  }
  auto& forms = Screen->FForms;
  forms.erase(std::remove(forms.begin(), forms.end(), this), forms.end());
  if (Screen->FActiveForm == this) Screen->FActiveForm = nullptr;
  if (Application->MainForm() == this) Application->SetMainForm(nullptr);
  Application->PopModal(this);
  std::erase_if(Application->FMinimized, [this](const auto& entry) { return entry.first == this; });
  if (FPlatformWindow) {
    FPlatformWindow->SetEvents(nullptr);
    FPlatformWindow->SetHitTest(nullptr);
    FPlatformWindow->Hide();
  }
  Window()->SetShown(false);
  if (WindowSurface* s = Window()->Surface()) s->Present = nullptr;
}

void TCustomForm::CreateParams(TCreateParams& Params) {
  inherited::CreateParams(Params);
  Params.Style = WS_CLIPCHILDREN | WS_POPUP;
  if (FBorderStyle != bsNone) Params.Style |= WS_CAPTION;
  if (FBorderStyle == bsSizeable || FBorderStyle == bsSizeToolWin) Params.Style |= WS_THICKFRAME;
  Params.WndParent = nullptr;
}

void TCustomForm::SetBorderStyle(TFormBorderStyle v) {
  if (v == FBorderStyle) return;
  FBorderStyle = v;
  RecreateWnd();
  if (FPlatformWindow) {
    // The frame is fixed when the platform window is made: make it again.
    const bool shown = FPlatformWindow->Visible();
    FPlatformWindow->SetEvents(nullptr);
    FPlatformWindow.reset();
    if (shown) {
      EnsurePlatformWindow();
      FPlatformWindow->Show();
      Window()->Invalidate(nullptr, true);
    }
  }
}

const BitmapImage& TCustomForm::Framebuffer() const { return Window()->Surface()->Frame; }

TCanvas* TCustomForm::Canvas() const { return FCanvas.get(); }

void TCustomForm::DoCreate() {
  if (FCreated) return;
  FCreated = true;
  if (FOnCreate) FOnCreate(this);
}

void TCustomForm::Loaded() {
  inherited::Loaded();
  DoCreate();
}

void TCustomForm::FinishedReading() {
  if (!FFormState.Contains(fsVisible)) return;
  FFormState.Exclude(fsVisible);
  if (Visible()) Perform(CM_VISIBLECHANGED, 1);
}

void TCustomForm::GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) {
  TComponent::GetChildren(proc, root);
  inherited::GetChildren(proc, root);
}

void TCustomForm::EnsurePlatformWindow() {
  if (FPlatformWindow) return;
  TApplication::ConnectLoop();
  WindowParams params;
  params.Title = Caption();
  params.Bounds = BoundsRect();
  params.Borderless = FBorderStyle == bsNone;
  params.Resizable = true;
  FPlatformWindow = Platform::Current().CreateWindow(params);
  FPlatformWindow->SetEvents(FInput.get());
  const int32_t minW = std::max(Constraints()->MinWidth(), 1);
  const int32_t minH = std::max(Constraints()->MinHeight(), 1);
  FPlatformWindow->SetMinimumSize(minW, minH);
  FPlatformWindow->SetHitTest([this](TPoint p) {
    // Asked from inside the platform's event handling, where nothing may throw.
    try {
      return WindowHitAreaAt(p);
    } catch (...) {
      return HitArea::Normal;
    }
  });
  ApplySnap();
  Window()->Surface()->Present = [this](const BitmapImage& frame, const Region& dirty) {
    if (FPlatformWindow) FPlatformWindow->Present(frame, dirty.Rects());
  };
}

void TCustomForm::SetWindowState(TWindowState v) {
  if (v == FWindowState) return;
  FWindowState = v;
  ApplyWindowState();
}

void TCustomForm::ApplyWindowState() {
  if (!FPlatformWindow || !Visible() || ComponentState().Contains(csDesigning)) return;
  FPlatformWindow->SetShowState(ShowStateOf(FWindowState));
  PlatformBoundsChanged(FPlatformWindow->Bounds());
}

void TCustomForm::PlatformShowStateChanged(WindowShowState state) {
  FWindowState = WindowStateOf(state);
}

void TCustomForm::SetScreenSnap(bool v) {
  FScreenSnap = v;
  ApplySnap();
}

void TCustomForm::SetSnapBuffer(int32_t v) {
  FSnapBuffer = v;
  ApplySnap();
}

void TCustomForm::ApplySnap() {
  if (FPlatformWindow) FPlatformWindow->SetSnapBuffer(FScreenSnap ? FSnapBuffer : 0);
}

HitArea TCustomForm::WindowHitAreaAt(TPoint P) const {
  if (ComponentState().Contains(csDesigning) || !FInput->AcceptsInput()) return HitArea::Normal;
  TPoint local;
  TControl* control = FInput->ControlAt(P, local);
  return control ? control->WindowHitArea(local) : HitArea::Normal;
}

void TCustomForm::PlaceOnShow() {
  switch (FPosition) {
    case poScreenCenter:
    case poDesktopCenter:
    case poMainFormCenter:
    case poOwnerFormCenter: {
      TRect area = Platform::Current().ScreenBounds();
      if (FPosition == poMainFormCenter || FPosition == poOwnerFormCenter) {
        TCustomForm* other =
            FPosition == poOwnerFormCenter ? As<TCustomForm>(Owner()) : Application->MainForm();
        if (other && other != this && other->Visible()) area = other->BoundsRect();
      }
      SetBounds(area.Left + (area.Width() - Width()) / 2, area.Top + (area.Height() - Height()) / 2,
                Width(), Height());
      break;
    }
    default:
      break;
  }
}

void TCustomForm::SetBounds(int32_t ALeft, int32_t ATop, int32_t AWidth, int32_t AHeight) {
  inherited::SetBounds(ALeft, ATop, AWidth, AHeight);
  if (FPlatformWindow && !FSyncingBounds) FPlatformWindow->SetBounds(BoundsRect());
}

void TCustomForm::PlatformBoundsChanged(const TRect& bounds) {
  const bool sized = bounds.Width() != Width() || bounds.Height() != Height();
  FSyncingBounds = true;
  try {
    SetBounds(bounds.Left, bounds.Top, bounds.Width(), bounds.Height());
  } catch (...) {
    FSyncingBounds = false;
    throw;
  }
  FSyncingBounds = false;
  // While the user sizes the window its content follows at once.
  if (sized) PaintPendingWindows();
}

void TCustomForm::PlatformFocusChanged(bool focused) {
  if (focused == FActive) return;
  FActive = focused;
  if (focused) {
    Screen->FActiveForm = this;
    Application->SetActive(true);
    if (FActiveControl && FActiveControl->CanFocus()) SetFocusedControl(FActiveControl);
    if (FOnActivate) FOnActivate(this);
  } else {
    if (FOnDeactivate) FOnDeactivate(this);
    Application->FormDeactivated();
  }
}

void TCustomForm::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_SYSCOMMAND:
      WMSysCommand(Message);
      break;
    case CM_RELEASE:
      CMRelease(Message);
      break;
    case WM_CLOSE:
      Close();
      break;
    default:
      inherited::Dispatch(Message);
      break;
  }
}

void TCustomForm::WMSysCommand(TMessage& Message) {
  MoveSizeKind kind;
  switch (Message.WParam & 0xFFF0) {
    case SC_MOVE:
      kind = MoveSizeKind::Move;
      break;
    case SC_SIZE:
      switch (Message.WParam & 0xF) {
        case WMSZ_RIGHT:
          kind = MoveSizeKind::SizeRight;
          break;
        case WMSZ_BOTTOM:
          kind = MoveSizeKind::SizeBottom;
          break;
        case WMSZ_BOTTOMRIGHT:
          kind = MoveSizeKind::SizeBottomRight;
          break;
        default:
          return;  // the platforms size from these three edges only
      }
      break;
    case SC_CLOSE:
      Close();
      return;
    case SC_MINIMIZE:
      SetWindowState(wsMinimized);
      return;
    case SC_MAXIMIZE:
      SetWindowState(wsMaximized);
      return;
    case SC_RESTORE:
      SetWindowState(wsNormal);
      return;
    default:
      return;
  }
  if (!FPlatformWindow || !Visible()) return;
  // The loop owns the mouse until the button is released, and consumes the
  // release: nobody may keep the capture waiting for it.
  ReleaseCapture();
  FPlatformWindow->RunMoveSize(kind);
  PlatformBoundsChanged(FPlatformWindow->Bounds());
}

void TCustomForm::Release() { PostMessage(Handle(), CM_RELEASE); }

void TCustomForm::CMRelease(TMessage&) { Free(); }

void TCustomForm::CMTextChanged(TMessage& Message) {
  inherited::CMTextChanged(Message);
  if (FPlatformWindow) FPlatformWindow->SetTitle(Caption());
}

void TCustomForm::CMVisibleChanged(TMessage&) {
  // A form read as visible shows once the whole file is read (its children
  // exist, OnCreate ran and OnShow is bound); until then it only notes it.
  if (ComponentState().Contains(csLoading) && Visible() != FFormState.Contains(fsVisible)) {
    if (Visible())
      FFormState.Include(fsVisible);
    else
      FFormState.Exclude(fsVisible);
    return;
  }
  if (Visible()) {
    EnsurePlatformWindow();
    PlaceOnShow();
    DoShow();
    Window()->SetShown(true);
    Window()->Invalidate(nullptr, true);
    FPlatformWindow->Show();
    FPlatformWindow->Activate();
    // A form hidden while minimised comes back minimised, without the keyboard.
    if (FPlatformWindow->ShowState() != WindowShowState::Minimized) PlatformFocusChanged(true);
    if (!FActiveControl) SelectNext(nullptr, true, true);
    if (FPlatformWindow->ShowState() != ShowStateOf(FWindowState)) ApplyWindowState();
  } else {
    if (ContainsFocus(this)) SetFocusedControl(nullptr);
    if (FPlatformWindow) FPlatformWindow->Hide();
    Window()->SetShown(false);
    PlatformFocusChanged(false);
    DoHide();
  }
}

void TCustomForm::DoShow() {
  if (FOnShow) FOnShow(this);
}

void TCustomForm::DoHide() {
  if (FOnHide) FOnHide(this);
}

void TCustomForm::DoClose(TCloseAction& Action) {
  if (FOnClose) FOnClose(this, Action);
}

void TCustomForm::Show() {
  SetVisible(true);
  if (FPlatformWindow) FPlatformWindow->Activate();
}

void TCustomForm::Hide() { SetVisible(false); }

bool TCustomForm::CloseQuery() {
  bool canClose = true;
  if (FOnCloseQuery) FOnCloseQuery(this, canClose);
  return canClose;
}

void TCustomForm::Close() {
  if (FFormState.Contains(fsModal)) {
    FModalResult = mrCancel;
    return;
  }
  if (!CloseQuery()) return;
  TCloseAction action = caHide;
  DoClose(action);
  if (action == caNone) return;
  if (Application->MainForm() == this) {
    Hide();
    Application->Terminate();
    return;
  }
  if (action == caFree)
    Release();
  else
    Hide();
}

void TCustomForm::CloseModal() {
  TCloseAction action = CloseQuery() ? caHide : caNone;
  DoClose(action);
  if (action == caNone) FModalResult = mrNone;
  if (action == caFree) Release();
}

TModalResult TCustomForm::ShowModal() {
  if (Visible() || !Enabled() || FFormState.Contains(fsModal))
    throw EInvalidOperation("Cannot make a visible window modal");
  ReleaseCapture();
  FFormState.Include(fsModal);
  FModalResult = mrNone;
  Application->PushModal(this);
  struct EndModal {
    TCustomForm* form;
    ~EndModal() {
      form->FFormState.Exclude(fsModal);
      Application->PopModal(form);
      try {
        form->Hide();
      } catch (...) {
        Application->HandleException(form);
      }
    }
  } endModal{this};
  Show();
  do {
    Application->HandleMessage();
    if (Application->Terminated()) {
      FModalResult = mrCancel;
      break;
    }
    if (FModalResult != mrNone) CloseModal();
  } while (FModalResult == mrNone);
  return FModalResult;
}

void TCustomForm::SetActiveControl(TWinControl* v) {
  if (v == FActiveControl) return;
  if (v && GetParentForm(v) != this)
    throw EInvalidOperation("Invalid control: it does not lie on this form");
  FocusControl(v);
}

void TCustomForm::FocusControl(TWinControl* Control) {
  FActiveControl = Control;
  if (Visible() && FActive) SetFocusedControl(Control ? Control : this);
}

void TCustomForm::SelectNext(TWinControl* CurControl, bool GoForward, bool CheckTabStop) {
  if (TWinControl* next = FindNextControl(CurControl, GoForward, CheckTabStop, false))
    FocusControl(next);
}

void TCustomForm::Paint() {
  if (FOnPaint) FOnPaint(this);
}

void TCustomForm::PaintWindow(HDC DC) {
  FCanvas->PaintWith(DC, [this] { Paint(); });
}

// --- TApplication
// -------------------------------------------------------------

namespace {

// The platform as the loop's event source and clock, looked up at each
// call so that tests may swap the platform.
class PlatformLoopSource : public EventSource, public TickSource {
 public:
  void Pump() override { Platform::Current().Pump(); }
  void Wait(int64_t timeoutMs) override { Platform::Current().Wait(timeoutMs); }
  void Wake() override { Platform::Current().Wake(); }
  int64_t NowMs() override { return Platform::Current().NowMs(); }
};

}  // namespace

TApplication::TApplication(TComponent* AOwner) : TComponent(AOwner) {}

TApplication::~TApplication() = default;

void TApplication::ConnectLoop() {
  static bool connected = false;
  if (connected) return;
  connected = true;
  static PlatformLoopSource source;
  SetEventSource(&source);
  SetTickSource(&source);
  SetPaintMessageSource([](TMsg& msg) {
    if (ControlWindow* w = FindWindowToPaint()) {
      msg.hwnd = w;
      msg.message = WM_PAINT;
      msg.wParam = 0;
      msg.lParam = 0;
      return true;
    }
    // A paint pass is over: show what it changed.
    FreeDeviceContexts();
    PresentAllDirty();
    return false;
  });
}

void TApplication::Notification(TComponent* AComponent, TOperation Operation) {
  inherited::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FMainForm) FMainForm = nullptr;
}

void TApplication::PopModal(TCustomForm* f) {
  FModalForms.erase(std::remove(FModalForms.begin(), FModalForms.end(), f), FModalForms.end());
}

bool TApplication::ProcessMessage() {
  TMsg msg;
  if (!PeekMessage(msg, PM_REMOVE)) return false;
  if (msg.message == WM_QUIT) {
    FTerminated = true;
    return true;
  }
  try {
    bool handled = false;
    if (FOnMessage) FOnMessage(msg, handled);
    if (!handled) DispatchMessage(msg);
  } catch (...) {
    HandleException(this);
  }
  return true;
}

void TApplication::ProcessMessages() {
  ConnectLoop();
  while (ProcessMessage()) {
  }
}

void TApplication::Idle() {
  bool done = true;
  try {
    if (FOnIdle) FOnIdle(this, done);
  } catch (...) {
    HandleException(this);
  }
  if (done) WaitMessage();
}

void TApplication::HandleMessage() {
  ConnectLoop();
  if (!ProcessMessage()) Idle();
}

void TApplication::Run() {
  ConnectLoop();
  if (!FMainForm) return;
  if (FShowMainForm) FMainForm->Show();
  while (!Terminated()) HandleMessage();
}

void TApplication::Terminate() { PostQuitMessage(0); }

void TApplication::Minimize() {
  for (int32_t i = 0; i < Screen->FormCount(); ++i) {
    TCustomForm* f = Screen->Forms(i);
    if (f->Visible() && f->WindowState() != wsMinimized)
      FMinimized.emplace_back(f, f->WindowState());
  }
  // Each form leaves FMinimized if a handler frees it on the way.
  for (size_t i = 0; i < FMinimized.size(); ++i) FMinimized[i].first->SetWindowState(wsMinimized);
}

void TApplication::Restore() {
  while (!FMinimized.empty()) {
    const auto [form, state] = FMinimized.back();
    FMinimized.pop_back();
    if (form->WindowState() == wsMinimized) form->SetWindowState(state);
  }
}

void TApplication::HandleException(TObject* Sender) {
  std::exception_ptr current = std::current_exception();
  if (!current) return;
  auto report = [&](Exception& e) {
    if (FOnException)
      FOnException(Sender, &e);
    else
      ShowException(&e);
  };
  try {
    std::rethrow_exception(current);
  } catch (Exception& e) {
    report(e);
  } catch (std::exception& e) {
    Exception wrapped(e.what());
    report(wrapped);
  } catch (...) {
    Exception wrapped("Unknown exception");
    report(wrapped);
  }
}

void TApplication::ShowException(Exception* E) {
  std::fprintf(stderr, "%s\n", E->Message().c_str());
  std::fflush(stderr);
}

void TApplication::FormDeactivated() {
  if (!FActivityWindow)
    FActivityWindow = AllocateHWnd([this](TMessage& m) {
      if (m.Msg != CM_DEACTIVATE) return;
      for (int32_t i = 0; i < Screen->FormCount(); ++i)
        if (Screen->Forms(i)->Active()) return;
      SetActive(false);
    });
  PostMessage(FActivityWindow, CM_DEACTIVATE);
}

void TApplication::SetActive(bool active) {
  if (active == FActive) return;
  FActive = active;
  const TNotifyEvent& e = active ? FOnActivate : FOnDeactivate;
  if (e) e(this);
}

// --- TScreen
// ------------------------------------------------------------------

int32_t TScreen::Width() const { return Platform::Current().ScreenBounds().Width(); }
int32_t TScreen::Height() const { return Platform::Current().ScreenBounds().Height(); }

}  // namespace host
