// Decoded pictures kept by their kind and bytes, so that controls rebuilding their look (a shape
// resized, a button restyled) do not decode the same picture again. DecodePicture and
// DecodePictureFrames consult it; nothing else needs to.
//
// One process-wide cache used from the UI thread only, like all decoding: it takes no locks.
// Entries are found by a hash of kind and bytes and confirmed by comparing the bytes, so a hash
// collision can never answer with another picture's image. The cache is bounded by the bytes it
// holds (decoded pixels plus the stored bytes it keeps for the comparison) and drops the least
// recently used pictures first. Images are implicitly shared: pictures still shown share their
// pixels with the cache, so the bound costs memory only for pictures no longer shown.
#pragma once

#include <QByteArray>
#include <list>
#include <unordered_map>
#include <vector>

#include "model/Stream.h"
#include "render/PictureDecode.h"

// What one decode of a picture gave.
struct TDecodedPicture {
  std::vector<TPictureFrame> Frames;  // empty when nothing decoded
  bool AllFrames = false;             // false when more frames may follow the ones decoded
};

class TPictureCache {
 public:
  // Room for the largest picture a decode may give, and the smaller ones around it.
  static constexpr qint64 DefaultLimit = 2 * MaxPictureBytes;
  using THash = size_t (*)(TGraphicKind kind, const QByteArray& bytes);

  static TPictureCache& Instance();

  // The decode kept for exactly these kind and bytes (and marks it recently used); null when none.
  // The pointer is valid until the next Keep, SetLimit or Clear.
  const TDecodedPicture* Find(const TPicture& picture);
  // Keeps a decode, replacing one kept for the same picture; one larger than the limit is not kept.
  void Keep(const TPicture& picture, TDecodedPicture decoded);

  void Clear();
  qint64 Bytes() const { return FBytes; }
  int Count() const { return static_cast<int>(FEntries.size()); }
  qint64 Limit() const { return FLimit; }
  // Changes the bound (evicting down to it); for tests.
  void SetLimit(qint64 bytes);
  // Replaces the key hash (null restores the real one); lets tests force collisions. Clears.
  void SetHashForTest(THash hash);

 private:
  struct TEntry {
    TGraphicKind Kind;
    QByteArray Data;
    size_t Hash;
    qint64 Cost;
    TDecodedPicture Decoded;
  };
  using TList = std::list<TEntry>;

  size_t HashOf(const TPicture& picture) const;
  TList::iterator Lookup(const TPicture& picture, size_t hash);
  void Remove(TList::iterator it);
  void EvictTo(qint64 limit);

  TList FEntries;  // most recently used first
  std::unordered_multimap<size_t, TList::iterator> FIndex;
  qint64 FBytes = 0;
  qint64 FLimit = DefaultLimit;
  THash FHashForTest = nullptr;
};
