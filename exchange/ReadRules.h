// ReadRules.h: the pieces of JwwReadLine (internal to the exchange library).
//
// A line is tokenized once (Tokenizer.h), then the keyword rules (header, layer names, attributes,
// blocks, picked points, pick number) are tried in their fixed order, and what they leave goes to
// the entity rules. The first rule whose keyword test and token count both hold takes the line.
//
// These routines throw std::bad_alloc when memory runs out and JwwPoolFull when the string pool
// would pass its 4 GiB offset range; the public reading operations catch both.
#pragma once

#include <cstddef>
#include <cstdint>
#include <new>
#include <string_view>

#include "JwwGaibu.h"
#include "Tokenizer.h"

// The string pool cannot take a string without its offsets passing the range of TJwwStrRef.
struct JwwPoolFull : std::bad_alloc {
  const char* what() const noexcept override { return "string pool full"; }
};

// The pool's limit: offsets and lengths are 32-bit.
inline constexpr std::size_t kJwwPoolLimit = UINT32_MAX;

// Appends S to the pool and returns where it lies. Throws JwwPoolFull when the pool would grow
// beyond `limit` bytes (the limit is a parameter only so that tests can reach it).
TJwwStrRef JwwPoolString(std::string& pool, std::string_view s, std::size_t limit = kJwwPoolLimit);

// Position of the first occurrence of NEEDLE in TEXT that starts on a character boundary
// (never on the second byte of a double-byte character), or npos.
std::size_t JwwFindSjis(std::string_view text, std::string_view needle);

// Rules 1 to 27: header values, layer names, attributes, blocks, picked points, pick number.
// True when one of them took the line.
bool JwwApplyKeywordRule(JwwState& st, const TJwwTokens& t);

// The entity rules that follow: lines, circles, arcs, texts, messages, points, blocks, solids.
// True when one of them took the line.
bool JwwApplyEntityRule(JwwState& st, const TJwwTokens& t);

// Every entity list is to reserve room for N more records when it first needs memory: the
// bound a file of N * 7 bytes sets, as an entity line takes at least 7 bytes with its line end.
void JwwReserveEntities(JwwState& st, int64_t n);
inline constexpr int64_t kJwwMinEntityBytes = 7;

// Appends one item to EntityOrder.
void JwwAddOrder(JwwState& st, int32_t kind);
// The attribute head of an entity read now.
TJwwAttrHead JwwStampHead(const JwwState& st);
// The number of HEAD, or of STYLE, in the shared tables; added when new.
uint32_t JwwHeadNo(TJwwRecordTables& t, const TJwwAttrHead& head);
uint32_t JwwStyleNo(TJwwRecordTables& t, const TJwwTextStyle& style);
