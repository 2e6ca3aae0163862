#include "RtfReader.h"

#include <algorithm>
#include <array>
#include <iterator>
#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "CodePage.h"
#include "CodePageTables.h"
#include "DocumentBuilder.h"
#include "RtfKeywords.h"
#include "RtfTokenizer.h"
#include "model/Cp1252.h"

namespace orvela::rtf {
namespace {

// Deeper groups still count for the braces but share the state of the deepest one, so
// hostile nesting costs no memory.
constexpr std::size_t kMaxGroupDepth = 2000;
constexpr int kMaxTableLevel = 64;
constexpr int kMaxUnicodeSkip = 16;
constexpr std::size_t kMaxFieldDepth = 8;
constexpr std::size_t kMaxFieldText = 256;
// A date picture is kept short enough that the instruction written for it (name, switch,
// quotes) is read back whole within kMaxFieldText.
constexpr std::size_t kMaxFieldPicture = kMaxFieldText - 16;
constexpr int kMinPaperTwips = 1440;
constexpr int kMinTextAreaTwips = 720;
constexpr int kMaxBorderWidth = 720;
constexpr std::size_t kMaxTabStops = 64;

enum class Dest : std::uint8_t {
  Body, Skip, FontTable, ColorTable, StyleSheet, Pict, Pn, ListTable, ListOverrideTable,
  DefChp, DefPap, Upr, ShapeProperty, ShapePropertyName, FieldInstruction,
};

struct CharState {
  int font = -1;  // -1: the document's default font
  int halfPoints = 24;
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool strikeOut = false;
  int color = 0;
  int background = 0;
  VerticalPosition position = VerticalPosition::Normal;
  bool hidden = false;
  bool operator==(const CharState&) const = default;
};

struct ParaState {
  ParagraphFormat format;
  int listOverride = -1;  // \ls
  bool inTable = false;
  int tableLevel = 0;  // \itap
  TabAlignment nextTab = TabAlignment::Left;  // for the next \tx
};

struct State {
  Dest dest = Dest::Body;
  Dest uprOuter = Dest::Body;
  CharState chars;
  ParaState para;
  int unicodeSkip = 1;
  int styleKey = -1;  // inside the style sheet: the style this group defines
  bool listGroup = false;
  bool fieldGroup = false;   // this group opened a field
  bool fieldResult = false;  // text goes to the result of the innermost field
  std::int8_t story = -1;    // -1: the body; else the header or footer part being read
};

struct Font {
  std::string name;
  int codePage = 0;
};

struct Style {
  CharState chars;
  ParaState para;
};

int Clamp(int value, int low, int high) { return std::clamp(value, low, high); }

int PageSetup::* const kPageValues[] = {
    &PageSetup::paperWidth, &PageSetup::paperHeight, &PageSetup::marginLeft,
    &PageSetup::marginRight, &PageSetup::marginTop, &PageSetup::marginBottom,
    &PageSetup::headerDistance, &PageSetup::footerDistance,
};

// The kind of a field from its instruction ("PAGE", " DATE \@ "dd.MM.yyyy" "), and the
// picture of a date or time.
FieldKind ParseField(std::string_view instruction, std::string& picture) {
  const auto start = instruction.find_first_not_of(" \t");
  if (start == std::string_view::npos) return FieldKind::None;
  const auto end = instruction.find_first_of(" \t\\", start);
  std::string name(instruction.substr(start, end == std::string_view::npos ? end : end - start));
  for (char& c : name) c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
  static constexpr std::pair<std::string_view, FieldKind> kKinds[] = {
      {"PAGE", FieldKind::Page}, {"NUMPAGES", FieldKind::NumPages},
      {"DATE", FieldKind::Date}, {"TIME", FieldKind::Time}};
  FieldKind kind = FieldKind::None;
  for (const auto& entry : kKinds) {
    if (entry.first == name) kind = entry.second;
  }
  picture.clear();
  if (kind != FieldKind::Date && kind != FieldKind::Time) return kind;
  const auto at = instruction.find("\\@");
  if (at == std::string_view::npos) return kind;
  auto from = instruction.find_first_not_of(' ', at + 2);
  if (from == std::string_view::npos) return kind;
  if (instruction[from] == '"') {
    const auto close = instruction.find('"', from + 1);
    picture = instruction.substr(from + 1, close == std::string_view::npos ? close : close - from - 1);
  } else {
    const auto close = instruction.find(' ', from);
    picture = instruction.substr(from, close == std::string_view::npos ? close : close - from);
  }
  // Control characters are no part of a picture (and would not survive writing).
  std::erase_if(picture, [](char c) { return static_cast<unsigned char>(c) < 0x20; });
  if (picture.size() > kMaxFieldPicture) {
    // Cut before the character the limit falls into (the text is UTF-8).
    std::size_t cut = kMaxFieldPicture;
    while (cut > 0 && (static_cast<unsigned char>(picture[cut]) & 0xC0) == 0x80) --cut;
    picture.resize(cut);
  }
  return kind;
}

ListStyle ListStyleOfNfc(int nfc) {
  switch (nfc) {
    case 1: return ListStyle::UpperRoman;
    case 2: return ListStyle::LowerRoman;
    case 3: return ListStyle::UpperAlpha;
    case 4: return ListStyle::LowerAlpha;
    case 23: return ListStyle::Bullet;
    case 255: return ListStyle::None;
    default: return ListStyle::Decimal;
  }
}

bool KnownCodePage(int codePage) {
  return codePage == 1252 || codePage == 10000 || UpperHalfOf(codePage) != nullptr ||
         IsDoubleByteCodePage(codePage);
}

class Reader {
 public:
  explicit Reader(std::string_view input) : tokenizer_(input) { stack_.emplace_back(); }

  Document Read() {
    while (!finished_) {
      const Token token = tokenizer_.Next();
      if (token.kind == Token::Kind::End) break;
      const bool star = starPending_;
      starPending_ = false;
      switch (token.kind) {
        case Token::Kind::GroupOpen: OpenGroup(); break;
        case Token::Kind::GroupClose: CloseGroup(); break;
        case Token::Kind::ControlWord: Word(token, star); break;
        case Token::Kind::ControlSymbol: Symbol(token.symbol); break;
        case Token::Kind::Hex: HexByte(token.byte); break;
        case Token::Kind::Binary: Binary(token.text); break;
        case Token::Kind::Text: Text(token.text); break;
        case Token::Kind::End: break;
      }
    }
    FlushLeadByte();
    const ParaState& last = finished_ ? finalPara_ : Top().para;
    if (mainBuilder_) CloseStory(story_, last);  // cut off inside a header or footer
    Document document = builder_.Finish(Resolved(last), Depth(last));
    if (pageGiven_) document.page = Page();
    document.headersFooters = std::move(headersFooters_);
    return document;
  }

