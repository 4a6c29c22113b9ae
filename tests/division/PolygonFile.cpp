#include "tests/division/PolygonFile.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace {

class Parser {
 public:
  Parser(std::string text, std::string path) : text_(std::move(text)), path_(std::move(path)) {}

  std::vector<NamedPolygon> File() {
    std::vector<NamedPolygon> polygons;
    Expect('{');
    if (Peek() == '}') return ++pos_, polygons;
    do {
      NamedPolygon p;
      p.name = String();
      Expect(':');
      Expect('[');
      do {
        Expect('[');
        TAcadPoint v;
        v.x = Number();
        Expect(',');
        v.y = Number();
        Expect(']');
        p.points.push_back(v);
      } while (Accept(','));
      Expect(']');
      polygons.push_back(std::move(p));
    } while (Accept(','));
    Expect('}');
    return polygons;
  }

 private:
  char Peek() {
    while (pos_ < text_.size() && std::isspace(static_cast<unsigned char>(text_[pos_]))) ++pos_;
    return pos_ < text_.size() ? text_[pos_] : '\0';
  }
  bool Accept(char c) { return Peek() == c ? (++pos_, true) : false; }
  void Expect(char c) {
    if (!Accept(c)) Fail(std::string("expected '") + c + "'");
  }
  std::string String() {
    Expect('"');
    const std::size_t end = text_.find('"', pos_);
    if (end == std::string::npos) Fail("unterminated name");
    std::string s = text_.substr(pos_, end - pos_);
    pos_ = end + 1;
    return s;
  }
  long double Number() {
    Peek();
    long double v = 0;
    const char* first = text_.data() + pos_;
    const auto [ptr, ec] = std::from_chars(first, text_.data() + text_.size(), v);
    if (ec != std::errc()) Fail("expected a number");
    pos_ += static_cast<std::size_t>(ptr - first);
    return v;
  }
  [[noreturn]] void Fail(const std::string& what) {
    throw std::runtime_error(path_ + ": " + what + " at offset " + std::to_string(pos_));
  }

  std::string text_;
  std::string path_;
  std::size_t pos_ = 0;
};

}  // namespace

std::vector<NamedPolygon> ReadPolygonFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error(path + ": cannot be read");
  std::ostringstream text;
  text << in.rdbuf();
  return Parser(text.str(), path).File();
}

double ViewSizeFor(const std::vector<TAcadPoint>& polygon) {
  auto [minX, maxX] = std::minmax_element(polygon.begin(), polygon.end(),
                                          [](auto& a, auto& b) { return a.x < b.x; });
  auto [minY, maxY] = std::minmax_element(polygon.begin(), polygon.end(),
                                          [](auto& a, auto& b) { return a.y < b.y; });
  return static_cast<double>(std::max(maxX->x - minX->x, maxY->y - minY->y));
}

#ifdef VELSAROM_TEST_DATA
std::string TestDataPath(const std::string& relative) {
  return std::string(VELSAROM_TEST_DATA) + "/" + relative;
}
#endif
