#include "host/controls/MessageForm.h"

#include <algorithm>
#include <memory>

#include "host/controls/Buttons.h"
#include "host/controls/Forms.h"
#include "host/controls/Labels.h"

namespace host {

namespace {
constexpr int32_t kMargin = 16;
constexpr int32_t kGap = 12;
constexpr int32_t kMinWidth = 160;
}  // namespace

void ShowMessageForm(const std::string& Msg) {
  struct FormFree {
    void operator()(TForm* f) const { f->Free(); }
  };
  std::unique_ptr<TForm, FormFree> form(new TForm(nullptr));
  form->SetBorderStyle(bsDialog);
  form->SetPosition(poScreenCenter);
  form->SetCaption(Application->Title());

  auto* text = new TLabel(form.get());
  text->SetParent(form.get());
  text->SetCaption(Msg);
  text->SetLeft(kMargin);
  text->SetTop(kMargin);

  auto* ok = new TButton(form.get());
  ok->SetParent(form.get());
  ok->SetCaption("OK");
  ok->SetModalResult(mrOk);
  ok->SetDefault(true);
  ok->SetCancel(true);

  const int32_t width = std::max(text->Width() + 2 * kMargin, kMinWidth);
  ok->SetBounds((width - ok->Width()) / 2, text->Top() + text->Height() + kGap, ok->Width(),
                ok->Height());
  form->SetClientWidth(width);
  form->SetClientHeight(ok->Top() + ok->Height() + kMargin);
  form->SetActiveControl(ok);
  form->ShowModal();
}

}  // namespace host