 private:
  State& Top() { return stack_.back(); }

  void OpenGroup() {
    FlushLeadByte();
    unicodeSkipLeft_ = 0;
    if (stack_.size() >= kMaxGroupDepth) {
      ++phantomDepth_;
      return;
    }
    stack_.push_back(Top());
    Top().styleKey = -1;
    Top().listGroup = false;
    Top().fieldGroup = false;
  }

  void CloseGroup() {
    FlushLeadByte();
    unicodeSkipLeft_ = 0;
    if (phantomDepth_ > 0) {
      --phantomDepth_;
      return;
    }
    if (stack_.size() <= 1) return;  // a stray brace before the document
    State popped = stack_.back();
    stack_.pop_back();
    AfterGroup(popped);
    if (stack_.size() == 1) {
      finalPara_ = popped.para;
      finished_ = true;
    }
  }

  void AfterGroup(const State& popped) {
    State& top = Top();
    switch (popped.dest) {
      case Dest::FontTable: CommitFont(); break;
      case Dest::StyleSheet:
        if (popped.styleKey >= 0) styles_[popped.styleKey] = Style{popped.chars, popped.para};
        break;
      case Dest::Pict:
        if (top.dest != Dest::Pict) FinishPicture();
        break;
      case Dest::Pn:
        if (top.dest != Dest::Pn) ApplyPn(top.para);
        break;
      case Dest::DefChp:
        if (top.dest != Dest::DefChp) defaultChars_ = top.chars = popped.chars;
        break;
      case Dest::DefPap:
        if (top.dest != Dest::DefPap) defaultPara_ = top.para = popped.para;
        break;
      default: break;
    }
    if (popped.listGroup) lists_[currentList_.id] = currentList_.levels;
    // An empty result still gives the field its format.
    if (popped.fieldResult && !fields_.empty() && !fields_.back().chars) fields_.back().chars = popped.chars;
    if (popped.fieldGroup) EndField(popped);
    if (popped.story >= 0 && top.story < 0) CloseStory(popped.story, popped.para);
  }

  void EnterDestination(Keyword keyword, std::uint8_t index) {
    State& s = Top();
    switch (keyword) {
      case Keyword::FontTable:
        s.dest = Dest::FontTable;
        pendingFont_ = PendingFont{};
        break;
      case Keyword::ColorTable:
        s.dest = Dest::ColorTable;
        colors_.clear();
        color_ = PendingColor{};
        break;
      case Keyword::StyleSheet:
        s.dest = Dest::StyleSheet;
        s.chars = defaultChars_;
        s.para = defaultPara_;
        break;
      case Keyword::Pict:
        s.dest = Dest::Pict;
        picture_ = PendingPicture{};
        break;
      case Keyword::Pn:
        s.dest = Dest::Pn;
        pn_ = PendingPn{};
        break;
      case Keyword::ListTable: s.dest = Dest::ListTable; break;
      case Keyword::ListOverrideTable: s.dest = Dest::ListOverrideTable; break;
      case Keyword::DefChp: s.dest = Dest::DefChp; break;
      case Keyword::DefPap: s.dest = Dest::DefPap; break;
      case Keyword::Upr:
        s.uprOuter = s.dest;
        s.dest = Dest::Upr;
        break;
      case Keyword::Ud: s.dest = s.uprOuter; break;
      case Keyword::ShapeProperty:
        s.dest = Dest::ShapeProperty;
        shapePropertyName_.clear();
        break;
      case Keyword::ShapePropertyName:
        s.dest = s.dest == Dest::ShapeProperty ? Dest::ShapePropertyName : Dest::Skip;
        break;
      case Keyword::ShapePropertyValue:
        // The picture of a picture frame; other values are settings, not content.
        s.dest = s.dest == Dest::ShapeProperty && shapePropertyName_ == "pib" ? Dest::Body : Dest::Skip;
        break;
      case Keyword::BodyDestination: break;
      case Keyword::HeaderFooter: OpenStory(s, index); break;
      case Keyword::FieldInstruction:
        if (s.dest == Dest::Body && !fields_.empty()) {
          s.dest = Dest::FieldInstruction;
        } else {
          s.dest = Dest::Skip;
        }
        break;
      case Keyword::FieldResult:
        // Page numbers, page counts and dates are kept as fields; other fields show their result.
        if (!fields_.empty()) {
          PendingField& field = fields_.back();
          field.kind = ParseField(field.instruction, field.picture);
          field.resultSeen = true;
          s.fieldResult = field.kind != FieldKind::None;
        }
        break;
      default: s.dest = Dest::Skip; break;
    }
  }

  static bool IsDestination(Keyword k) {
    return k <= Keyword::SkipDestination && k != Keyword::Unknown;
  }

