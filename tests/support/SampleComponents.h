#pragma once
// Components that publish one property of every kind, for the streaming
// tests, the form reader fuzzer and the streaming benchmark.
#include <algorithm>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "host/classes/ClassRegistry.h"
#include "host/classes/TypInfo.h"
#include "host/graphics/Color.h"

namespace sample {

using namespace host;

HOST_ENUM(TSampleMode, smOff, smSlow, smFast)
HOST_ENUM(TSampleLight, slRed, slYellow, slGreen)
using TSampleLights = TSet<TSampleLight>;

using TValueEvent = TEvent<TObject*, int>;

// A sub-object with a declared default and an always-stored colour.
class TSampleFrame : public TPersistent {
  HOST_CLASS(TSampleFrame, TPersistent)
 public:
  Integer Width() const { return FWidth; }
  void SetWidth(Integer v) { FWidth = v; }
  TColor Shade() const { return FShade; }
  void SetShade(TColor v) { FShade = v; }
  bool Visible() const { return FVisible; }
  void SetVisible(bool v) { FVisible = v; }

  void Assign(TPersistent* Source) override {
    if (auto* s = As<TSampleFrame>(Source)) {
      FWidth = s->FWidth;
      FShade = s->FShade;
      FVisible = s->FVisible;
      return;
    }
    inherited::Assign(Source);
  }

  static const TPublished& PublishedProperties() {
    using T = TSampleFrame;
    static const TPublished table = Publish<T>()
                                        .Int("Width", &T::Width, &T::SetWidth, 1)
                                        .Color("Shade", &T::Shade, &T::SetShade)
                                        .Bool("Visible", &T::Visible, &T::SetVisible, true);
    return table;
  }

 private:
  Integer FWidth = 1;
  TColor FShade = clBtnShadow;
  bool FVisible = true;
};

// Opaque data, as a bitmap stores its pixels.
class TSampleBlob : public TPersistent {
  HOST_CLASS(TSampleBlob, TPersistent)
 public:
  std::vector<uint8_t> Data() const { return FData; }
  void SetData(std::span<const uint8_t> v) { FData.assign(v.begin(), v.end()); }

  static const TPublished& PublishedProperties() {
    static const TPublished table =
        Publish<TSampleBlob>().Binary("Data", &TSampleBlob::Data, &TSampleBlob::SetData);
    return table;
  }

 private:
  std::vector<uint8_t> FData;
};

class TSamplePanel;

// A component with one property of each kind and a parent, like a control.
class TSampleWidget : public TComponent {
  HOST_CLASS(TSampleWidget, TComponent)
 public:
  explicit TSampleWidget(TComponent* AOwner) : TComponent(AOwner) {}
  ~TSampleWidget() override;

  Integer Count() const { return FCount; }
  void SetCount(Integer v) {
    FCount = v;
    if (ComponentState().Contains(csLoading)) LoadingWhileSet = true;
  }
  // Clamped into [Min, Max], declared before them (as the numeric display's).
  Integer Value() const { return FValue; }
  void SetValue(Integer v) { FValue = std::clamp(v, FMin, FMax); }
  Integer Max() const { return FMax; }
  void SetMax(Integer v) {
    if (v > FMin) FMax = v;
  }
  Integer Min() const { return FMin; }
  void SetMin(Integer v) {
    if (v < FMax) FMin = v;
  }
  Cardinal Mask() const { return FMask; }
  void SetMask(Cardinal v) { FMask = v; }
  bool Active() const { return FActive; }
  void SetActive(bool v) { FActive = v; }
  TSampleMode Mode() const { return FMode; }
  void SetMode(TSampleMode v) { FMode = v; }
  TSampleLights Lights() const { return FLights; }
  void SetLights(TSampleLights v) { FLights = v; }
  TColor Color() const { return FColor; }
  void SetColor(TColor v) { FColor = v; }
  TColor Border() const { return FBorder; }
  void SetBorder(TColor v) { FBorder = v; }
  double Ratio() const { return FRatio; }
  void SetRatio(double v) { FRatio = v; }
  const std::string& Caption() const { return FCaption; }
  void SetCaption(const std::string& v) { FCaption = v; }
  TStrings* Lines() const { return FLines.get(); }
  void SetLines(TStrings* v) { FLines->Assign(v); }
  TSampleFrame* Frame() const { return FFrame.get(); }
  void SetFrame(TSampleFrame* v) { FFrame->Assign(v); }
  TSampleBlob* Blob() const { return FBlob.get(); }
  void SetBlob(TSampleBlob* v) { FBlob->Assign(v); }
  TSampleWidget* Buddy() const { return FBuddy; }
  void SetBuddy(TSampleWidget* v) {
    if (v == FBuddy) return;
    if (FBuddy) FBuddy->RemoveFreeNotification(this);
    FBuddy = v;
    if (v) v->FreeNotification(this);
  }

  TNotifyEvent FOnChange;
  TValueEvent FOnValue;

  // What the reader did to it.
  int LoadedCalls = 0;
  bool LoadingWhileSet = false;  // csLoading was on when Count was set
  TComponent* ParentSet = nullptr;

