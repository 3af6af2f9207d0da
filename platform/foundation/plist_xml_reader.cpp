#include "platform/foundation/plist_xml_reader.h"

#include <string>
#include <vector>

#include "platform/foundation/plist_xml_scalars.h"

namespace platform {

namespace {

bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }
bool isNameChar(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' || c == ':' ||
         c == '.' || c == '-';
}

struct Tag {
  std::string_view name;
  bool closing = false;
  bool empty = false;  // <name/>
};

class XmlPlistReader {
 public:
  XmlPlistReader(std::string_view text, int maxDepth) : text_(text), maxDepth_(maxDepth) {}

  std::optional<PlistValue> read() {
    if (text_.substr(0, 3) == "\xEF\xBB\xBF") pos_ = 3;
    while (skipMarkupAndSpace()) {
      auto tag = readTag();
      if (!tag || !handle(*tag)) return std::nullopt;
    }
    if (failed_ || !stack_.empty() || !root_ || (insidePlist_ && !plistClosed_)) return std::nullopt;
    return std::move(root_);
  }

 private:
  struct Container {
    PlistValue value;  // a PlistArray or a PlistDict
    std::optional<std::string> key;  // a dictionary's key still waiting for its value
  };

  // Skips whitespace, comments, processing instructions and declarations; true when a tag follows.
  bool skipMarkupAndSpace() {
    for (;;) {
      while (pos_ < text_.size() && isSpace(text_[pos_])) ++pos_;
      if (pos_ >= text_.size()) return false;
      if (text_[pos_] != '<') return fail();  // text outside any leaf element
      std::string_view rest = text_.substr(pos_);
      if (rest.starts_with("<!--")) {
        if (!skipPast("-->", 4)) return false;
      } else if (rest.starts_with("<?")) {
        if (!skipPast("?>", 2)) return false;
      } else if (rest.starts_with("<!")) {
        if (!skipDeclaration()) return false;
      } else {
        return true;
      }
    }
  }

  bool skipPast(std::string_view end, std::size_t from) {
    std::size_t at = text_.find(end, pos_ + from);
    if (at == std::string_view::npos) return fail();
    pos_ = at + end.size();
    return true;
  }

  // <!DOCTYPE ...> with an optional internal subset in brackets.
  bool skipDeclaration() {
    std::size_t i = pos_ + 2;
    int brackets = 0;
    for (; i < text_.size(); ++i) {
      char c = text_[i];
      if (c == '[') ++brackets;
      else if (c == ']' && brackets > 0) --brackets;
      else if (c == '>' && brackets == 0) break;
    }
    if (i >= text_.size()) return fail();
    pos_ = i + 1;
    return true;
  }

  std::optional<Tag> readTag() {
    Tag tag;
    std::size_t i = pos_ + 1;
    if (i < text_.size() && text_[i] == '/') {
      tag.closing = true;
      ++i;
    }
    std::size_t nameStart = i;
    while (i < text_.size() && isNameChar(text_[i])) ++i;
    tag.name = text_.substr(nameStart, i - nameStart);
    if (tag.name.empty()) return failTag();
    // Attributes are allowed (plist version="1.0") and ignored; quoted values may hold '>'.
    char quote = 0;
    for (; i < text_.size(); ++i) {
      char c = text_[i];
      if (quote) {
        if (c == quote) quote = 0;
      } else if (c == '"' || c == '\'') {
        if (tag.closing) return failTag();
        quote = c;
      } else if (c == '>') {
        break;
      }
    }
    if (i >= text_.size()) return failTag();
    tag.empty = !tag.closing && text_[i - 1] == '/';
    pos_ = i + 1;
    return tag;
  }

  bool handle(const Tag& tag) {
    if (tag.name == "plist") return plistTag(tag);
    if (tag.closing) return closeContainer(tag.name);
    if (tag.name == "dict" || tag.name == "array") {
      PlistValue container = tag.name == "dict" ? PlistValue(PlistDict{}) : PlistValue(PlistArray{});
      if (tag.empty) return attach(std::move(container));
      if (static_cast<int>(stack_.size()) > maxDepth_) return fail();
      stack_.push_back({std::move(container), std::nullopt});
      return true;
    }
    if (tag.name == "true" || tag.name == "false") {
      if (!tag.empty) {
        std::string_view inside = leafTextView(tag.name);
        if (failed_) return false;
        for (char c : inside)
          if (!isSpace(c)) return fail();
      }
      return attach(PlistValue(tag.name == "true"));
    }
    std::string_view raw = tag.empty ? std::string_view() : leafTextView(tag.name);
    if (failed_) return false;
    if (tag.name == "key") {
      if (stack_.empty() || !stack_.back().value.asDict() || stack_.back().key) return fail();
      std::string key;
      if (!decode(key, raw)) return false;
      stack_.back().key = std::move(key);
      return true;
    }
    if (tag.name == "string") {
      std::string s;
      if (!decode(s, raw)) return false;
      return attach(PlistValue(std::move(s)));
    }
    if (tag.name == "integer") return attachIf(xmlplist::integerFromText(raw));
    if (tag.name == "real") return attachIf(xmlplist::realFromText(raw));
    if (tag.name == "date") return attachIf(xmlplist::dateFromText(raw));
    if (tag.name == "data") return attachIf(xmlplist::dataFromText(raw));
    return fail();  // not an element of a property list
  }