  void Word(const Token& token, bool star) {
    FlushLeadByte();
    if (unicodeSkipLeft_ > 0) {
      --unicodeSkipLeft_;
      return;
    }
    State& s = Top();
    if (s.dest == Dest::Skip) return;
    const KeywordInfo info = LookUpKeyword(token.text);
    // Word hides character styles behind \* so that old readers skip them.
    if (star && !(s.dest == Dest::StyleSheet && info.keyword == Keyword::Cs)) {
      if (IsDestination(info.keyword) && info.keyword != Keyword::SkipDestination) {
        EnterDestination(info.keyword, info.index);
      } else {
        s.dest = Dest::Skip;
      }
      return;
    }
    if (IsDestination(info.keyword)) {
      EnterDestination(info.keyword, info.index);
      return;
    }
    const ControlWord word{token, info, token.parameter, !token.hasParameter || token.parameter != 0};
    switch (info.keyword) {
      case Keyword::Ansi: case Keyword::Mac: case Keyword::Pc: case Keyword::Pca: case Keyword::AnsiCpg:
      case Keyword::Deff: case Keyword::Uc: case Keyword::U:
        DocumentWord(s, word);
        break;
      case Keyword::F: case Keyword::FCharset: case Keyword::Cpg: case Keyword::Red: case Keyword::Green:
      case Keyword::Blue:
        FontTableWord(s, word);
        break;
      case Keyword::Unknown: case Keyword::Plain: case Keyword::Fs: case Keyword::B: case Keyword::I:
      case Keyword::Ul: case Keyword::UlNone: case Keyword::Strike: case Keyword::Cf: case Keyword::Background:
      case Keyword::Super: case Keyword::Sub: case Keyword::NoSuperSub: case Keyword::Hidden: case Keyword::Cs:
        CharacterWord(s, word);
        break;
      case Keyword::Pard: case Keyword::Ql: case Keyword::Qr: case Keyword::Qc: case Keyword::Qj: case Keyword::Li:
      case Keyword::Ri: case Keyword::Fi: case Keyword::Sb: case Keyword::Sa: case Keyword::PageBb:
      case Keyword::Intbl: case Keyword::Itap: case Keyword::Ls: case Keyword::Ilvl: case Keyword::S:
      case Keyword::OtherStyle: case Keyword::TabAlign: case Keyword::TabPosition: case Keyword::LineSpacing:
      case Keyword::LineSpacingMultiple:
        ParagraphWord(s, word);
        break;
      case Keyword::PnLvlBlt: case Keyword::PnLvlBody: case Keyword::PnLvlCont: case Keyword::PnLvl:
      case Keyword::PnDec: case Keyword::PnUcLtr: case Keyword::PnLcLtr: case Keyword::PnUcRm: case Keyword::PnLcRm:
      case Keyword::List: case Keyword::ListLevel: case Keyword::LevelNfc: case Keyword::ListId:
        ListWord(s, word);
        break;
      case Keyword::Trowd: case Keyword::Trleft: case Keyword::Trgaph: case Keyword::Trrh: case Keyword::Trhdr:
      case Keyword::RowAlign: case Keyword::Cellx: case Keyword::CellMerge: case Keyword::CellVerticalMerge:
      case Keyword::CellVerticalAlign: case Keyword::CellBackground: case Keyword::CellForeground:
      case Keyword::CellShading: case Keyword::CellPaddingValue:
        TableWord(info, s.para, token);
        break;
      case Keyword::CellBorderSide: case Keyword::ParagraphBorderSide: case Keyword::RowBorderSide:
      case Keyword::BorderStyleWord: case Keyword::BorderNone: case Keyword::BorderWidth:
      case Keyword::BorderColor: case Keyword::BorderSpace:
        BorderWord(info, s, token);
        break;
      case Keyword::PageValue: case Keyword::Sectd: case Keyword::TitlePage: case Keyword::FacingPages:
        PageSetupWord(word);
        break;
      case Keyword::Field: case Keyword::Cell: case Keyword::NestCell: case Keyword::Row: case Keyword::NestRow:
      case Keyword::Par: case Keyword::Sect: case Keyword::SbkNone: case Keyword::Page: case Keyword::Character:
        if (s.dest == Dest::Body) BodyWord(s, word);
        break;
      case Keyword::PicW: case Keyword::PicH: case Keyword::PicWGoal: case Keyword::PicHGoal:
      case Keyword::PicScaleX: case Keyword::PicScaleY:
        PictureWord(word);
        break;
      default: break;
    }
  }

  // A control word with what the groups below need of it.
  struct ControlWord {
    const Token& token;
    const KeywordInfo& info;
    int n;    // the parameter
    bool on;  // no parameter, or one other than 0
  };

  // The document's character set, default font and Unicode characters.
  void DocumentWord(State& s, const ControlWord& w) {
    const int n = w.n;
    switch (w.info.keyword) {
      case Keyword::Ansi: docCodePage_ = 1252; break;
      case Keyword::Mac: docCodePage_ = 10000; break;
      case Keyword::Pc: docCodePage_ = 437; break;
      case Keyword::Pca: docCodePage_ = 850; break;
      case Keyword::AnsiCpg: docCodePage_ = KnownCodePage(n) ? n : 1252; break;
      case Keyword::Deff: defaultFont_ = std::max(0, n); break;
      case Keyword::Uc: s.unicodeSkip = Clamp(n, 0, kMaxUnicodeSkip); break;
      case Keyword::U: Unicode(n); break;
      default: break;
    }
  }

  // Entries of the font and colour tables; \f outside the font table picks a font.
  void FontTableWord(State& s, const ControlWord& w) {
    const int n = w.n;
    switch (w.info.keyword) {
      case Keyword::F:
        if (s.dest == Dest::FontTable) {
          CommitFont();
          pendingFont_ = PendingFont{};
          pendingFont_.number = std::max(0, n);
          pendingFont_.active = true;
        } else {
          s.chars.font = std::max(0, n);
        }
        break;
      case Keyword::FCharset:
        if (s.dest == Dest::FontTable) pendingFont_.codePage = CodePageOfCharset(n);
        break;
      case Keyword::Cpg:
        if (s.dest == Dest::FontTable && KnownCodePage(n)) pendingFont_.codePage = n;
        break;
      case Keyword::Red: color_.red = Clamp(n, 0, 255), color_.set = true; break;
      case Keyword::Green: color_.green = Clamp(n, 0, 255), color_.set = true; break;
      case Keyword::Blue: color_.blue = Clamp(n, 0, 255), color_.set = true; break;
      default: break;
    }
  }

  void CharacterWord(State& s, const ControlWord& w) {
    const int n = w.n;
    const bool on = w.on;
    CharState& c = s.chars;
    switch (w.info.keyword) {
      case Keyword::Unknown:
        // \ulw, \uldb, \ulwave … are all underlines; \ulc is the underline's colour.
        if (w.token.text.size() > 2 && w.token.text.substr(0, 2) == "ul" && w.token.text != "ulc")
          c.underline = on;
        break;
      case Keyword::Plain: c = defaultChars_; break;
      case Keyword::Fs:
        c.halfPoints = w.token.hasParameter ? Clamp(n, kMinHalfPoints, kMaxHalfPoints) : 24;
        break;
      case Keyword::B: c.bold = on; break;
      case Keyword::I: c.italic = on; break;
      case Keyword::Ul: c.underline = on; break;
      case Keyword::UlNone: c.underline = false; break;
      case Keyword::Strike: c.strikeOut = on; break;
      case Keyword::Cf: c.color = std::max(0, n); break;
      case Keyword::Background: c.background = std::max(0, n); break;
      case Keyword::Super: c.position = VerticalPosition::Superscript; break;
      case Keyword::Sub: c.position = VerticalPosition::Subscript; break;
      case Keyword::NoSuperSub: c.position = VerticalPosition::Normal; break;
      case Keyword::Hidden: c.hidden = on; break;
      case Keyword::Cs:
        if (s.dest == Dest::StyleSheet) {
          s.styleKey = CharStyleKey(n);
        } else if (const auto it = styles_.find(CharStyleKey(n)); it != styles_.end()) {
          c = it->second.chars;
        }
        break;
      default: break;
    }
  }