  TComponent* GetParentComponent() const override;
  void SetParentComponent(TComponent* parent) override;
  void Loaded() override {
    inherited::Loaded();
    ++LoadedCalls;
  }

  static const TPublished& PublishedProperties() {
    using T = TSampleWidget;
    static const TPublished table = Publish<T>()
                                        .Int("Count", &T::Count, &T::SetCount, 4)
                                        .Int("Value", &T::Value, &T::SetValue, 0)
                                        .ReadLast()
                                        .Int("Max", &T::Max, &T::SetMax, 9999)
                                        .Int("Min", &T::Min, &T::SetMin, 0)
                                        .Card("Mask", &T::Mask, &T::SetMask)
                                        .Bool("Active", &T::Active, &T::SetActive, false)
                                        .Enum("Mode", &T::Mode, &T::SetMode, smSlow)
                                        .Set("Lights", &T::Lights, &T::SetLights, TSampleLights{})
                                        .Color("Color", &T::Color, &T::SetColor, clBlack)
                                        .Color("Border", &T::Border, &T::SetBorder)
                                        .Float("Ratio", &T::Ratio, &T::SetRatio, 0.5)
                                        .String("Caption", &T::Caption, &T::SetCaption, "")
                                        .Strings("Lines", &T::Lines, &T::SetLines)
                                        .Object("Frame", &T::Frame, &T::SetFrame)
                                        .Object("Blob", &T::Blob, &T::SetBlob)
                                        .Component("Buddy", &T::Buddy, &T::SetBuddy)
                                        .Event("OnChange", &T::FOnChange)
                                        .Event("OnValue", &T::FOnValue);
    return table;
  }

 private:
  Integer FCount = 4;
  Integer FValue = 0;
  Integer FMax = 9999;
  Integer FMin = 0;
  Cardinal FMask = 0xFF;
  bool FActive = false;
  TSampleMode FMode = smSlow;
  TSampleLights FLights;
  TColor FColor = clBlack;
  TColor FBorder = clBtnFace;
  double FRatio = 0.5;
  std::string FCaption;
  std::unique_ptr<TStringList> FLines = std::make_unique<TStringList>();
  std::unique_ptr<TSampleFrame> FFrame = std::make_unique<TSampleFrame>();
  std::unique_ptr<TSampleBlob> FBlob = std::make_unique<TSampleBlob>();
  TSampleWidget* FBuddy = nullptr;
  TSamplePanel* FParent = nullptr;
  friend class TSamplePanel;
};

// A widget that holds other widgets, like a windowed control.
class TSamplePanel : public TSampleWidget {
  HOST_CLASS(TSamplePanel, TSampleWidget)
 public:
  using TSampleWidget::TSampleWidget;
  ~TSamplePanel() override {
    for (TSampleWidget* c : FChildren) c->FParent = nullptr;
  }
  void Insert(TSampleWidget* child) {
    if (child->FParent) child->FParent->Remove(child);
    child->FParent = this;
    FChildren.push_back(child);
  }
  void Remove(TSampleWidget* child) {
    std::erase(FChildren, child);
    child->FParent = nullptr;
  }
  const std::vector<TSampleWidget*>& Children() const { return FChildren; }

  void GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) override {
    for (TSampleWidget* c : FChildren)
      if (c->Owner() == root) proc(c);
    inherited::GetChildren(proc, root);
  }

 private:
  std::vector<TSampleWidget*> FChildren;
};

inline TSampleWidget::~TSampleWidget() {
  if (FParent) FParent->Remove(this);
}
inline TComponent* TSampleWidget::GetParentComponent() const { return FParent; }
inline void TSampleWidget::SetParentComponent(TComponent* parent) {
  ParentSet = parent;
  if (auto* panel = As<TSamplePanel>(parent)) panel->Insert(this);
}

// A form: the root of a form file, with methods events can name.
class TSampleForm : public TComponent {
  HOST_CLASS(TSampleForm, TComponent)
 public:
  using TComponent::TComponent;
  const std::string& Caption() const { return FCaption; }
  void SetCaption(const std::string& v) { FCaption = v; }
  int LoadedCalls = 0;
  void Loaded() override {
    inherited::Loaded();
    ++LoadedCalls;
  }

  int Clicks = 0;
  int LastValue = 0;
  void WidgetChange(TObject*) { ++Clicks; }
  void WidgetValue(TObject*, int v) { LastValue = v; }

  static const TPublished& PublishedProperties() {
    using T = TSampleForm;
    static const TPublished table = Publish<T>()
                                        .String("Caption", &T::Caption, &T::SetCaption, "")
                                        .Method("WidgetChange", &T::WidgetChange)
                                        .Method("WidgetValue", &T::WidgetValue);
    return table;
  }

 private:
  std::string FCaption;
};

inline void RegisterSampleClasses() {
  RegisterClasses<TSampleFrame, TSampleBlob, TSampleWidget, TSamplePanel, TSampleForm>();
}

}  // namespace sample
