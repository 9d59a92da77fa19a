// dictionary_reading.h: reading a dictionary through the engine's exports
// as a caller does, for the targets that fuzz dictionaries.
//
// The callbacks read everything they are handed and abort when a promise
// of the interface breaks (a run without its terminator, a headword that
// does not fit the buffer it was written to ...): such a break is a finding
// as much as a crash is.
#pragma once

#include "lexvane_engine.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz_input.h"

namespace lexvane::fuzzing {

// What the callbacks add up, so that nothing they read is optimised away.
struct ReadTotal {
    std::size_t units = 0;
};

// Opens `path` with the id of its name, whatever the open answers (a failed
// open still hands out a record the exports must take), runs the
// initialisation and asks for the count, ids and languages. The caller
// closes the record.
DictionaryRecord* openAndIdentify(const std::string& path);

// OutputCallback of DicExtract; `user` is a ReadTotal.
int readArticleEvent(int zero, const char16_t* text, std::int32_t length, const StyleRecord* style,
                     std::int32_t index, void* user);

// LvWordCallback of the fuzzy searches; `user` is a ReadTotal.
int readWordResult(const char16_t* word, std::int32_t value, void* user);

// UdSearchCallback; `user` is a ReadTotal. Answers 1 (go on).
int readSearchHit(std::int32_t index, const std::uint32_t* positions, void* user, std::int32_t count);

// Headword (into buffers of several sizes) and article of each of the first
// `limit` entries of the current word list; a damaged count must not stall
// the fuzzer, hence the limit.
void readEntries(DictionaryRecord* dic, std::int32_t limit, ReadTotal& total);

// The bytes of a freshly created, empty user dictionary (made in `folder`),
// so that a target copies it for every input instead of creating the schema
// each time. Aborts when the engine cannot create one.
std::vector<std::uint8_t> freshUserDictionary(const PrivateFolder& folder, const char16_t* title);

} // namespace lexvane::fuzzing