  void ParagraphWord(State& s, const ControlWord& w) {
    const int n = w.n;
    ParagraphFormat& p = s.para.format;
    switch (w.info.keyword) {
      case Keyword::Pard:
        s.para = defaultPara_;
        if (borderTarget_ == BorderTarget::Paragraph) borderTarget_ = BorderTarget::None;
        break;
      case Keyword::Ql: p.alignment = Alignment::Left; break;
      case Keyword::Qr: p.alignment = Alignment::Right; break;
      case Keyword::Qc: p.alignment = Alignment::Center; break;
      case Keyword::Qj: p.alignment = Alignment::Justify; break;
      case Keyword::Li: p.leftIndent = Clamp(n, -kMaxTwips, kMaxTwips); break;
      case Keyword::Ri: p.rightIndent = Clamp(n, -kMaxTwips, kMaxTwips); break;
      case Keyword::Fi: p.firstLineIndent = Clamp(n, -kMaxTwips, kMaxTwips); break;
      case Keyword::Sb: p.spaceBefore = Clamp(n, 0, kMaxTwips); break;
      case Keyword::Sa: p.spaceAfter = Clamp(n, 0, kMaxTwips); break;
      case Keyword::PageBb: p.pageBreakBefore = w.on; break;
      case Keyword::Intbl: s.para.inTable = w.on; break;
      case Keyword::Itap: s.para.tableLevel = Clamp(n, 0, kMaxTableLevel); break;
      case Keyword::Ls:
        if (s.dest == Dest::ListOverrideTable) {
          overrides_[n] = overrideListId_;
        } else {
          s.para.listOverride = std::max(0, n);
        }
        break;
      case Keyword::Ilvl: p.listLevel = Clamp(n, 0, kMaxListLevel); break;
      case Keyword::S: ParagraphStyle(s, n); break;
      case Keyword::OtherStyle:
        if (s.dest == Dest::StyleSheet) s.styleKey = -1;
        break;
      case Keyword::TabAlign: s.para.nextTab = static_cast<TabAlignment>(w.info.index); break;
      case Keyword::TabPosition: AddTab(s.para, n); break;
      case Keyword::LineSpacing: p.lineSpacing = Clamp(n, -kMaxTwips, kMaxTwips); break;
      case Keyword::LineSpacingMultiple: p.lineSpacingMultiple = w.on; break;
      default: break;
    }
  }

  // The old paragraph numbering (\pn…) and the list table.
  void ListWord(State& s, const ControlWord& w) {
    const int n = w.n;
    switch (w.info.keyword) {
      case Keyword::PnLvlBlt: pn_.bullet = true; break;
      case Keyword::PnLvlBody: pn_.body = true; break;
      case Keyword::PnLvlCont: pn_.continuation = true; break;
      case Keyword::PnLvl:
        pn_.body = true;
        pn_.level = Clamp(n - 1, 0, kMaxListLevel);
        break;
      case Keyword::PnDec: pn_.Number(ListStyle::Decimal); break;
      case Keyword::PnUcLtr: pn_.Number(ListStyle::UpperAlpha); break;
      case Keyword::PnLcLtr: pn_.Number(ListStyle::LowerAlpha); break;
      case Keyword::PnUcRm: pn_.Number(ListStyle::UpperRoman); break;
      case Keyword::PnLcRm: pn_.Number(ListStyle::LowerRoman); break;
      case Keyword::List:
        if (s.dest == Dest::ListTable) {
          s.listGroup = true;
          currentList_ = PendingList{};
        }
        break;
      case Keyword::ListLevel:
        if (s.dest == Dest::ListTable && currentList_.levels.size() <= kMaxListLevel)
          currentList_.levels.push_back(ListStyle::Decimal);
        break;
      case Keyword::LevelNfc:
        if (s.dest == Dest::ListTable && !currentList_.levels.empty())
          currentList_.levels.back() = ListStyleOfNfc(n);
        break;
      case Keyword::ListId:
        if (s.dest == Dest::ListTable) currentList_.id = n;
        if (s.dest == Dest::ListOverrideTable) overrideListId_ = n;
        break;
      default: break;
    }
  }

  void PageSetupWord(const ControlWord& w) {
    switch (w.info.keyword) {
      case Keyword::PageValue: PageWord(w.info.index, w.n, w.on); break;
      case Keyword::Sectd:
        if (!sectionsDone_) sectionPage_ = {};
        break;
      case Keyword::TitlePage:
        if (!sectionsDone_) headersFooters_.titlePage = w.on;
        break;
      case Keyword::FacingPages: headersFooters_.facingPages = w.on; break;
      default: break;
    }
  }

  // Fields, cell and row ends, paragraph and page breaks and special characters: only the
  // body text has them.
  void BodyWord(State& s, const ControlWord& w) {
    switch (w.info.keyword) {
      case Keyword::Field:
        if (!s.fieldGroup && phantomDepth_ == 0 && fields_.size() < kMaxFieldDepth) {
          s.fieldGroup = true;
          s.fieldResult = false;
          fields_.emplace_back();
        }
        break;
      case Keyword::Cell: builder_.EndCell(Resolved(s.para), 1); break;
      case Keyword::NestCell: builder_.EndCell(Resolved(s.para), std::max(2, Depth(s.para))); break;
      case Keyword::Row: EndRow(1); break;
      case Keyword::NestRow: EndRow(std::max(2, Depth(s.para))); break;
      case Keyword::Par: builder_.EndParagraph(Resolved(s.para), Depth(s.para)); break;
      case Keyword::Sect:
        builder_.BreakPage(Resolved(s.para), Depth(s.para));
        // Page set-up, headers and footers are those of the first section.
        if (s.story < 0) sectionsDone_ = true;
        break;
      case Keyword::SbkNone: builder_.KeepOnPage(); break;
      case Keyword::Page: builder_.BreakPage(Resolved(s.para), Depth(s.para)); break;
      case Keyword::Character: Emit(w.info.character); break;
      default: break;
    }
  }

