#include "tools/kxview/Events.h"

#include <functional>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <typeindex>
#include <unordered_map>

#include "host/classes/Streaming.h"
#include "host/classes/TypInfo.h"
#include "host/controls/ControlTypes.h"
#include "host/controls/Forms.h"
#include "host/platform/VirtualKeys.h"

namespace kxview {

namespace {

std::string SenderName(host::TObject* sender) {
  auto* c = host::As<host::TComponent>(sender);
  if (!c) return sender ? sender->ClassName() : "nil";
  return c->Name().empty() ? c->ClassName() : c->Name();
}

std::string ShiftText(host::TShiftState shift) {
  return host::FormSetText(host::EnumInfoOf(host::TShiftStateFlag{}), shift.Bits());
}

// One printed call: "Method(Sender=Name Arg=Value …)".
class CallLine {
 public:
  CallLine(const std::string& method, host::TObject* sender) {
    line_ << method << "(Sender=" << SenderName(sender);
  }
  template <class V>
  CallLine& Arg(const char* name, const V& value) {
    line_ << ' ' << name << '=' << value;
    return *this;
  }
  void WriteTo(std::ostream& out) {
    out << line_.str() << ")\n";
    out.flush();
  }

 private:
  std::ostringstream line_;
};

// Makes the stub for one kind of event.
using StubMaker = std::function<void(void* field, const std::string& method, std::ostream& out)>;

template <class Ev, class F>
std::pair<std::type_index, StubMaker> Stub(F print) {
  return {typeid(Ev), [print](void* field, const std::string& method, std::ostream& out) {
            *static_cast<Ev*>(field) =
                Ev([print, method, &out](host::TObject* sender, auto&&... rest) {
                  CallLine line(method, sender);
                  print(line, sender, rest...);
                  line.WriteTo(out);
                }).Named(method);
          }};
}

const std::unordered_map<std::type_index, StubMaker>& Stubs() {
  using namespace host;
  static const std::unordered_map<std::type_index, StubMaker> stubs{
      Stub<TNotifyEvent>([](CallLine&, TObject*) {}),
      Stub<TMouseEvent>(
          [](CallLine& l, TObject*, TMouseButton b, TShiftState s, int32_t x, int32_t y) {
            l.Arg("Button", EnumName(b)).Arg("Shift", ShiftText(s)).Arg("X", x).Arg("Y", y);
          }),
      Stub<TMouseMoveEvent>([](CallLine& l, TObject*, TShiftState s, int32_t x, int32_t y) {
        l.Arg("Shift", ShiftText(s)).Arg("X", x).Arg("Y", y);
      }),
      Stub<TKeyEvent>([](CallLine& l, TObject*, Word& key, TShiftState s) {
        l.Arg("Key", VirtualKeyName(key)).Arg("Shift", ShiftText(s));
      }),
      Stub<TKeyPressEvent>([](CallLine& l, TObject*, char& key) {
        l.Arg("Key", FormStringText({&key, 1}));
      }),
      Stub<TCloseEvent>(
          [](CallLine& l, TObject*, TCloseAction& action) { l.Arg("Action", EnumName(action)); }),
      Stub<TCloseQueryEvent>([](CallLine& l, TObject*, bool& canClose) {
        l.Arg("CanClose", canClose ? "True" : "False");
      }),
  };
  return stubs;
}

// Warns once per method name.
class Warner {
 public:
  explicit Warner(std::ostream& err) : err_(err) {}
  void operator()(const host::TPropInfo& event, const std::string& method, const char* why) {
    if (!warned_.insert(method).second) return;
    err_ << "kxview: " << event.Name << " = " << method << " left unbound (" << why << ")\n";
  }

 private:
  std::ostream& err_;
  std::set<std::string> warned_;
};

}  // namespace

host::TReadOptions WarnUnboundHandlers(std::ostream& err) {
  auto warner = std::make_shared<Warner>(err);
  host::TReadOptions options;
  options.Unpublished = [warner](const host::TPropInfo& event, void*, const std::string& method) {
    (*warner)(event, method, "the form's class does not publish it; --events prints its calls");
  };
  return options;
}

host::TReadOptions PrintHandlerCalls(std::ostream& out, std::ostream& err) {
  auto warner = std::make_shared<Warner>(err);
  host::TReadOptions options;
  options.Unpublished = [warner, &out](const host::TPropInfo& event, void* field,
                                       const std::string& method) {
    const auto it = Stubs().find(event.EventType);
    if (it == Stubs().end())
      (*warner)(event, method, "kxview cannot print calls of this kind of event");
    else
      it->second(field, method, out);
  };
  return options;
}

}  // namespace kxview
