// The string pool of the records' texts and names: one growing byte string, records hold
// (offset, length) pairs into it so that they stay small and trivially copyable.
#include "ReadRules.h"

TJwwStrRef PoolString(TJwwByteString& pool, std::string_view s, std::size_t limit) {
  const std::size_t offset = pool.size();
  if (limit > kPoolLimit) limit = kPoolLimit;
  if (s.size() > limit || offset > limit - s.size()) throw PoolFull();
  pool.append(s);
  return TJwwStrRef{static_cast<uint32_t>(offset), static_cast<uint32_t>(s.size())};
}