  void PictureWord(const ControlWord& w) {
    const int n = w.n;
    switch (w.info.keyword) {
      case Keyword::PicW: picture_.width = n; break;
      case Keyword::PicH: picture_.height = n; break;
      case Keyword::PicWGoal: picture_.widthGoal = n; break;
      case Keyword::PicHGoal: picture_.heightGoal = n; break;
      case Keyword::PicScaleX: picture_.scaleX = Clamp(n, 1, 10000); break;
      case Keyword::PicScaleY: picture_.scaleY = Clamp(n, 1, 10000); break;
      default: break;
    }
  }

  // Paragraph and character styles share one map: even keys and odd keys. A style number
  // beyond any real style sheet gets -1, the key of no style, so doubling cannot overflow.
  static constexpr int kMaxStyleNumber = 1 << 28;
  static int ParagraphStyleKey(int n) { return n > kMaxStyleNumber ? -1 : std::max(0, n) * 2; }
  static int CharStyleKey(int n) { return n > kMaxStyleNumber ? -1 : std::max(0, n) * 2 + 1; }

  void ParagraphStyle(State& s, int n) {
    if (n > kMaxStyleNumber) return;
    if (s.dest == Dest::StyleSheet) {
      s.styleKey = ParagraphStyleKey(n);
      return;
    }
    const auto it = styles_.find(ParagraphStyleKey(n));
    if (it == styles_.end()) return;
    const bool inTable = s.para.inTable;
    const int level = s.para.tableLevel;
    s.para = it->second.para;
    s.para.inTable = inTable;
    s.para.tableLevel = level;
    s.chars = it->second.chars;
  }

  void Symbol(char symbol) {
    FlushLeadByte();
    if (symbol == '*') {
      starPending_ = true;
      return;
    }
    if (symbol == 0) return;
    if (unicodeSkipLeft_ > 0) {
      --unicodeSkipLeft_;
      return;
    }
    switch (symbol) {
      case '\\':
      case '{':
      case '}': Emit(static_cast<unsigned char>(symbol)); break;
      case '~': Emit(U'\u00A0'); break;
      case '_': Emit(U'\u2011'); break;
      case '\r':
      case '\n':
        if (Top().dest == Dest::Body) builder_.EndParagraph(Resolved(Top().para), Depth(Top().para));
        break;
      default: break;
    }
  }

  void HexByte(unsigned char byte) {
    if (unicodeSkipLeft_ > 0) {
      --unicodeSkipLeft_;
      return;
    }
    const Dest dest = Top().dest;
    if (dest == Dest::Skip || dest == Dest::Pict) return;
    if (dest == Dest::Body && (byte == 0x0D || byte == 0x0A) && leadByte_ == 0) {
      // Line ends given as escapes: CR, LF and CR LF each end one paragraph.
      if (!(byte == 0x0A && lastHexWasCr_))
        builder_.EndParagraph(Resolved(Top().para), Depth(Top().para));
      lastHexWasCr_ = byte == 0x0D;
      return;
    }
    lastHexWasCr_ = false;
    Byte(byte);
  }

  void Binary(std::string_view data) {
    FlushLeadByte();
    if (unicodeSkipLeft_ > 0) {
      --unicodeSkipLeft_;
      return;
    }
    if (Top().dest == Dest::Pict) picture_.bytes.append(data);
  }

  void Text(std::string_view text) {
    lastHexWasCr_ = false;
    const Dest dest = Top().dest;
    if (dest == Dest::Pict) {
      FeedHex(text);
      return;
    }
    const bool wanted = dest == Dest::Body || dest == Dest::FontTable ||
                        dest == Dest::ColorTable || dest == Dest::StyleSheet ||
                        dest == Dest::ShapePropertyName || dest == Dest::FieldInstruction;
    for (const char ch : text) {
      if (unicodeSkipLeft_ > 0) {
        --unicodeSkipLeft_;
        continue;
      }
      if (wanted) Byte(static_cast<unsigned char>(ch));
    }
  }

  // One byte of 8-bit text, decoded by the code page in effect.
  void Byte(unsigned char byte) {
    const int codePage = CurrentCodePage();
    if (leadByte_ != 0) {
      // The two bytes of a double-byte character, which we show as a replacement.
      leadByte_ = 0;
      Emit(U'\uFFFD');
      return;
    }
    if (byte >= 0x80 && IsLeadByte(codePage, byte)) {
      leadByte_ = byte;
      return;
    }
    if (byte < 0x20 && byte != '\t') return;
    Emit(DecodeByte(codePage, byte));
  }

  void FlushLeadByte() {
    if (leadByte_ == 0) return;
    leadByte_ = 0;
    Emit(U'\uFFFD');
  }

  void Unicode(int n) {
    char32_t code = n < 0 ? static_cast<char32_t>(n + 65536) : static_cast<char32_t>(n);
    if (n < -32768 || n > 0x10FFFF) code = 0xFFFD;
    unicodeSkipLeft_ = Top().unicodeSkip;
    if (code >= 0xD800 && code <= 0xDBFF) {
      if (highSurrogate_ != 0) Emit(U'\uFFFD');
      highSurrogate_ = code;
      return;
    }
    if (code >= 0xDC00 && code <= 0xDFFF) {
      if (highSurrogate_ == 0) {
        Emit(U'\uFFFD');
        return;
      }
      code = 0x10000 + ((highSurrogate_ - 0xD800) << 10) + (code - 0xDC00);
      highSurrogate_ = 0;
    }
    if (code < 0x20 && code != '\t' && code != '\n') return;
    Emit(code);
  }

