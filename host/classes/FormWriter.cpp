// Writing form files: the root, then each child nested under its parent in
// creation order, properties in declaration order, leaving out exactly those
// that hold their declared default.
#include <charconv>
#include <cstdio>

#include "host/base/ColorNames.h"
#include "host/classes/FormParser.h"
#include "host/classes/Streaming.h"
#include "host/classes/Streams.h"
#include "host/classes/TypInfo.h"

namespace host {

namespace {

// A string as quoted parts and #n codes for control characters; every other
// byte (UTF-8 included) is written as it is, so any byte string comes back.
void AppendString(std::string& out, std::string_view s) {
  bool quoted = false;
  for (char ch : s) {
    const auto c = static_cast<unsigned char>(ch);
    if (c < 0x20 || c == 0x7F) {
      if (quoted) out += '\'';
      quoted = false;
      out += '#';
      out += std::to_string(c);
      continue;
    }
    if (!quoted) out += '\'';
    quoted = true;
    out += ch;
    if (ch == '\'') out += '\'';
  }
  if (quoted) out += '\'';
  if (s.empty()) out += "''";
}

// Bytes that are not valid UTF-8 would make the file unreadable as text, so
// such a string is written entirely in #n codes.
void AppendStringValue(std::string& out, std::string_view s) {
  if (InvalidUtf8Offset(s) == std::string_view::npos) {
    AppendString(out, s);
    return;
  }
  for (char ch : s) {
    out += '#';
    out += std::to_string(static_cast<unsigned char>(ch));
  }
}

std::string Hex32(uint32_t v) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "$%08X", v);
  return buf;
}

class FormWriter {
 public:
  explicit FormWriter(TComponent* root, std::string_view rootClass = {})
      : root_(root), root_class_(rootClass) {}

  std::string Write() {
    Object(root_, 0);
    return std::move(out_);
  }

  std::string WriteValue(TObject* obj, const TPropInfo& p) {
    Value(obj, p, 0);
    return std::move(out_);
  }

 private:
  void Indent(int depth) { out_.append(static_cast<size_t>(depth) * 2, ' '); }

  void Object(TComponent* c, int depth) {
    Indent(depth);
    out_ += "object ";
    if (!c->Name().empty()) {
      out_ += c->Name();
      out_ += ": ";
    }
    if (c == root_ && !root_class_.empty())
      out_ += root_class_;
    else
      out_ += c->ClassName();
    out_ += '\n';
    Properties(c, "", depth + 1);
    c->GetChildren([&](TComponent* child) { Object(child, depth + 1); }, root_);
    Indent(depth);
    out_ += "end\n";
  }

  void Properties(TObject* obj, const std::string& prefix, int depth) {
    const TPublished* table = obj->Published();
    if (!table) return;
    for (const TPropInfo& p : table->Properties()) {
      if (p.Kind == tkClass) {
        if (TObject* sub = p.Stored ? p.GetObject(obj) : nullptr)
          Properties(sub, prefix + p.Name + ".", depth);
        continue;
      }
      if (!p.IsStoredValue(obj)) continue;
      if (p.Kind == tkComponent && ReferenceName(p.GetObject(obj)).empty()) continue;
      Indent(depth);
      out_ += prefix;
      out_ += p.Name;
      out_ += " = ";
      Value(obj, p, depth);
      out_ += '\n';
    }
  }

