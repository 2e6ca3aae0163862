#include "reports/engine/RowExpansion.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "model/TextUtils.h"

namespace orvela {

namespace {

constexpr int kNone = -1;

constexpr int kGone = -2;  // `prev` of a piece no longer in the text

// Part of the text that holds "/" as its first character or not at all. Kept small: the
// text of a long report is hundreds of thousands of pieces.
struct Piece {
  const char* data;
  std::uint32_t size;
  int prev = kNone;
  int next = kNone;
  // Marks of the pass that last looked at the piece: it starts a match of that pass,
  // closed by the "/" of `closing`; or its own "/" closes one.
  int closing = kNone;
  unsigned startsIn = 0;
  unsigned closesIn = 0;
};

// The longest piece; a longer run without "/" becomes several pieces.
constexpr std::size_t kMaxPiece = std::size_t{1} << 30;

// `text` cut before every "/".
std::vector<std::string_view> CutAtSlashes(std::string_view text) {
  std::vector<std::string_view> parts;
  std::size_t from = 0;
  while (from < text.size()) {
    const std::size_t slash = text.find('/', from + 1);
    const std::size_t end = std::min(slash == std::string_view::npos ? text.size() : slash, from + kMaxPiece);
    parts.push_back(text.substr(from, end - from));
    from = end;
  }
  return parts;
}

class PieceText {
 public:
  PieceText(const std::vector<std::string_view>& placeholders, std::size_t expectedPieces)
      : waiting_(placeholders.size()) {
    pieces_.reserve(expectedPieces);
    for (std::string_view placeholder : placeholders) {
      names_.push_back(placeholder.substr(1, placeholder.size() - 2));
      longest_ = std::max(longest_, names_.back().size());
    }
    segment_.resize(longest_ + 1);
  }

  void append(const std::vector<std::string_view>& parts) { insert(last_, kNone, parts); }

  // Replaces every match of placeholder `k` in the text as it stands with `value`; the
  // text put in is not searched again by this pass.
  void replaceAll(std::size_t k, std::string_view value) {
    ++pass_;
    std::vector<int> starts;
    std::vector<int> waiting;
    waiting.swap(waiting_[k]);
    for (int p : waiting) {
      Piece& piece = at(p);
      if (piece.prev == kGone || piece.startsIn == pass_) continue;
      const int closing = closingOfName(p, k);
      if (closing == kNone) continue;
      piece.startsIn = pass_;
      piece.closing = closing;
      at(closing).closesIn = pass_;
      starts.push_back(p);
    }
    if (starts.empty()) return;
    const std::vector<std::string_view> parts = CutAtSlashes(value);
    // Matches that follow each other share a "/": the scan takes the first, skips the
    // second, takes the third, and so on. Each such run is handled from its first match;
    // runs do not touch each other's text.
    for (int first : starts) {
      if (at(first).closesIn == pass_) continue;
      for (int p = first; p != kNone;) {
        const int closing = at(p).closing;
        int next = kNone;
        if (at(closing).startsIn == pass_) {
          const int after = at(closing).closing;
          if (at(after).startsIn == pass_) next = after;
        }
        replace(p, closing, parts);
        p = next;
      }
    }
  }

  std::string text() const {
    std::string out;
    out.reserve(size_);
    for (int p = first_; p != kNone; p = at(p).next) {
      out.append(at(p).data, at(p).size);
    }
    return out;
  }

 private:
  Piece& at(int p) { return pieces_[static_cast<std::size_t>(p)]; }
  const Piece& at(int p) const { return pieces_[static_cast<std::size_t>(p)]; }
  bool isSlash(int p) const { return at(p).data[0] == '/'; }

  // Links `parts` between `before` and `after` (kNone: the ends) and notes where they
  // may have made a placeholder.
  void insert(int before, int after, const std::vector<std::string_view>& parts) {
    const int lastSlashBefore = slashReaching(before);
    int prev = before;
    const std::size_t firstNew = pieces_.size();
    for (std::string_view part : parts) {
      Piece piece{part.data(), static_cast<std::uint32_t>(part.size())};
      piece.prev = prev;
      pieces_.push_back(piece);
      const int p = static_cast<int>(pieces_.size() - 1);
      link(prev, p);
      prev = p;
      size_ += part.size();
    }
    link(prev, after);
    if (lastSlashBefore != kNone) note(lastSlashBefore);
    for (std::size_t p = firstNew; p < pieces_.size(); ++p) {
      if (isSlash(static_cast<int>(p))) note(static_cast<int>(p));
    }
  }

