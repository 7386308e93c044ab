#include "render/PictureCache.h"

#include <QHash>
#include <thread>

namespace {
qint64 CostOf(const TPicture& picture, const TDecodedPicture& decoded) {
  qint64 cost = picture.Data.size();
  for (const auto& frame : decoded.Frames) cost += frame.Image.sizeInBytes();
  return cost;
}
}  // namespace

TPictureCache& TPictureCache::Instance() {
  static TPictureCache cache;
#ifndef NDEBUG
  // Not locked: every caller must be on the thread that used it first.
  static const std::thread::id owner = std::this_thread::get_id();
  Q_ASSERT(owner == std::this_thread::get_id());
#endif
  return cache;
}

size_t TPictureCache::HashOf(const TPicture& picture) const {
  if (FHashForTest) return FHashForTest(picture.Kind, picture.Data);
  return qHash(picture.Data, static_cast<size_t>(picture.Kind));
}

TPictureCache::TList::iterator TPictureCache::Lookup(const TPicture& picture, size_t hash) {
  const auto [first, last] = FIndex.equal_range(hash);
  for (auto it = first; it != last; ++it) {
    const TEntry& entry = *it->second;
    if (entry.Kind == picture.Kind && entry.Data == picture.Data) return it->second;
  }
  return FEntries.end();
}

const TDecodedPicture* TPictureCache::Find(const TPicture& picture) {
  const auto it = Lookup(picture, HashOf(picture));
  if (it == FEntries.end()) return nullptr;
  FEntries.splice(FEntries.begin(), FEntries, it);
  return &it->Decoded;
}

void TPictureCache::Keep(const TPicture& picture, TDecodedPicture decoded) {
  const size_t hash = HashOf(picture);
  if (const auto old = Lookup(picture, hash); old != FEntries.end()) Remove(old);
  const qint64 cost = CostOf(picture, decoded);
  if (cost > FLimit) return;
  EvictTo(FLimit - cost);
  FEntries.push_front({picture.Kind, picture.Data, hash, cost, std::move(decoded)});
  FIndex.emplace(hash, FEntries.begin());
  FBytes += cost;
}

void TPictureCache::Remove(TList::iterator it) {
  const auto [first, last] = FIndex.equal_range(it->Hash);
  for (auto i = first; i != last; ++i) {
    if (i->second == it) {
      FIndex.erase(i);
      break;
    }
  }
  FBytes -= it->Cost;
  FEntries.erase(it);
}

void TPictureCache::EvictTo(qint64 limit) {
  while (FBytes > limit && !FEntries.empty()) Remove(std::prev(FEntries.end()));
}

void TPictureCache::Clear() {
  FEntries.clear();
  FIndex.clear();
  FBytes = 0;
}

void TPictureCache::SetLimit(qint64 bytes) {
  FLimit = bytes;
  EvictTo(FLimit);
}

void TPictureCache::SetHashForTest(THash hash) {
  // Kept entries were filed under the old hash.
  Clear();
  FHashForTest = hash;
}
