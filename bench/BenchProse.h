#pragma once
// Text of a given length that looks like an auditor's notes, with the characters the
// writer has to escape and a few non-ASCII letters, for the generated work files.
#include <cstddef>
#include <iterator>
#include <string>

namespace orvela::bench {

inline std::string Prose(std::size_t length, unsigned seed) {
  static const std::string words[] = {"Prüfung", "der", "Kasse", "&", "Belege", "<vollständig>", "\"Stichprobe\"",
                                      "Maßnahme", "Verträge", "it's", "Inventur", "Bestand", "Abweichung", "\r\n"};
  std::string out;
  for (unsigned i = seed; out.size() < length; i = i * 1103515245u + 12345u) {
    out += words[(i >> 16) % std::size(words)];
    out += ' ';
  }
  out.resize(length);
  return out;
}

}  // namespace orvela::bench