  // A character of text, going wherever the current group collects text.
  void Emit(char32_t code) {
    if (highSurrogate_ != 0 && (code < 0xDC00 || code > 0xDFFF)) {
      highSurrogate_ = 0;
      Emit(U'\uFFFD');
    }
    State& s = Top();
    switch (s.dest) {
      case Dest::Body:
        if (s.chars.hidden) return;
        if (s.fieldResult && !fields_.empty()) {
          PendingField& field = fields_.back();
          if (!field.chars) field.chars = s.chars;
          if (field.result.size() < kMaxFieldText) AppendUtf8(field.result, code);
          return;
        }
        SyncFormat(s.chars);
        builder_.AppendChar(code);
        break;
      case Dest::FieldInstruction:
        if (!fields_.empty() && fields_.back().instruction.size() < kMaxFieldText)
          AppendUtf8(fields_.back().instruction, code);
        break;
      case Dest::FontTable:
        if (code == ';') {
          CommitFont();
        } else if (pendingFont_.active && code >= 0x20) {
          AppendUtf8(pendingFont_.name, code);
        }
        break;
      case Dest::ColorTable:
        if (code == ';') {
          colors_.push_back(color_.set ? std::optional<Color>(Color{
                                             static_cast<std::uint8_t>(color_.red),
                                             static_cast<std::uint8_t>(color_.green),
                                             static_cast<std::uint8_t>(color_.blue)})
                                       : std::nullopt);
          color_ = PendingColor{};
        }
        break;
      case Dest::StyleSheet:
        if (code == ';' && s.styleKey >= 0) styles_[s.styleKey] = Style{s.chars, s.para};
        break;
      case Dest::ShapePropertyName:
        if (shapePropertyName_.size() < 64) AppendUtf8(shapePropertyName_, code);
        break;
      default: break;
    }
  }

  int CurrentCodePage() {
    const State& s = Top();
    if (s.dest == Dest::FontTable) {
      return pendingFont_.codePage != 0 ? pendingFont_.codePage : docCodePage_;
    }
    const int number = s.chars.font >= 0 ? s.chars.font : defaultFont_;
    if (number != cachedFont_) {
      cachedFont_ = number;
      const auto it = fonts_.find(number);
      cachedCodePage_ = it != fonts_.end() ? it->second.codePage : 0;
    }
    return cachedCodePage_ != 0 ? cachedCodePage_ : docCodePage_;
  }

  void CommitFont() {
    if (!pendingFont_.active) return;
    std::string name = pendingFont_.name;
    const auto first = name.find_first_not_of(' ');
    const auto last = name.find_last_not_of(' ');
    name = first == std::string::npos ? std::string() : name.substr(first, last - first + 1);
    fonts_[pendingFont_.number] = Font{std::move(name), pendingFont_.codePage};
    pendingFont_.active = false;
    cachedFont_ = -2;
  }

  void SyncFormat(const CharState& chars) {
    if (lastChars_ && *lastChars_ == chars) return;
    lastChars_ = chars;
    CharFormat format;
    const int number = chars.font >= 0 ? chars.font : defaultFont_;
    if (const auto it = fonts_.find(number); it != fonts_.end()) format.font = it->second.name;
    format.halfPoints = chars.halfPoints;
    format.bold = chars.bold;
    format.italic = chars.italic;
    format.underline = chars.underline;
    format.strikeOut = chars.strikeOut;
    if (chars.color >= 0 && static_cast<std::size_t>(chars.color) < colors_.size())
      format.color = colors_[chars.color];
    if (chars.background > 0 && static_cast<std::size_t>(chars.background) < colors_.size())
      format.background = colors_[chars.background];
    format.position = chars.position;
    builder_.SetFormat(format);
  }

  ParagraphFormat Resolved(const ParaState& para) const {
    ParagraphFormat format = para.format;
    if (para.listOverride >= 0) {
      format.list = ListStyle::Bullet;
      if (const auto o = overrides_.find(para.listOverride); o != overrides_.end()) {
        if (const auto l = lists_.find(o->second); l != lists_.end()) {
          const std::vector<ListStyle>& levels = l->second;
          if (!levels.empty()) {
            format.list = levels[std::min<std::size_t>(format.listLevel, levels.size() - 1)];
          }
        }
      }
    }
    if (format.list == ListStyle::None) format.listLevel = 0;
    if (format.lineSpacing == 0) format.lineSpacingMultiple = false;
    return format;
  }

  static int Depth(const ParaState& para) {
    if (para.tableLevel > 0) return para.tableLevel;
    return para.inTable ? 1 : 0;
  }

  void ApplyPn(ParaState& para) {
    para.listOverride = -1;
    ParagraphFormat& p = para.format;
    if (pn_.continuation) {
      p.list = ListStyle::None;
    } else if (pn_.bullet) {
      p.list = ListStyle::Bullet;
    } else if (pn_.body || pn_.numbered) {
      p.list = pn_.numbering;
    } else {
      p.list = ListStyle::None;
    }
    p.listLevel = pn_.bullet ? 0 : pn_.level;
  }

  // A row being defined: the cells so far, and the properties of the next cell.
  struct RowState {
    RowDefinition done;
    Cell pendingCell;
    int background = -1;  // \clcbpat
    int foreground = -1;  // \clcfpat
    int shading = 0;      // \clshdng, in hundredths of a percent
  };

  RowState& RowDefinitionAt(int level) {
    level = Clamp(level, 1, kMaxTableLevel);
    if (rowDefinitions_.size() <= static_cast<std::size_t>(level)) rowDefinitions_.resize(level + 1);
    return rowDefinitions_[level];
  }

  void EndRow(int level) { builder_.EndRow(level, RowDefinitionAt(level).done); }

  std::optional<Color> ColorAt(int index) const {
    if (index <= 0 || static_cast<std::size_t>(index) >= colors_.size()) return std::nullopt;
    return colors_[index];
  }

  // Row and cell properties; a cell's properties come before its \cellx.
  void TableWord(const KeywordInfo& info, const ParaState& para, const Token& token) {
    const int n = token.parameter;
    RowState& def = RowDefinitionAt(std::max(1, Depth(para)));
    Cell& cell = def.pendingCell;
    switch (info.keyword) {
      case Keyword::Trowd:
        def = RowState{};
        def.done.row.gapTwips = 0;
        borderTarget_ = BorderTarget::None;
        break;
      case Keyword::Trleft: def.done.row.leftTwips = Clamp(n, -kMaxTwips, kMaxTwips); break;
      case Keyword::Trgaph: def.done.row.gapTwips = Clamp(n, 0, kMaxTwips / 4); break;
      case Keyword::Trrh: def.done.row.heightTwips = Clamp(n, -kMaxTwips, kMaxTwips); break;
      case Keyword::Trhdr: def.done.row.header = !token.hasParameter || n != 0; break;
      case Keyword::RowAlign: def.done.row.alignment = static_cast<Alignment>(info.index); break;
      case Keyword::CellMerge: cell.horizontalMerge = static_cast<Merge>(info.index); break;
      case Keyword::CellVerticalMerge: cell.verticalMerge = static_cast<Merge>(info.index); break;
      case Keyword::CellVerticalAlign: cell.verticalAlignment = static_cast<CellAlignment>(info.index); break;
      case Keyword::CellBackground: def.background = n; break;
      case Keyword::CellForeground: def.foreground = n; break;
      case Keyword::CellShading: def.shading = Clamp(n, 0, 10000); break;
      case Keyword::CellPaddingValue: {
        if (!cell.padding) cell.padding = CellPadding{};
        int CellPadding::* const sides[] = {&CellPadding::top, &CellPadding::left, &CellPadding::bottom,
                                            &CellPadding::right};
        (*cell.padding).*sides[info.index % 4] = Clamp(n, 0, kMaxTwips / 4);
        break;
      }
      case Keyword::Cellx:
        cell.shading = Shading(def);
        def.done.row.cells.push_back(std::move(cell));
        def.done.rights.push_back(std::max(n, -kMaxTwips));
        def.pendingCell = Cell{};
        def.background = def.foreground = -1;
        def.shading = 0;
        borderTarget_ = BorderTarget::None;
        break;
      default: break;
    }
  }