  bool plistTag(const Tag& tag) {
    if (tag.closing) {
      if (!insidePlist_ || plistClosed_ || !stack_.empty()) return fail();
      plistClosed_ = true;
      return true;
    }
    if (insidePlist_ || root_ || !stack_.empty() || tag.empty) return fail();
    insidePlist_ = true;
    return true;
  }

  bool closeContainer(std::string_view name) {
    if (stack_.empty()) return fail();
    Container& top = stack_.back();
    const bool isDict = top.value.asDict() != nullptr;
    if (name != (isDict ? "dict" : "array") || top.key) return fail();
    PlistValue done = std::move(top.value);
    stack_.pop_back();
    return attach(std::move(done));
  }

  // The text of a leaf element up to its closing tag, references still to be decoded. A plain leaf is a
  // view into the file; one with CDATA sections or comments is gathered into `mixed_`, CDATA escaped so
  // that decoding gives it back unchanged.
  std::string_view leafTextView(std::string_view name) {
    std::size_t end = text_.find('<', pos_);
    if (end == std::string_view::npos) return failView();
    std::string_view plain = text_.substr(pos_, end - pos_);
    pos_ = end;
    if (closesHere(name)) return plain;
    // Mixed content: gather text, CDATA (marked so it is not decoded twice) and skip comments.
    mixed_.assign(plain);
    while (pos_ < text_.size()) {
      std::string_view rest = text_.substr(pos_);
      if (rest.starts_with("<![CDATA[")) {
        std::size_t close = text_.find("]]>", pos_ + 9);
        if (close == std::string_view::npos) return failView();
        // Escape what decoding would otherwise read as references.
        for (char c : text_.substr(pos_ + 9, close - pos_ - 9)) {
          if (c == '&') mixed_ += "&amp;";
          else mixed_ += c;
        }
        pos_ = close + 3;
      } else if (rest.starts_with("<!--")) {
        if (!skipPast("-->", 4)) return {};
      } else if (closesHere(name)) {
        return mixed_;
      } else if (rest.front() == '<') {
        return failView();  // an element inside a leaf
      } else {
        std::size_t next = text_.find('<', pos_);
        if (next == std::string_view::npos) return failView();
        mixed_.append(text_.substr(pos_, next - pos_));
        pos_ = next;
      }
    }
    return failView();
  }

  // Consumes </name> (with optional whitespace before '>') when it is next.
  bool closesHere(std::string_view name) {
    std::string_view rest = text_.substr(pos_);
    if (!rest.starts_with("</") || rest.substr(2, name.size()) != name) return false;
    std::size_t i = 2 + name.size();
    while (i < rest.size() && isSpace(rest[i])) ++i;
    if (i >= rest.size() || rest[i] != '>') return false;
    pos_ += i + 1;
    return true;
  }

  bool decode(std::string& out, std::string_view raw) {
    return xmlplist::appendDecodedText(out, raw) || fail();
  }

  template <typename T>
  bool attachIf(std::optional<T> value) {
    return value ? attach(PlistValue(std::move(*value))) : fail();
  }

  bool attach(PlistValue value) {
    if (static_cast<int>(stack_.size()) > maxDepth_) return fail();
    if (stack_.empty()) {
      if (root_ || (insidePlist_ && plistClosed_)) return fail();  // one top-level value only
      root_ = std::move(value);
      return true;
    }
    Container& top = stack_.back();
    if (auto* array = std::get_if<PlistArray>(&top.value.storage)) {
      array->push_back(std::move(value));
      return true;
    }
    if (!top.key) return fail();  // a value without its key
    std::get<PlistDict>(top.value.storage).set(std::move(*top.key), std::move(value));
    top.key.reset();
    return true;
  }

  bool fail() {
    failed_ = true;
    return false;
  }
  std::optional<Tag> failTag() {
    failed_ = true;
    return std::nullopt;
  }
  std::string_view failView() {
    failed_ = true;
    return {};
  }

  std::string_view text_;
  int maxDepth_;
  std::size_t pos_ = 0;
  std::vector<Container> stack_;
  std::optional<PlistValue> root_;
  std::string mixed_;
  bool insidePlist_ = false;
  bool plistClosed_ = false;
  bool failed_ = false;
};

}  // namespace

std::optional<PlistValue> readXmlPlist(std::string_view text, int maxDepth) {
  return XmlPlistReader(text, maxDepth).read();
}

}  // namespace platform