  void Value(TObject* obj, const TPropInfo& p, int depth) {
    switch (p.Kind) {
      case tkInteger:
      case tkCardinal:
        out_ += std::to_string(p.GetOrd(obj));
        break;
      case tkBoolean:
        out_ += p.GetOrd(obj) ? "True" : "False";
        break;
      case tkEnumeration:
        out_ += p.EnumType->Name(static_cast<int>(p.GetOrd(obj)));
        break;
      case tkSet:
        out_ += FormSetText(*p.EnumType, static_cast<uint64_t>(p.GetOrd(obj)));
        break;
      case tkColor: {
        const auto color = static_cast<TColor>(p.GetOrd(obj));
        if (auto name = ColorToIdent(color))
          out_ += *name;
        else
          out_ += Hex32(static_cast<uint32_t>(color));
        break;
      }
      case tkFloat: {
        char buf[64];
        const auto r = std::to_chars(buf, buf + sizeof buf, p.GetFloat(obj));
        out_.append(buf, r.ptr);
        break;
      }
      case tkString:
        AppendStringValue(out_, p.GetStr(obj));
        break;
      case tkStrings: {
        const auto* list = static_cast<const TStrings*>(p.GetObject(obj));
        out_ += '(';
        for (int i = 0; i < list->Count(); ++i) {
          out_ += '\n';
          Indent(depth + 1);
          AppendStringValue(out_, list->Strings(i));
        }
        out_ += ')';
        break;
      }
      case tkComponent:
        out_ += ReferenceName(p.GetObject(obj));
        break;
      case tkMethod:
        out_ += p.GetStr(obj);
        break;
      case tkBinary: {
        static constexpr char kHex[] = "0123456789ABCDEF";
        const std::vector<uint8_t> bytes = p.GetBinary(obj);
        out_ += '{';
        for (size_t i = 0; i < bytes.size(); ++i) {
          if (i % 32 == 0) {
            out_ += '\n';
            Indent(depth + 1);
          }
          out_ += kHex[bytes[i] >> 4];
          out_ += kHex[bytes[i] & 15];
        }
        out_ += '}';
        break;
      }
      case tkClass:
        break;
    }
  }

  // A component of this form by its name; one of another form as
  // Owner.Name; nothing for an unnamed one (it cannot be found again).
  std::string ReferenceName(TObject* obj) const {
    auto* c = static_cast<TComponent*>(obj);
    if (!c || c->Name().empty()) return "";
    if (c == root_ || c->Owner() == root_) return c->Name();
    if (c->Owner() && !c->Owner()->Name().empty()) return c->Owner()->Name() + "." + c->Name();
    return "";
  }

  TComponent* root_;
  std::string_view root_class_;  // written for the root in place of its own class, if given
  std::string out_;
};

}  // namespace

std::string WriteForm(TComponent* root, std::string_view rootClass) {
  return FormWriter(root, rootClass).Write();
}

std::string FormStringText(std::string_view s) {
  std::string text;
  AppendStringValue(text, s);
  return text;
}

std::string FormSetText(const TEnumInfo& enumInfo, uint64_t bits) {
  std::string text = "[";
  for (int i = 0; i < 64; ++i) {
    if (!(bits >> i & 1)) continue;
    if (text.size() > 1) text += ", ";
    text += enumInfo.Name(i);
  }
  return text + ']';
}

std::string WritePropertyValue(TComponent* root, TComponent* component, std::string_view name) {
  TObject* obj = component;
  for (;;) {
    const size_t dot = name.find('.');
    const std::string_view part = name.substr(0, dot);
    const TPublished* table = obj->Published();
    const TPropInfo* info = table ? table->Find(part) : nullptr;
    const bool last = dot == std::string_view::npos;
    // A sub-object is a step of the name, never its end.
    if (!info || (info->Kind == tkClass) == last)
      throw EReadError("expected a published property of " + obj->ClassName() + ", found '" +
                       std::string(name) + "'");
    if (last) return FormWriter(root).WriteValue(obj, *info);
    obj = info->GetObject(obj);
    if (!obj) throw EReadError(info->Name + " is not assigned");
    name = name.substr(dot + 1);
  }
}

void WriteFormFile(TComponent* root, const std::string& path, std::string_view rootClass) {
  const std::string text = WriteForm(root, rootClass);
  TFileStream file(path, fmCreate);
  file.WriteBuffer(text.data(), static_cast<int64_t>(text.size()));
}

}  // namespace host