  // The cell's fill: the background colour with the pattern's share of the foreground
  // (black unless given) mixed in.
  std::optional<Color> Shading(const RowState& def) const {
    const std::optional<Color> back = ColorAt(def.background);
    if (def.shading == 0) return back;
    const Color base = back.value_or(Color{255, 255, 255});
    const Color fore = ColorAt(def.foreground).value_or(Color{0, 0, 0});
    const auto mix = [&](std::uint8_t b, std::uint8_t f) {
      return static_cast<std::uint8_t>((b * (10000 - def.shading) + f * def.shading + 5000) / 10000);
    };
    return Color{mix(base.red, fore.red), mix(base.green, fore.green), mix(base.blue, fore.blue)};
  }

  // \clbrdrX, \brdrX and \trbrdrX name the cell's, paragraph's or row's side the following
  // \brdr… words describe; a side gets a border with its style word.
  void BorderWord(const KeywordInfo& info, State& s, const Token& token) {
    static constexpr std::pair<Keyword, BorderTarget> kTargets[] = {
        {Keyword::CellBorderSide, BorderTarget::Cell},
        {Keyword::ParagraphBorderSide, BorderTarget::Paragraph},
        {Keyword::RowBorderSide, BorderTarget::Row}};
    for (const auto& target : kTargets) {
      if (info.keyword != target.first) continue;
      const bool known = target.second != BorderTarget::Cell || info.index < 4;
      borderTarget_ = known ? target.second : BorderTarget::None;
      borderSide_ = info.index;
      border_ = Border{};
      borderStyled_ = false;
      return;
    }
    if (borderTarget_ == BorderTarget::None) return;
    switch (info.keyword) {
      case Keyword::BorderStyleWord:
        border_.style = static_cast<BorderStyle>(info.index);
        borderStyled_ = true;
        break;
      case Keyword::BorderNone: borderStyled_ = false; break;
      case Keyword::BorderWidth: border_.widthTwips = Clamp(token.parameter, 0, kMaxBorderWidth); break;
      case Keyword::BorderColor: border_.color = ColorAt(token.parameter); break;
      case Keyword::BorderSpace: border_.spaceTwips = Clamp(token.parameter, 0, kMaxBorderWidth); break;
      default: break;
    }
    const std::optional<Border> border = borderStyled_ ? std::optional<Border>(border_) : std::nullopt;
    const int level = std::max(1, Depth(s.para));
    switch (borderTarget_) {
      case BorderTarget::Cell: SetSide(RowDefinitionAt(level).pendingCell.borders, borderSide_, border); break;
      case BorderTarget::Paragraph:
        // \box: the same line on all four sides.
        for (int side = 0; side < 4; ++side) {
          if (borderSide_ == side || borderSide_ == 4) SetSide(s.para.format.borders, side, border);
        }
        break;
      case BorderTarget::Row: {
        RowBorders& row = RowDefinitionAt(level).done.row.borders;
        std::optional<Border>* const sides[] = {&row.top, &row.left, &row.bottom, &row.right, &row.horizontal,
                                                &row.vertical};
        *sides[borderSide_ % 6] = border;
        break;
      }
      case BorderTarget::None: break;
    }
  }

  static void SetSide(Borders& borders, int side, const std::optional<Border>& border) {
    std::optional<Border>* const sides[] = {&borders.top, &borders.left, &borders.bottom, &borders.right};
    *sides[side % 4] = border;
  }

  // A stop at a position already set replaces it (LibreOffice repeats its style's stops).
  static void AddTab(ParaState& para, int n) {
    const TabStop stop{Clamp(n, -kMaxTwips, kMaxTwips), para.nextTab};
    para.nextTab = TabAlignment::Left;
    std::vector<TabStop>& tabs = para.format.tabs;
    for (TabStop& tab : tabs) {
      if (tab.positionTwips == stop.positionTwips) {
        tab = stop;
        return;
      }
    }
    if (tabs.size() < kMaxTabStops) tabs.push_back(stop);
  }

  void PageWord(std::uint8_t index, int n, bool on) {
    const bool section = index >= kSectionWord;
    const int word = section ? index - kSectionWord : index;
    if (word >= kPageWordCount || (section && sectionsDone_)) return;
    pageGiven_ = true;
    if (word == kLandscape) {
      if (section) {
        sectionPage_.landscape = on;
      } else {
        docPage_.landscape = on;
      }
      return;
    }
    const int value = word <= kPaperHeight ? Clamp(n, kMinPaperTwips, kMaxTwips) : Clamp(n, 0, kMaxTwips);
    if (section) {
      sectionPage_.values[word] = value;
    } else {
      docPage_.*kPageValues[word] = value;
    }
  }

  // The first section's page: the document's set-up with the section's own words, and
  // margins that leave room for text.
  PageSetup Page() const {
    PageSetup page = docPage_;
    for (int i = 0; i < kLandscape; ++i) {
      if (sectionPage_.values[i]) page.*kPageValues[i] = *sectionPage_.values[i];
    }
    if (sectionPage_.landscape) page.landscape = *sectionPage_.landscape;
    const auto fit = [](int size, int& before, int& after) {
      const int room = size - kMinTextAreaTwips;
      const long long total = static_cast<long long>(before) + after;
      if (total <= room) return;
      before = static_cast<int>(static_cast<long long>(before) * room / total);
      after = static_cast<int>(static_cast<long long>(after) * room / total);
    };
    fit(PageWidth(page), page.marginLeft, page.marginRight);
    fit(PageHeight(page), page.marginTop, page.marginBottom);
    page.headerDistance = std::min(page.headerDistance, PageHeight(page) / 2);
    page.footerDistance = std::min(page.footerDistance, PageHeight(page) / 2);
    return page;
  }

