#pragma once
// Forms (top-level windows with a platform window and a framebuffer), the
// application object that runs the message loop, and the screen.
#include <atomic>
#include <memory>
#include <utility>
#include <vector>

#include "host/controls/Controls.h"
#include "host/controls/Input.h"
#include "host/platform/Platform.h"
#include "host/threads/MessageLoop.h"

namespace host {

HOST_ENUM(TFormBorderStyle, bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin)
HOST_ENUM(TPosition, poDesigned, poDefault, poDefaultPosOnly, poDefaultSizeOnly, poScreenCenter,
          poDesktopCenter, poMainFormCenter, poOwnerFormCenter)
HOST_ENUM(TCloseAction, caNone, caHide, caFree, caMinimize)
HOST_ENUM(TWindowState, wsNormal, wsMinimized, wsMaximized)
HOST_ENUM(TFormStateFlag, fsCreating, fsVisible, fsShowing, fsModal, fsCreatedMDIChild, fsActivated)
using TFormState = TSet<TFormStateFlag>;

using TCloseEvent = TEvent<TObject*, TCloseAction&>;
using TCloseQueryEvent = TEvent<TObject*, bool&>;

class TCustomForm : public TWinControl {
  HOST_CLASS(TCustomForm, TWinControl)
 public:
  explicit TCustomForm(TComponent* AOwner);
  static constexpr TFormBorderStyle kDefaultBorderStyle = bsSizeable;
  ~TCustomForm() override;

  TFormBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TFormBorderStyle v);
  TPosition Position() const { return FPosition; }
  void SetPosition(TPosition v) { FPosition = v; }
  TModalResult ModalResult() const { return FModalResult; }
  void SetModalResult(TModalResult v) { FModalResult = v; }
  TFormState FormState() const { return FFormState; }
  TWinControl* ActiveControl() const { return FActiveControl; }
  void SetActiveControl(TWinControl* v);
  // Only the field: for focus bookkeeping when a control goes away.
  void SetActiveControlField(TWinControl* v) { FActiveControl = v; }
  bool KeyPreview() const { return FKeyPreview; }
  void SetKeyPreview(bool v) { FKeyPreview = v; }

  // Minimised, maximised to the screen's work area, or placed (wsNormal
  // brings back the bounds from before maximising). A hidden form keeps the
  // value and shows in that state.
  TWindowState WindowState() const { return FWindowState; }
  void SetWindowState(TWindowState v);
  // While the user moves the form, its edges snap to the work area's edges
  // when they come within SnapBuffer pixels.
  static constexpr int32_t kDefaultSnapBuffer = 10;
  bool ScreenSnap() const { return FScreenSnap; }
  void SetScreenSnap(bool v);
  int32_t SnapBuffer() const { return FSnapBuffer; }
  void SetSnapBuffer(int32_t v);
  // What a left press at a client point does to the window, as the control
  // under it answers (TControl::WindowHitArea); Normal where the form takes
  // no input.
  HitArea WindowHitAreaAt(TPoint P) const;

  // Shows the form and runs a nested message loop until ModalResult is set;
  // other forms take no input meanwhile. Returns the ModalResult.
  virtual TModalResult ShowModal();
  void Show();
  void Hide();
  // Asks OnCloseQuery and OnClose, then hides or frees the form (a modal
  // form gets mrCancel and its loop ends it).
  void Close();
  bool CloseQuery();
  // Frees the form once the messages now queued have been handled.
  void Release();
  // Moves the keyboard to a control of this form.
  void FocusControl(TWinControl* Control);
  void SelectNext(TWinControl* CurControl, bool GoForward, bool CheckTabStop);
  bool Active() const { return FActive; }

  // The platform window while the form has been shown once; nullptr before.
  PlatformWindow* PlatformHandle() const { return FPlatformWindow.get(); }
  // The form's pixels: what its controls have painted.
  const BitmapImage& Framebuffer() const;

