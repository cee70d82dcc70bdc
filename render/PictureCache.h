// Decoded cell pictures kept between redraws, so a large photo is not decoded again at every
// click. An entry is only used while its file has the size and last-write time it had when it was
// decoded; the least recently used entries go when the pixels pass a memory budget.
#pragma once

#include <cstddef>
#include <cstdint>
#include <list>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

// What identifies one version of a file on disk.
struct FileStamp {
    uint64_t size = 0;
    uint64_t lastWrite = 0;
    bool operator==(const FileStamp&) const = default;
};

// One scaled picture as 32-bit pixels (0x00RRGGBB), top row first.
struct CachedPicture {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;
};

struct PictureCacheKey {
    std::wstring path;
    int width = 0;
    int height = 0;
    int32_t fill = 0;
    bool operator==(const PictureCacheKey&) const = default;
};

struct PictureCacheKeyHash {
    size_t operator()(const PictureCacheKey& key) const;
};

// A picture file that could not be read at a draw, with the loader's message about it.
struct PictureProblem {
    std::wstring path;
    std::wstring text;
};

constexpr size_t kPictureCacheBudget = 64u << 20; // bytes of pixels

struct PictureCache {
    PictureCache() = default;
    // The index points into this cache's own list: a copy would point into the original.
    PictureCache(const PictureCache&) = delete;
    PictureCache& operator=(const PictureCache&) = delete;
    PictureCache(PictureCache&&) = default;
    PictureCache& operator=(PictureCache&&) = default;

    struct Entry {
        PictureCacheKey key;
        FileStamp stamp;
        CachedPicture picture;
    };
    std::list<Entry> entries; // most recently used first
    std::unordered_map<PictureCacheKey, std::list<Entry>::iterator, PictureCacheKeyHash> index;
    size_t bytes = 0;
    size_t budget = kPictureCacheBudget;
    std::vector<PictureProblem> problems; // met by the draws since they were last told, in order
    // Files whose problem has been told, with the stamp they had then (none for a missing file): a
    // file is told about once, and again when it changes.
    std::unordered_map<std::wstring, std::optional<FileStamp>> toldProblems;
};

// The picture stored for this key, or null when there is none or the file has changed since
// (a stale entry is dropped at once).
const CachedPicture* FindCachedPicture(PictureCache& cache, const PictureCacheKey& key,
                                       const FileStamp& stamp);

// Stores a picture (replacing the one of the same key) and drops the least recently used entries
// beyond the budget. A picture larger than the whole budget is not kept.
void StoreCachedPicture(PictureCache& cache, const PictureCacheKey& key, const FileStamp& stamp,
                        CachedPicture picture);

// Drops every entry of this path, e.g. when its file has gone or no longer decodes.
void ForgetCachedPath(PictureCache& cache, const std::wstring& path);

void ClearPictureCache(PictureCache& cache);

// Notes the loader's problem with a file for the caller to tell, unless it was told about this
// file as it is (same stamp, or missing again) already.
void NotePictureProblem(PictureCache& cache, const std::wstring& path, std::optional<FileStamp> stamp,
                        std::wstring text);

// Every problem may be told once more: another chart has been read.
void ForgetToldPictureProblems(PictureCache& cache);
