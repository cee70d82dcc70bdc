// The cache of decoded cell pictures.
#include "render/PictureCache.h"

#include <functional>
#include <utility>

namespace {

size_t PictureBytes(const CachedPicture& picture) {
    return picture.pixels.size() * sizeof(uint32_t);
}

void Erase(PictureCache& cache, std::list<PictureCache::Entry>::iterator it) {
    cache.bytes -= PictureBytes(it->picture);
    cache.index.erase(it->key);
    cache.entries.erase(it);
}

} // namespace

size_t PictureCacheKeyHash::operator()(const PictureCacheKey& key) const {
    size_t h = std::hash<std::wstring>{}(key.path);
    for (int32_t v : {key.width, key.height, key.fill})
        h = h * 1000003u ^ std::hash<int32_t>{}(v);
    return h;
}

const CachedPicture* FindCachedPicture(PictureCache& cache, const PictureCacheKey& key,
                                       const FileStamp& stamp) {
    auto found = cache.index.find(key);
    if (found == cache.index.end()) return nullptr;
    auto it = found->second;
    if (!(it->stamp == stamp)) {
        Erase(cache, it);
        return nullptr;
    }
    cache.entries.splice(cache.entries.begin(), cache.entries, it);
    return &it->picture;
}

void StoreCachedPicture(PictureCache& cache, const PictureCacheKey& key, const FileStamp& stamp,
                        CachedPicture picture) {
    auto found = cache.index.find(key);
    if (found != cache.index.end()) Erase(cache, found->second);
    size_t size = PictureBytes(picture);
    if (size > cache.budget) return;
    while (!cache.entries.empty() && cache.bytes + size > cache.budget)
        Erase(cache, std::prev(cache.entries.end()));
    cache.entries.push_front({key, stamp, std::move(picture)});
    cache.index.emplace(key, cache.entries.begin());
    cache.bytes += size;
}

void ForgetCachedPath(PictureCache& cache, const std::wstring& path) {
    for (auto it = cache.entries.begin(); it != cache.entries.end();) {
        auto next = std::next(it);
        if (it->key.path == path) Erase(cache, it);
        it = next;
    }
}

void ClearPictureCache(PictureCache& cache) {
    cache.entries.clear();
    cache.index.clear();
    cache.bytes = 0;
}

void NotePictureProblem(PictureCache& cache, const std::wstring& path, std::optional<FileStamp> stamp,
                        std::wstring text) {
    auto told = cache.toldProblems.find(path);
    if (told != cache.toldProblems.end() && told->second == stamp) return;
    cache.toldProblems[path] = stamp;
    cache.problems.push_back({path, std::move(text)});
}

void ForgetToldPictureProblems(PictureCache& cache) {
    cache.toldProblems.clear();
}