  void SetBounds(int32_t ALeft, int32_t ATop, int32_t AWidth, int32_t AHeight) override;
  bool Showing() const override { return Visible(); }
  void Loaded() override;
  void FinishedReading() override;
  // Form files hold the owned components without a parent (timers …)
  // first, then the controls.
  void GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) override;

  // From the platform window (through FormInput).
  void PlatformBoundsChanged(const TRect& bounds);
  void PlatformFocusChanged(bool focused);
  void PlatformShowStateChanged(WindowShowState state);

  const TNotifyEvent& OnCreate() const { return FOnCreate; }
  void SetOnCreate(TNotifyEvent v) { FOnCreate = std::move(v); }
  const TNotifyEvent& OnShow() const { return FOnShow; }
  void SetOnShow(TNotifyEvent v) { FOnShow = std::move(v); }
  const TNotifyEvent& OnHide() const { return FOnHide; }
  void SetOnHide(TNotifyEvent v) { FOnHide = std::move(v); }
  const TCloseEvent& OnClose() const { return FOnClose; }
  void SetOnClose(TCloseEvent v) { FOnClose = std::move(v); }
  const TCloseQueryEvent& OnCloseQuery() const { return FOnCloseQuery; }
  void SetOnCloseQuery(TCloseQueryEvent v) { FOnCloseQuery = std::move(v); }
  const TNotifyEvent& OnDestroy() const { return FOnDestroy; }
  void SetOnDestroy(TNotifyEvent v) { FOnDestroy = std::move(v); }
  const TNotifyEvent& OnActivate() const { return FOnActivate; }
  void SetOnActivate(TNotifyEvent v) { FOnActivate = std::move(v); }
  const TNotifyEvent& OnDeactivate() const { return FOnDeactivate; }
  void SetOnDeactivate(TNotifyEvent v) { FOnDeactivate = std::move(v); }
  const TNotifyEvent& OnPaint() const { return FOnPaint; }
  void SetOnPaint(TNotifyEvent v) { FOnPaint = std::move(v); }

  TCanvas* Canvas() const;
  // Fires OnCreate; the application calls it once the form is built.
  void DoCreate();

 protected:
  void CreateParams(TCreateParams& Params) override;
  void PaintWindow(HDC DC) override;
  virtual void Paint();
  void Dispatch(TMessage& Message) override;
  void CMVisibleChanged(TMessage& Message) override;
  void CMTextChanged(TMessage& Message) override;
  virtual void WMSysCommand(TMessage& Message);
  virtual void CMRelease(TMessage& Message);
  virtual void DoShow();
  virtual void DoHide();
  virtual void DoClose(TCloseAction& Action);

 private:
  void EnsurePlatformWindow();
  void PlaceOnShow();
  void CloseModal();
  void ApplyWindowState();
  void ApplySnap();

  TFormBorderStyle FBorderStyle = kDefaultBorderStyle;
  TPosition FPosition = poDesigned;
  TModalResult FModalResult = mrNone;
  TFormState FFormState;
  TWinControl* FActiveControl = nullptr;
  bool FKeyPreview = false;
  TWindowState FWindowState = wsNormal;
  bool FScreenSnap = false;
  int32_t FSnapBuffer = kDefaultSnapBuffer;
  bool FActive = false;
  bool FSyncingBounds = false;
  bool FCreated = false;
  std::unique_ptr<FormInput> FInput;
  std::unique_ptr<PlatformWindow> FPlatformWindow;
  std::unique_ptr<TControlCanvas> FCanvas;

 protected:
  TNotifyEvent FOnCreate;
  TNotifyEvent FOnShow;
  TNotifyEvent FOnHide;
  TCloseEvent FOnClose;
  TCloseQueryEvent FOnCloseQuery;
  TNotifyEvent FOnDestroy;
  TNotifyEvent FOnActivate;
  TNotifyEvent FOnDeactivate;
  TNotifyEvent FOnPaint;

 public:
  // Offers the form's own properties and events.
  static const TPublished& PublishedProperties();
};

class TForm : public TCustomForm {
  HOST_CLASS(TForm, TCustomForm)
 public:
  using TCustomForm::TCustomForm;
  static const TPublished& PublishedProperties();
};

using TExceptionEvent = TEvent<TObject*, Exception*>;
using TIdleEvent = TEvent<TObject*, bool&>;
using TMessageEvent = TEvent<TMsg&, bool&>;

class TApplication : public TComponent {
  HOST_CLASS(TApplication, TComponent)
 public:
  explicit TApplication(TComponent* AOwner);
  ~TApplication() override;