  // A header or footer is read with a builder of its own; the body's waits meanwhile.
  void OpenStory(State& s, std::uint8_t part) {
    if (s.story >= 0 || mainBuilder_ || sectionsDone_ || part >= std::size(kHeaderFooterParts) || phantomDepth_ > 0) {
      s.dest = Dest::Skip;
      return;
    }
    s.dest = Dest::Body;
    s.story = static_cast<std::int8_t>(part);
    s.para = defaultPara_;
    story_ = part;
    mainBuilder_.emplace(std::move(builder_));
    builder_ = DocumentBuilder{};
    lastChars_.reset();
  }

  void CloseStory(int part, const ParaState& para) {
    Document story = builder_.Finish(Resolved(para), Depth(para));
    builder_ = std::move(*mainBuilder_);
    mainBuilder_.reset();
    lastChars_.reset();
    headersFooters_.*kHeaderFooterParts[part] = std::move(story.blocks);
  }

  void EndField(const State& popped) {
    if (fields_.empty()) return;
    PendingField field = std::move(fields_.back());
    fields_.pop_back();
    if (!field.resultSeen) field.kind = ParseField(field.instruction, field.picture);
    if (field.kind == FieldKind::None || Top().dest != Dest::Body) return;
    SyncFormat(field.chars.value_or(popped.chars));
    builder_.AppendField(field.kind, std::move(field.picture), std::move(field.result));
  }

  void FeedHex(std::string_view text) {
    for (const char ch : text) {
      int v = -1;
      if (ch >= '0' && ch <= '9') v = ch - '0';
      else if (ch >= 'a' && ch <= 'f') v = ch - 'a' + 10;
      else if (ch >= 'A' && ch <= 'F') v = ch - 'A' + 10;
      if (v < 0) continue;
      if (picture_.nibble < 0) {
        picture_.nibble = v;
      } else {
        picture_.bytes += static_cast<char>(picture_.nibble * 16 + v);
        picture_.nibble = -1;
      }
    }
  }

  void FinishPicture() {
    PendingPicture pending = std::move(picture_);
    picture_ = PendingPicture{};
    if (Top().dest != Dest::Body) return;
    const auto format = DetectPictureFormat(pending.bytes);
    if (!format) return;  // only PNG and JPEG pictures are kept
    const auto size = [](int goal, int pixels, int scale) {
      long long twips = goal > 0 ? goal : (pixels > 0 ? 15LL * pixels : 0);
      twips = twips * scale / 100;
      return static_cast<int>(std::clamp<long long>(twips, 0, kMaxTwips));
    };
    Picture picture;
    picture.format = *format;
    picture.bytes = std::move(pending.bytes);
    picture.widthTwips = size(pending.widthGoal, pending.width, pending.scaleX);
    picture.heightTwips = size(pending.heightGoal, pending.height, pending.scaleY);
    SyncFormat(Top().chars);
    builder_.AppendPicture(std::move(picture));
  }

  struct PendingFont {
    int number = 0;
    int codePage = 0;
    std::string name;
    bool active = false;
  };
  struct PendingColor {
    int red = 0, green = 0, blue = 0;
    bool set = false;
  };
  struct PendingPicture {
    std::string bytes;
    int nibble = -1;
    int width = 0, height = 0, widthGoal = 0, heightGoal = 0, scaleX = 100, scaleY = 100;
  };
  struct PendingPn {
    bool bullet = false, body = false, continuation = false, numbered = false;
    ListStyle numbering = ListStyle::Decimal;
    int level = 0;
    void Number(ListStyle style) {
      numbering = style;
      numbered = true;
    }
  };
  struct PendingList {
    int id = 0;
    std::vector<ListStyle> levels;
  };

  RtfTokenizer tokenizer_;
  std::vector<State> stack_;
  std::size_t phantomDepth_ = 0;
  bool finished_ = false;
  ParaState finalPara_;
  DocumentBuilder builder_;

  int docCodePage_ = 1252;
  int defaultFont_ = 0;
  CharState defaultChars_;
  ParaState defaultPara_;
  std::unordered_map<int, Font> fonts_;
  std::vector<std::optional<Color>> colors_;
  std::unordered_map<int, Style> styles_;
  std::unordered_map<int, std::vector<ListStyle>> lists_;
  std::unordered_map<int, int> overrides_;
  std::vector<RowState> rowDefinitions_;
  enum class BorderTarget { None, Cell, Paragraph, Row };
  BorderTarget borderTarget_ = BorderTarget::None;
  int borderSide_ = 0;
  Border border_;
  bool borderStyled_ = false;

  struct SectionPage {
    std::array<std::optional<int>, kLandscape> values;
    std::optional<bool> landscape;
  };
  PageSetup docPage_;
  SectionPage sectionPage_;
  bool pageGiven_ = false;
  bool sectionsDone_ = false;
  HeadersFooters headersFooters_;
  std::optional<DocumentBuilder> mainBuilder_;
  int story_ = 0;

  struct PendingField {
    std::string instruction;
    FieldKind kind = FieldKind::None;
    std::string picture;
    std::string result;
    std::optional<CharState> chars;
    bool resultSeen = false;
  };
  std::vector<PendingField> fields_;

  PendingFont pendingFont_;
  PendingColor color_;
  PendingPicture picture_;
  PendingPn pn_;
  PendingList currentList_;
  int overrideListId_ = 0;
  std::string shapePropertyName_;

  std::optional<CharState> lastChars_;
  int cachedFont_ = -2;
  int cachedCodePage_ = 0;
  int unicodeSkipLeft_ = 0;
  bool starPending_ = false;
  bool lastHexWasCr_ = false;
  unsigned char leadByte_ = 0;
  char32_t highSurrogate_ = 0;
};

}  // namespace

Document ReadRtf(std::string_view bytes) { return Reader(bytes).Read(); }

bool IsRtf(std::string_view text) {
  const auto start = text.find_first_not_of(" \t\r\n");
  return start != std::string_view::npos && text.substr(start, 5) == "{\\rtf";
}

}  // namespace orvela::rtf