  void link(int from, int to) {
    if (from == kNone) {
      first_ = to;
    } else {
      at(from).next = to;
    }
    if (to == kNone) {
      last_ = from;
    } else {
      at(to).prev = from;
    }
  }

  void unlink(int p) {
    Piece& piece = at(p);
    link(piece.prev, piece.next);
    piece.prev = kGone;
    size_ -= piece.size;
  }

  // The match at slash piece `start`, closed by the "/" of `closing`, becomes the value.
  void replace(int start, int closing, const std::vector<std::string_view>& parts) {
    const int before = at(start).prev;
    for (int p = start; p != closing;) {
      const int next = at(p).next;
      unlink(p);
      p = next;
    }
    int after = closing;
    if (at(closing).size == 1) {
      after = at(closing).next;
      unlink(closing);
    } else {
      ++at(closing).data;
      --at(closing).size;
      --size_;
    }
    insert(before, after, parts);
  }

  // The slash piece whose text runs up to the end of piece `p`, if that text is still
  // short enough to become part of a placeholder.
  int slashReaching(int p) const {
    std::size_t length = 0;
    for (; p != kNone; p = at(p).prev) {
      if (isSlash(p)) return length + at(p).size - 1 <= longest_ ? p : kNone;
      length += at(p).size;
      if (length > longest_) return kNone;
    }
    return kNone;
  }

  // The text from after the "/" of `slash` up to the next "/" into segment_; the piece of
  // that next "/", or kNone when there is none or the text is longer than any name.
  int readSegment(int slash, std::size_t& length) {
    length = 0;
    for (int p = slash; p != kNone; p = at(p).next) {
      const Piece& piece = at(p);
      const std::size_t skip = p == slash ? 1 : 0;
      if (p != slash && isSlash(p)) return p;
      if (length + piece.size - skip > longest_) return kNone;
      std::memcpy(segment_.data() + length, piece.data + skip, piece.size - skip);
      length += piece.size - skip;
    }
    return kNone;
  }

  // Registers slash piece `slash` with every placeholder it starts now.
  void note(int slash) {
    std::size_t length = 0;
    if (readSegment(slash, length) == kNone) return;
    const std::string_view segment(segment_.data(), length);
    for (std::size_t k = 0; k < names_.size(); ++k) {
      if (EqualsNoCase(segment, names_[k])) waiting_[k].push_back(slash);
    }
  }

  // The piece whose "/" closes placeholder `k` starting at `slash`, or kNone.
  int closingOfName(int slash, std::size_t k) {
    std::size_t length = 0;
    const int closing = readSegment(slash, length);
    if (closing == kNone || !EqualsNoCase(std::string_view(segment_.data(), length), names_[k])) return kNone;
    return closing;
  }

  std::vector<std::string_view> names_;
  std::size_t longest_ = 0;
  std::vector<Piece> pieces_;
  int first_ = kNone;
  int last_ = kNone;
  std::size_t size_ = 0;
  unsigned pass_ = 0;
  std::vector<std::vector<int>> waiting_;  // per placeholder: slash pieces that may start it
  std::vector<char> segment_;
};

}  // namespace

std::string ExpandRows(std::string_view body, const std::vector<std::string_view>& placeholders,
                       const ReportRows& rows) {
  if (rows.empty()) return std::string(body);
  const std::vector<std::string_view> bodyParts = CutAtSlashes(body);
  // Each copy of the body and each value put in; values are mostly single pieces.
  PieceText text(placeholders, rows.size() * (bodyParts.size() + placeholders.size()));
  text.append(bodyParts);
  for (std::size_t r = 0; r < rows.size(); ++r) {
    for (std::size_t k = 0; k < placeholders.size(); ++k) text.replaceAll(k, rows[r][k]);
    if (r + 1 < rows.size()) text.append(bodyParts);
  }
  return text.text();
}

}  // namespace orvela