  // Creates a form owned by the application; the first one becomes the
  // main form.
  template <class T>
  void CreateForm(T*& Reference) {
    Reference = new T(this);
    if (!FMainForm) FMainForm = Reference;
    Reference->DoCreate();
  }
  void Initialize() {}
  // Shows the main form and handles messages until Terminate.
  void Run();
  // Handles every waiting message and paints what is pending; returns
  // without waiting.
  void ProcessMessages();
  // Handles one message, or, when none waits, runs the idle work and sleeps
  // until one comes.
  void HandleMessage();
  void Terminate();
  // Minimises every shown form; Restore gives each the state it had.
  void Minimize();
  void Restore();
  // Any thread.
  bool Terminated() const { return FTerminated.load(); }
  // Call inside a catch block: hands the exception to OnException, or
  // writes its message to stderr.
  void HandleException(TObject* Sender);
  void ShowException(Exception* E);

  TCustomForm* MainForm() const { return FMainForm; }
  void SetMainForm(TCustomForm* v) { FMainForm = v; }
  const std::string& Title() const { return FTitle; }
  void SetTitle(const std::string& v) { FTitle = v; }
  bool ShowMainForm() const { return FShowMainForm; }
  void SetShowMainForm(bool v) { FShowMainForm = v; }

  // The innermost running modal form, or nullptr.
  TCustomForm* ModalForm() const { return FModalForms.empty() ? nullptr : FModalForms.back(); }
  void PushModal(TCustomForm* f) { FModalForms.push_back(f); }
  void PopModal(TCustomForm* f);

  const TExceptionEvent& OnException() const { return FOnException; }
  void SetOnException(TExceptionEvent v) { FOnException = std::move(v); }
  const TIdleEvent& OnIdle() const { return FOnIdle; }
  void SetOnIdle(TIdleEvent v) { FOnIdle = std::move(v); }
  const TMessageEvent& OnMessage() const { return FOnMessage; }
  void SetOnMessage(TMessageEvent v) { FOnMessage = std::move(v); }
  const TNotifyEvent& OnActivate() const { return FOnActivate; }
  void SetOnActivate(TNotifyEvent v) { FOnActivate = std::move(v); }
  const TNotifyEvent& OnDeactivate() const { return FOnDeactivate; }
  void SetOnDeactivate(TNotifyEvent v) { FOnDeactivate = std::move(v); }

  // Ties the message loop to the platform (its events, sleep and clock) and
  // to the controls' painting. Done on first use of the loop or a form.
  static void ConnectLoop();
  // The application became active or inactive (a form got or lost focus).
  void SetActive(bool active);

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  bool ProcessMessage();
  void Idle();
  // A form lost the keyboard. The application turns inactive only if no
  // form has it once the messages queued now are handled: the keyboard
  // leaves one window before it reaches the next, also between two forms
  // of this application.
  void FormDeactivated();
  friend class TCustomForm;  // FormDeactivated; a form going away leaves FMinimized

  TCustomForm* FMainForm = nullptr;
  std::string FTitle;
  bool FShowMainForm = true;
  bool FActive = false;
  std::atomic<bool> FTerminated{false};
  std::vector<TCustomForm*> FModalForms;
  // The forms Minimize minimised, with the state each had before.
  std::vector<std::pair<TCustomForm*, TWindowState>> FMinimized;
  HWND FActivityWindow = nullptr;  // receives FormDeactivated's check
  TExceptionEvent FOnException;
  TIdleEvent FOnIdle;
  TMessageEvent FOnMessage;
  TNotifyEvent FOnActivate;
  TNotifyEvent FOnDeactivate;
};

class TScreen : public TComponent {
  HOST_CLASS(TScreen, TComponent)
 public:
  explicit TScreen(TComponent* AOwner) : TComponent(AOwner) {}
  int32_t Width() const;
  int32_t Height() const;
  // A cursor for the whole application; crDefault lets each control's show.
  TCursor Cursor() const { return FCursor; }
  void SetCursor(TCursor v) { FCursor = v; }
  int32_t FormCount() const { return static_cast<int32_t>(FForms.size()); }
  TCustomForm* Forms(int32_t Index) const { return FForms.at(Index); }
  TCustomForm* ActiveForm() const { return FActiveForm; }
  TWinControl* ActiveControl() const { return FocusedControl(); }

 private:
  friend class TCustomForm;
  TCursor FCursor = crDefault;
  std::vector<TCustomForm*> FForms;
  TCustomForm* FActiveForm = nullptr;
};

extern TApplication* Application;
extern TScreen* Screen;

}  // namespace host
